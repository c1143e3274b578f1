#pragma once

#include "engine/estrazione.h"
#include "engine/valutazione.h"
#include "estrazioni/estrazionedelgiorno.h"
#include "storage/schedina.h"

#include <cstdint>
#include <vector>

// "Did I win?": a ticket against a real day's draw, by the game's own evaluation. A wheel not
// drawn that day wins nothing.
class VerificaSchedina
{
public:
    explicit VerificaSchedina(const EstrazioneDelGiorno &giorno);

    struct Vincita
    {
        std::size_t ruota = 0;
        std::vector<std::size_t> tipi; // the bet types announced, lowest first
        double credito = 0;            // the points the wheel credits
    };
    // The wheels on which the ticket wins something, in wheel order; the vector is reused.
    void verifica(const Schedina &schedina, std::vector<Vincita> &vincite) const;

    const EstrazioneDelGiorno &giorno() const { return m_giorno; }

private:
    EstrazioneDelGiorno m_giorno;
    Estrazione m_estrazione;
    unsigned __int128 m_usciti = 0; // every number drawn that day on the game's wheels
};
