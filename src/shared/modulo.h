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

    // The switches: sounds on, and the joking set of recordings rather than the normal one.
    bool suoni_attivi() const { return m_suoniAttivi; }
    bool suoni_spiritosi() const { return m_suoniSpiritosi; }
    void impostaSuoni(bool attivi, bool spiritosi)
    {
        m_suoniAttivi = attivi;
        m_suoniSpiritosi = spiritosi;
    }
    // The player's actions, one at a time.
    TurnoGiocatore &turno() { return m_turno; }

    // Plays a recording (its full path from the catalogue) to its end, unless sounds are off;
    // the windows take no action meanwhile.
    void SuonaFile(std::string_view percorso);
    // The message boxes; while one is open the windows take no action.
    Avvisi &avvisi() { return m_avvisi; }

private:
    bool m_suoniAttivi = true;
    bool m_suoniSpiritosi = false;
    TurnoGiocatore m_turno;
    Riproduttore &m_riproduttore;
    AvvisiInAttesa m_avvisi;
};
