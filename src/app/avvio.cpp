#include "avvio.h"

#include "engine/generatoremersenne.h"
#include "main_window/compagno.h"
#include "main_window/dialogofileqt.h"
#include "main_window/form_gioco.h"
#include "main_window/sceltastampanteqt.h"
#include "shared/modulo.h"
#include "sound/riproduttoreqt.h"
#include "widgets/avvisiqt.h"
#include "widgets/italiano.h"
#include "widgets/stilegioco.h"

#include <QApplication>
#include <QIcon>
#include <QIconEngine>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

#include <csignal>

namespace {

// The window icon, drawn from the game's SVG only when the desktop asks for it. An icon made
// from the file's name would load Qt's SVG icon plugin as the game starts, about a millisecond,
// even where the icon is never drawn.
class IconaGioco : public QIconEngine
{
public:
    void paint(QPainter *pittore, const QRect &rettangolo, QIcon::Mode, QIcon::State) override
    {
        QSvgRenderer(QStringLiteral(":/immagini/icona.svg")).render(pittore, rettangolo);
    }

    QPixmap pixmap(const QSize &dimensione, QIcon::Mode modo, QIcon::State stato) override
    {
        QPixmap figura(dimensione);
        figura.fill(Qt::transparent);
        QPainter pittore(&figura);
        paint(&pittore, figura.rect(), modo, stato);
        return figura;
    }

    QIconEngine *clone() const override { return new IconaGioco; }
};

} // namespace

// Declared in the order they are built: the window last, as it greets the player at once.
struct GiocoAvviato::Parti
{
    RiproduttoreQt riproduttore;
    AvvisiQt avvisi;
    DialogoFileQt dialogo;
    Modulo modulo{riproduttore, avvisi};
    GeneratoreMersenne generatore;
    Partita partita;
    Compagno compagno{Compagno::accantoAlGioco()};
    DialogoFileQt dialogoArchivio{QStringLiteral("Importa l'archivio delle estrazioni")};
    SceltaStampanteQt stampante;
    Form_gioco finestra{partita, modulo, dialogo, generatore, compagno, dialogoArchivio, stampante};
};

GiocoAvviato::GiocoAvviato(QApplication &applicazione)
{
    // A file-size limit must turn into a reported write error, not end the game.
    std::signal(SIGXFSZ, SIG_IGN);
    stile::installaSostituzioniCaratteri();
    parlaItaliano(applicazione);
    // A screen too small for the windows as drawn, at its own scale, gets them smaller.
    if (const QScreen *schermo = QGuiApplication::primaryScreen())
        stile::impostaScala(Form_gioco::scalaPerLoSchermo(schermo->availableGeometry()));
    // Desktops match the window with its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("it.zaffirone.Zaffirone"));
    QApplication::setWindowIcon(QIcon(new IconaGioco));
    m_parti = std::make_unique<Parti>();
    QObject::connect(&m_parti->finestra, &Form_gioco::fineProgramma, &applicazione,
                     &QApplication::quit, Qt::QueuedConnection);
    // The window shows once the player has been greeted. The keyboard starts in it, with a
    // window manager or without one.
    m_parti->modulo.presentatore().poi([&finestra = m_parti->finestra] {
        finestra.show();
        finestra.activateWindow();
    });
}

GiocoAvviato::~GiocoAvviato() = default;
