#include "titolointero.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

// Qt's own title bar on Wayland writes the caption 14 pixels high and cuts it 77 pixels from the
// bar's right end, where the minimize, maximize and close buttons start with their spacing. It
// centres the caption by its width in the application's font, so that a caption wider at 14
// pixels runs that much further right.
constexpr int kPixelTitolo = 14;
constexpr int kRiservaPulsanti = 77;

} // namespace

TitoloIntero::TitoloIntero(QObject *parent) : QObject(parent)
{
    qApp->installEventFilter(this);
}

int TitoloIntero::larghezzaPerIlTitolo(const QWidget *finestra)
{
    const QWindow *piattaforma = finestra->windowHandle();
    if (!piattaforma || !QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return 0;
    const QMargins cornice = piattaforma->frameMargins();
    if (cornice.top() == 0) // the desktop draws the bar, or none is drawn
        return 0;
    QFont scritta = QGuiApplication::font();
    const int comeMisurato = QFontMetrics(scritta).horizontalAdvance(finestra->windowTitle());
    scritta.setPixelSize(kPixelTitolo);
    const int comeScritto = QFontMetrics(scritta).horizontalAdvance(finestra->windowTitle());
    // Started at half the bar less half the measured width, the caption ends short of the
    // buttons on a bar this wide.
    const int barra = 2 * (comeScritto + kRiservaPulsanti) - std::min(comeMisurato, comeScritto);
    return barra - cornice.left() - cornice.right();
}

bool TitoloIntero::eventFilter(QObject *oggetto, QEvent *evento)
{
    // The frame is known once the window is on the screen (it comes with ShowToParent, before
    // the first picture is drawn); the caption may change afterwards.
    if (evento->type() == QEvent::ShowToParent || evento->type() == QEvent::WindowTitleChange) {
        auto *finestra = qobject_cast<QWidget *>(oggetto);
        if (finestra && finestra->isWindow() && finestra->isVisible()) {
            const int larghezza = larghezzaPerIlTitolo(finestra);
            if (larghezza > finestra->width())
                allarga(finestra, larghezza);
        }
    }
    return QObject::eventFilter(oggetto, evento);
}

void TitoloIntero::allarga(QWidget *finestra, int larghezza)
{
    if (finestra->minimumWidth() != finestra->maximumWidth() || finestra->layout()) {
        finestra->setMinimumWidth(larghezza);
        finestra->resize(larghezza, finestra->height());
        return;
    }
    // Drawn to a fixed size: what fills the window still does, the rest moves to the middle.
    const QRect prima = finestra->rect();
    const int spostamento = (larghezza - prima.width()) / 2;
    finestra->setFixedWidth(larghezza);
    for (QWidget *figlio : finestra->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (figlio->isWindow())
            continue;
        if (figlio->geometry() == prima)
            figlio->setGeometry(finestra->rect());
        else
            figlio->move(figlio->pos() + QPoint(spostamento, 0));
    }
}
