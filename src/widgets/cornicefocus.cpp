#include "cornicefocus.h"

#include <QApplication>
#include <QFocusFrame>
#include <QPainter>
#include <QTabBar>

namespace {

constexpr int kSpessore = 2;

// The frame itself: Qt's own focus frame, which follows its control wherever it moves and is no
// control of its own to a screen reader, drawn as a border in the colour of a selection. On the
// tab strip it goes round the tab in front, which is what the keys act on.
class Cornice : public QFocusFrame
{
public:
    explicit Cornice(QWidget *parent) : QFocusFrame(parent) {}

    void segui(QWidget *controllo)
    {
        if (auto *tabs = qobject_cast<QTabBar *>(m_seguito))
            disconnect(tabs, nullptr, this, nullptr);
        m_seguito = controllo;
        if (auto *tabs = qobject_cast<QTabBar *>(controllo))
            connect(tabs, &QTabBar::currentChanged, this, [this] { update(); });
        setWidget(controllo);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QRect area = rect().adjusted(1, 1, -1, -1);
        if (auto *tabs = qobject_cast<QTabBar *>(m_seguito); tabs && tabs->currentIndex() >= 0)
            area =
                QRect(tabs->mapTo(parentWidget(), tabs->tabRect(tabs->currentIndex()).topLeft()) -
                          pos(),
                      tabs->tabRect(tabs->currentIndex()).size())
                    .adjusted(1, 1, -1, -1);
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), kSpessore));
        painter.drawRect(area);
    }

private:
    QPointer<QWidget> m_seguito;
};

} // namespace

CorniceFocus::CorniceFocus(QObject *parent) : QObject(parent)
{
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { segui(now); });
}

void CorniceFocus::segui(QWidget *controllo)
{
    if (!controllo || controllo->isWindow() || !controllo->parentWidget()) {
        if (m_cornice)
            static_cast<Cornice *>(m_cornice.data())->segui(nullptr);
        return;
    }
    if (!m_cornice)
        m_cornice = new Cornice(controllo->parentWidget());
    static_cast<Cornice *>(m_cornice.data())->segui(controllo);
}
