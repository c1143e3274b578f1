#pragma once

#include "base/lotto.h"

#include <array>
#include <string>

// What the editor's boxes hold when the player presses "Salva schedina": texts as typed,
// which number boxes are enabled, and which boxes are ticked.
struct ModuloScheda
{
    std::string titolo;
    std::array<std::string, lotto::kCaselleNumeri> numeri;
    std::array<bool, lotto::kCaselleNumeri> numeriAttivi{};
    std::array<bool, lotto::kRuote + 1> ruote{};
    std::array<bool, lotto::kTipiGiocata> giocate{};
    std::array<std::string, lotto::kTipiGiocata> puntate;

    // A stored ticket is being modified, and the title it had (as the viewer shows it).
    bool modifica = false;
    std::string titoloOriginale;

    // How many number boxes are enabled and not empty.
    std::size_t attivati() const;
};
