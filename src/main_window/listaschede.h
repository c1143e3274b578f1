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
    QStringList voci() const;
    // The selected rows, in list order.
    QList<int> righeSelezionate() const;

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
