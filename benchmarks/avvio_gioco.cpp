// The game started exactly as its own entry starts it, ended after its window's first frame.
#include "app/avvio.h"

#include "primofotogramma.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    PrimoFotogramma primo(app);
    GiocoAvviato gioco(app);
    return primo.esegui();
}
