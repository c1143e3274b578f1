#include "avvio.h"

#include "engine/generatoremersenne.h"
#include "main_window/dialogofileqt.h"
#include "main_window/form_gioco.h"
#include "shared/modulo.h"
#include "sound/riproduttoreqt.h"
#include "widgets/avvisiqt.h"
#include "widgets/stilegioco.h"

#include <QApplication>
#include <QIcon>

#include <csignal>

// Declared in the order they are built: the window last, as it greets the player at once.
struct GiocoAvviato::Parti
{
    RiproduttoreQt riproduttore;
    AvvisiQt avvisi;
    DialogoFileQt dialogo;
    Modulo modulo{riproduttore, avvisi};
    GeneratoreMersenne generatore;
    Form_gioco window{modulo, dialogo, generatore};
};

GiocoAvviato::GiocoAvviato(QApplication &app)
{
    // A file-size limit must turn into a reported write error, not end the game.
    std::signal(SIGXFSZ, SIG_IGN);
    stile::installaSostituzioniCaratteri();
    // Desktops match the window with its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("it.zaffirone.Zaffirone"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/immagini/icona.svg")));
    m_parti = std::make_unique<Parti>();
    QObject::connect(&m_parti->window, &Form_gioco::fineProgramma, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    m_parti->window.show();
}

GiocoAvviato::~GiocoAvviato() = default;
