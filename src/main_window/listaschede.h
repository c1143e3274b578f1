#pragma once

#include <QListView>

class ModelloSchede;

// One of the two ticket lists of the "Lotto" page, with extended multiple selection.
class ListaSchede : public QListView
{
    Q_OBJECT

public:
    // The list shows the model's entries; the model is its owner's.
    ListaSchede(const QString &name, ModelloSchede *modello, QWidget *parent);

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
