#include "engine/generatoremersenne.h"
#include "widgets/avvisiqt.h"
#include "main_window/dialogofileqt.h"
#include "main_window/form_gioco.h"
#include "widgets/stilegioco.h"
#include "shared/modulo.h"
#include "sound/riproduttoreqt.h"

#include <QApplication>
#include <QIcon>

#include <csignal>

int main(int argc, char *argv[])
{
    // A file-size limit must turn into a reported write error, not end the game.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    stile::installaSostituzioniCaratteri();
    // Desktops match the window with its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("it.zaffirone.Zaffirone"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/immagini/icona.svg")));
    RiproduttoreQt riproduttore;
    AvvisiQt avvisi;
    DialogoFileQt dialogo;
    Modulo modulo(riproduttore, avvisi);
    GeneratoreMersenne generatore;
    Form_gioco window(modulo, dialogo, generatore);
    QObject::connect(&window, &Form_gioco::fineProgramma, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    window.show();
    return app.exec();
}
