#include "cornicefocus.h"

#include <QApplication>
#include <QFocusFrame>
#include <QPainter>
#include <QTabBar>

namespace {

constexpr int kSpessore = 2;

// The frame itself: Qt's own focus frame, which follows its control wherever it moves and is no
// control of its own to a screen reader, drawn as a border in the colour of a selection.
class Cornice : public QFocusFrame
{
public:
    using QFocusFrame::QFocusFrame;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), kSpessore));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
};

} // namespace

CorniceFocus::CorniceFocus(QObject *parent) : QObject(parent)
{
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { segui(now); });
}

// A tab bar marks its own tab in front: the keys act on that tab, not on the whole strip.
void CorniceFocus::segui(QWidget *controllo)
{
    if (!controllo || controllo->isWindow() || !controllo->parentWidget() ||
        qobject_cast<QTabBar *>(controllo)) {
        if (m_cornice)
            static_cast<QFocusFrame *>(m_cornice.data())->setWidget(nullptr);
        return;
    }
    if (!m_cornice)
        m_cornice = new Cornice(controllo->parentWidget());
    static_cast<QFocusFrame *>(m_cornice.data())->setWidget(controllo);
}
