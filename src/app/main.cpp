#include "app/avvio.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    GiocoAvviato gioco(app);
    return app.exec();
}
