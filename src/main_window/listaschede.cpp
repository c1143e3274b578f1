#include "listaschede.h"

#include "main_window/modelloschede.h"

#include <QKeyEvent>

#include <algorithm>

ListaSchede::ListaSchede(const QString &name, ModelloSchede *modello, QWidget *parent)
    : QListView(parent), m_modello(modello)
{
    setObjectName(name);
    setModel(m_modello);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true); // many thousands of titles lay out at once
    // Titles end in blanks up to 20 characters: nothing to scroll sideways to.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QList<int> ListaSchede::righeSelezionate() const
{
    QList<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

QString ListaSchede::voceCorrente() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? m_modello->voce(current.row()) : QString();
}

void ListaSchede::mouseDoubleClickEvent(QMouseEvent *event)
{
    QListView::mouseDoubleClickEvent(event);
    Q_EMIT DblClick();
}

void ListaSchede::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Q_EMIT DblClick();
        return;
    }
    QListView::keyPressEvent(event);
}
