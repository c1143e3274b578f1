#pragma once

#include "main_window/form_gioco.h"
#include "shared/modulo.h"
#include "support/fakeavvisi.h"
#include "support/fakedialogofile.h"
#include "support/fakeriproduttore.h"
#include "support/generatorescriptato.h"

#include <QLocale>

// A game in a real main window, with fakes for the player, the boxes, the file dialog and the
// draw, and
// numbers in the C locale unless a test says otherwise.
struct PartitaDiProva
{
    PartitaDiProva()
    {
        QLocale::setDefault(QLocale::c());
        window.show();
    }

    FakeRiproduttore player;
    FakeAvvisi boxes;
    FakeDialogoFile dialog;
    GeneratoreScriptato generatore;
    Modulo modulo{player, boxes};
    Form_gioco window{modulo, dialog, generatore};
};
