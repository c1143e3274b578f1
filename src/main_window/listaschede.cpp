#include "listaschede.h"

#include "main_window/modelloschede.h"
#include "widgets/stilegioco.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

ListaSchede::ListaSchede(const QString &name, ModelloSchede *modello, QWidget *parent)
    : QListView(parent), m_modello(modello)
{
    setObjectName(name);
    setModel(m_modello);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Titles end in blanks up to 20 characters: nothing to scroll sideways to.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

// A title of 20 characters as a player writes one, the width a list's face must show whole.
constexpr const char *kTitoloTipo = "Sistema del lunedì 1";

void ListaSchede::resizeEvent(QResizeEvent *event)
{
    QListView::resizeEvent(event);
    adattaCarattere();
}

// The lists' narrow face, made smaller only where a 20-character title would not fit beside the
// scroll bar.
void ListaSchede::adattaCarattere()
{
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int room = width() - 2 * frameWidth() -
                     style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) - 2 * margin;
    QFont font = stile::stretta();
    while (QFontMetrics(font).horizontalAdvance(QString::fromUtf8(kTitoloTipo)) > room &&
           font.pointSizeF() > stile::punti(6))
        font.setPointSizeF(font.pointSizeF() - 0.25);
    if (font != this->font()) {
        setFont(font);
        m_altezzaRiga = 0;
        updateGeometries();
    }
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
    const QModelIndex prima = currentIndex();
    QListView::keyPressEvent(event);
    // A move that stays where it was (Down on the only ticket, Up on the first) still selects the
    // ticket there, as the move would have selected the one it went to.
    const bool movimento =
        QList{Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown}
            .contains(event->key());
    if (movimento && prima.isValid() && currentIndex() == prima &&
        !(event->modifiers() & Qt::ControlModifier) && !selectionModel()->isSelected(prima))
        selectionModel()->select(prima, QItemSelectionModel::ClearAndSelect);
}

int ListaSchede::altezzaRiga() const
{
    if (m_altezzaRiga == 0) {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        const QModelIndex first = m_modello->index(0, 0);
        m_altezzaRiga = std::max(1, itemDelegate()->sizeHint(option, first).height());
    }
    return m_altezzaRiga;
}

int ListaSchede::righeVisibili() const
{
    return viewport()->height() / altezzaRiga();
}

QRect ListaSchede::visualRect(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != m_modello)
        return {};
    return {0, index.row() * altezzaRiga() - verticalOffset(), viewport()->width(), altezzaRiga()};
}

QModelIndex ListaSchede::indexAt(const QPoint &point) const
{
    const int row = (point.y() + verticalOffset()) / altezzaRiga();
    return point.y() >= 0 && row < m_modello->conta() ? m_modello->index(row, 0) : QModelIndex();
}

void ListaSchede::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (!index.isValid())
        return;
    const int top = index.row() * altezzaRiga();
    const int bottom = top + altezzaRiga() - viewport()->height();
    QScrollBar *bar = verticalScrollBar();
    if (hint == PositionAtTop || (hint == EnsureVisible && top < bar->value()))
        bar->setValue(top);
    else if (hint == PositionAtBottom || (hint == EnsureVisible && bottom > bar->value()))
        bar->setValue(bottom);
    else if (hint == PositionAtCenter)
        bar->setValue(top - (viewport()->height() - altezzaRiga()) / 2);
}

// Nothing to lay out row by row: the scroll bar follows the count, the rows are drawn as shown.
void ListaSchede::doItemsLayout()
{
    QAbstractItemView::doItemsLayout();
}

void ListaSchede::updateGeometries()
{
    QScrollBar *bar = verticalScrollBar();
    bar->setSingleStep(altezzaRiga());
    bar->setPageStep(viewport()->height());
    bar->setRange(0, std::max(0, m_modello->conta() * altezzaRiga() - viewport()->height()));
    horizontalScrollBar()->setRange(0, 0);
    QAbstractItemView::updateGeometries();
}

void ListaSchede::scrollContentsBy(int dx, int dy)
{
    QAbstractItemView::scrollContentsBy(dx, dy);
}

void ListaSchede::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int first = (event->rect().top() + verticalOffset()) / altezzaRiga();
    const int last = std::min(m_modello->conta() - 1,
                              (event->rect().bottom() + verticalOffset()) / altezzaRiga());
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = m_modello->index(row, 0);
        QStyleOptionViewItem item = option;
        item.rect = visualRect(index);
        if (selectionModel()->isSelected(index))
            item.state |= QStyle::State_Selected;
        if (index == currentIndex() && hasFocus())
            item.state |= QStyle::State_HasFocus;
        stringi(item, index);
        itemDelegate()->paint(&painter, item, index);
    }
}

// A title wider than its row (capitals, wide letters) is drawn narrower, never cut: two titles
// that differ only at their end still read apart.
void ListaSchede::stringi(QStyleOptionViewItem &item, const QModelIndex &index) const
{
    const int margine = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    const int spazio = item.rect.width() - margine;
    const int largo =
        item.fontMetrics.horizontalAdvance(index.data(Qt::DisplayRole).toString().trimmed());
    if (largo <= spazio || largo <= 0)
        return;
    item.font.setStretch(std::max(50, 100 * spazio / largo));
    item.fontMetrics = QFontMetrics(item.font);
}

QModelIndex ListaSchede::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers)
{
    const int count = m_modello->conta();
    if (count == 0)
        return {};
    const int current = currentIndex().isValid() ? currentIndex().row() : -1;
    const int page = std::max(1, righeVisibili() - 1);
    int row = current;
    switch (cursorAction) {
    case MoveUp:
    case MovePrevious:
        row = current - 1;
        break;
    case MoveDown:
    case MoveNext:
        row = current + 1;
        break;
    case MovePageUp:
        row = current - page;
        break;
    case MovePageDown:
        row = current + page;
        break;
    case MoveHome:
        row = 0;
        break;
    case MoveEnd:
        row = count - 1;
        break;
    default:
        break;
    }
    return m_modello->index(std::clamp(row, 0, count - 1), 0);
}

int ListaSchede::horizontalOffset() const
{
    return 0;
}

int ListaSchede::verticalOffset() const
{
    return verticalScrollBar()->value();
}

bool ListaSchede::isIndexHidden(const QModelIndex &) const
{
    return false;
}

void ListaSchede::setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command)
{
    const QRect area = rect.normalized();
    const int first = std::max(0, (area.top() + verticalOffset()) / altezzaRiga());
    const int last =
        std::min(m_modello->conta() - 1, (area.bottom() + verticalOffset()) / altezzaRiga());
    QItemSelection selection;
    if (first <= last)
        selection.select(m_modello->index(first, 0), m_modello->index(last, 0));
    selectionModel()->select(selection, command);
}

QRegion ListaSchede::visualRegionForSelection(const QItemSelection &selection) const
{
    QRegion region;
    for (const QItemSelectionRange &range : selection)
        region += visualRect(range.topLeft()).united(visualRect(range.bottomRight()));
    return region & viewport()->rect();
}

QSize ListaSchede::viewportSizeHint() const
{
    return {viewport()->width(), m_modello->conta() * altezzaRiga()};
}
