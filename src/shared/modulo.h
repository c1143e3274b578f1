#pragma once

#include "shared/presentatore.h"

#include <string_view>

// What the windows share besides the game: the sound switches and the one presenter of what the
// game says, which plays the recordings and shows the message boxes. It lives for the whole run.
class Modulo
{
public:
    Modulo(Riproduttore &riproduttore, Avvisi &avvisi)
        : m_riproduttore(riproduttore), m_presentatore(riproduttore, avvisi)
    {}

    // The switches: sounds on, and the joking set of recordings rather than the normal one.
    bool suoni_attivi() const { return m_suoniAttivi; }
    bool suoni_spiritosi() const { return m_suoniSpiritosi; }
    void impostaSuoni(bool attivi, bool spiritosi)
    {
        m_suoniAttivi = attivi;
        m_suoniSpiritosi = spiritosi;
    }
    // Whether what the game says aloud is heard: sounds on, and an audio output to hear them. When
    // not, what it would only say is shown in a box.
    bool sentito() const { return m_suoniAttivi && m_riproduttore.udibile(); }
    // A recording (its full path from the catalogue), in its turn, if sounds are on as it is
    // asked for.
    void SuonaFile(std::string_view percorso)
    {
        if (m_suoniAttivi)
            m_presentatore.suona(std::string(percorso));
    }
    Presentatore &presentatore() { return m_presentatore; }

private:
    bool m_suoniAttivi = true;
    bool m_suoniSpiritosi = false;
    const Riproduttore &m_riproduttore;
    Presentatore m_presentatore;
};
