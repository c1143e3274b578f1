#include "cornicefocus.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {

constexpr int kSpessore = 2;

// The frame itself: only its border is drawn, and it takes no click.
class Cornice : public QWidget
{
public:
    explicit Cornice(QWidget *parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }

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

void CorniceFocus::segui(QWidget *controllo)
{
    if (!controllo || controllo->isWindow() || !controllo->parentWidget()) {
        if (m_cornice)
            m_cornice->hide();
        return;
    }
    if (!m_cornice)
        m_cornice = new Cornice(controllo->parentWidget());
    else if (m_cornice->parentWidget() != controllo->parentWidget())
        m_cornice->setParent(controllo->parentWidget());
    const int s = kSpessore;
    m_cornice->setGeometry(controllo->geometry().adjusted(-s, -s, s, s));
    m_cornice->raise();
    m_cornice->show();
}
