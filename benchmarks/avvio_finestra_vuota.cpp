// The yardstick of the start-up benchmark: an empty QMainWindow of the size given as WIDTHxHEIGHT,
// shown and ended after its first frame.
#include "primofotogramma.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    int width = 0;
    int height = 0;
    if (argc != 2 || std::sscanf(argv[1], "%dx%d", &width, &height) != 2 || width <= 0 ||
        height <= 0) {
        std::fprintf(stderr, "usage: %s WIDTHxHEIGHT\n", argv[0]);
        return 64;
    }
    PrimoFotogramma primo(app);
    QMainWindow window;
    window.resize(width, height);
    window.show();
    return primo.esegui();
}
