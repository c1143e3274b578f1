#pragma once

#include <QListView>

class ModelloSchede;

// One of the two ticket lists of the "Lotto" page, with extended multiple selection. Its rows are
// all one height, so it places them by arithmetic: a list of a million tickets costs what its
// visible rows cost, where the list view of Qt would lay every row out in turn.
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

    QRect visualRect(const QModelIndex &index) const override;
    QModelIndex indexAt(const QPoint &point) const override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    void doItemsLayout() override;

Q_SIGNALS:
    // A double click anywhere on the list, or Enter on its current entry.
    void DblClick();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex &index) const override;
    void setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection &selection) const override;
    QSize viewportSizeHint() const override;

private:
    int altezzaRiga() const;
    void adattaCarattere();
    int righeVisibili() const;
    void stringi(QStyleOptionViewItem &item, const QModelIndex &index) const;

    ModelloSchede *m_modello;
    mutable int m_altezzaRiga = 0; // measured on the first row drawn, then kept
};
