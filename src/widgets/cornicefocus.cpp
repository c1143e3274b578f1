#include "cornicefocus.h"

#include <QApplication>
#include <QFocusFrame>
#include <QImage>
#include <QPainter>
#include <QProxyStyle>
#include <QStyle>
#include <QTabBar>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSpessore = 2;

// The relative luminance of a colour, as the contrast of text and frames is reckoned.
double luminanza(const QColor &c)
{
    const auto canale = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * canale(c.redF()) + 0.7152 * canale(c.greenF()) + 0.0722 * canale(c.blueF());
}

double contrasto(double a, double b)
{
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// Qt's focus frame lies under its control, masked to the band outside it; this one lies over
// it and masks itself.
class SopraIlControllo : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *ritorno) const override
    {
        if (hint == SH_FocusFrame_Mask)
            return 0;
        if (hint == SH_FocusFrame_AboveWidget)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, ritorno);
    }
};

// The frame itself: Qt's own focus frame, which follows its control wherever it moves and is no
// control of its own to a screen reader, drawn as a border. Around a control on the edge of its
// window the frame is drawn along the edge, inside the control, where Qt's would be cut off.
class Cornice : public QFocusFrame
{
public:
    explicit Cornice(QWidget *parent) : QFocusFrame(parent)
    {
        auto *stile = new SopraIlControllo;
        stile->setParent(this);
        setStyle(stile);
    }
    QColor colore;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(QPen(colore, kSpessore));
        painter.drawRect(visibile().adjusted(1, 1, -1, -1));
    }
    // Qt's frame takes its moves without the handlers.
    bool event(QEvent *evento) override
    {
        if (evento->type() == QEvent::Move || evento->type() == QEvent::Resize)
            maschera();
        return QFocusFrame::event(evento);
    }

private:
    // The part of the frame within its window.
    QRect visibile() const
    {
        return parentWidget() ? rect() & parentWidget()->rect().translated(-pos()) : rect();
    }
    void maschera()
    {
        const QRect dove = visibile();
        setMask(QRegion(dove) -
                QRegion(dove.adjusted(kSpessore, kSpessore, -kSpessore, -kSpessore)));
    }
};

} // namespace

CorniceFocus::CorniceFocus(QObject *parent) : QObject(parent)
{
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { segui(now); });
}

QColor CorniceFocus::colore(const QColor &selezione, const QImage &sotto)
{
    // How many pixels of the frame's band each colour stands out from, 3:1 at least.
    const QColor candidati[] = {selezione, QColor(Qt::black), QColor(Qt::white)};
    int visibili[3] = {0, 0, 0};
    const double luce[3] = {luminanza(candidati[0]), 0, 1};
    for (int y = 0; y < sotto.height(); ++y)
        for (int x = 0; x < sotto.width(); ++x)
            if (x < kSpessore || y < kSpessore || x >= sotto.width() - kSpessore ||
                y >= sotto.height() - kSpessore) {
                const double fondo = luminanza(sotto.pixelColor(x, y));
                for (int c = 0; c < 3; ++c)
                    visibili[c] += contrasto(luce[c], fondo) >= 3;
            }
    // The selection's colour unless another stands out where it does not.
    const int migliore = visibili[1] >= visibili[2] ? 1 : 2;
    return visibili[0] * 10 >= visibili[migliore] * 9 ? selezione : candidati[migliore];
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
    auto *cornice = static_cast<Cornice *>(m_cornice.data());
    cornice->setWidget(controllo);
    // What the frame will lie on, around the control by the style's margins and within its
    // window's edge, read with the frame out of the way.
    const int h = controllo->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, controllo);
    const int v = controllo->style()->pixelMetric(QStyle::PM_FocusFrameVMargin, nullptr, controllo);
    cornice->hide();
    const QImage sotto =
        controllo->parentWidget()
            ->grab(controllo->geometry().adjusted(-h, -v, h, v) & controllo->parentWidget()->rect())
            .toImage();
    cornice->colore =
        colore(controllo->palette().color(QPalette::Active, QPalette::Highlight), sotto);
    cornice->show();
}
