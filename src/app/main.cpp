#include "main_window/form_gioco.h"

#include <QApplication>

#include <csignal>

int main(int argc, char *argv[])
{
    // A file-size limit must turn into a reported write error, not end the game.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    Form_gioco window;
    window.show();
    return app.exec();
}
