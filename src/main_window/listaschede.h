#pragma once

#include <QListView>

#include <string>

class ModelloSchede;

// One of the two ticket lists of the "Lotto" page, with extended multiple selection.
class ListaSchede : public QListView
{
    Q_OBJECT

public:
    ListaSchede(const QString &name, QWidget *parent);

    ModelloSchede *modello() const { return m_modello; }
    int count() const;
    const QStringList &voci() const;
    // The selected rows, in list order.
    QList<int> righeSelezionate() const;

    // Entries as the set file stores their titles: 20 bytes to an entry, one after the other.
    // Entries are titles read from a set, so each character has its byte.
    static std::string grezze(const QStringList &voci);
    // The text of the current entry; empty when the list has none.
    QString voceCorrente() const;

Q_SIGNALS:
    // A double click anywhere on the list, or Enter on its current entry.
    void DblClick();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    ModelloSchede *m_modello;
};
