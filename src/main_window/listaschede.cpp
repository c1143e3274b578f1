#include "listaschede.h"

#include "main_window/modelloschede.h"

#include <algorithm>

ListaSchede::ListaSchede(const QString &name, QWidget *parent)
    : QListView(parent), m_modello(new ModelloSchede(this))
{
    setObjectName(name);
    setModel(m_modello);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true); // many thousands of titles lay out at once
}

int ListaSchede::count() const
{
    return m_modello->rowCount();
}

const QStringList &ListaSchede::voci() const
{
    return m_modello->voci();
}

QList<int> ListaSchede::righeSelezionate() const
{
    QList<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}
