#pragma once

class QPrinter;
class QWidget;

// Where a printed play plan goes: the printer dialog in the game, a PDF file in the tests.
class SceltaStampante
{
public:
    virtual ~SceltaStampante() = default;
    // Sets up the printer for a document of so many pages; false when the player cancelled.
    virtual bool scegli(QPrinter &stampante, int pagine, QWidget *finestra) = 0;
};
