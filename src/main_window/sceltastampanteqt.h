#pragma once

#include "main_window/sceltastampante.h"

// The toolkit's printer dialog: a printer, or its own "print to PDF".
class SceltaStampanteQt : public SceltaStampante
{
public:
    bool scegli(QPrinter &stampante, int pagine, QWidget *finestra) override;
};
