#pragma once

#include <QListView>

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

private:
    ModelloSchede *m_modello;
};
