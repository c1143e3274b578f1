#pragma once

#include "shared/avvisiinattesa.h"
#include "shared/riproduttore.h"
#include "shared/turnogiocatore.h"

#include <cstdint>
#include <string_view>

// What the windows share besides the game: the sound switches, the player's turn, the program's
// only way of playing a recording and its message boxes. It lives for the whole run.
class Modulo
{
public:
    Modulo(Riproduttore &riproduttore, Avvisi &avvisi);

    std::int16_t suoni_attivi = 1;
    std::int16_t suoni_spiritosi = 0;
    TurnoGiocatore turno; // the player's actions, one at a time

    // Plays a recording (its full path from the catalogue) to its end, unless sounds are off;
    // the windows take no action meanwhile.
    void SuonaFile(std::string_view percorso);
    // The message boxes; while one is open the windows take no action.
    Avvisi &avvisi() { return m_avvisi; }

private:
    Riproduttore &m_riproduttore;
    AvvisiInAttesa m_avvisi;
};
