#pragma once

#include "engine/estrazione.h"
#include "engine/profiloschedina.h"
#include "estrazioni/estrazionedelgiorno.h"
#include "storage/schedina.h"

#include <array>
#include <cstdint>
#include <vector>

// A ticket made ready for every day of the archive: its points for each hit count on a wheel
// (ProfiloSchedina's, from the game's own evaluation), and for each hit count whether the
// evaluation announces a win, which is what a win is for the runs of days without one.
class ProfiloStorico
{
public:
    explicit ProfiloStorico(const Schedina &schedina);

    // One day as the kernels read it: each wheel's numbers as a mask, and the wheels drawn.
    struct Giorno
    {
        std::array<std::uint64_t, lotto::kRuote> bassi{};
        std::array<std::uint64_t, lotto::kRuote> alti{};
        std::uint16_t ruote = 0;
    };
    // The days, and beside them their draws for the tickets counted over their positions.
    struct Giorni
    {
        std::vector<Giorno> maschere;
        std::vector<Estrazione> estrazioni;
    };
    static Giorni compila(const std::vector<EstrazioneDelGiorno> &giorni);

    struct Esito
    {
        std::int64_t punti = 0;
        bool vince = false;
    };
    // What the ticket credits on a day, over its wheels drawn that day.
    Esito valuta(const Giorno &giorno, const Estrazione &estrazione) const
    {
        Esito esito;
        for (unsigned r = m_profilo.ruote() & giorno.ruote; r != 0; r &= r - 1) {
            const auto w = std::size_t(__builtin_ctz(r));
            const auto colpi =
                std::size_t(m_profilo.conMaschera()
                                ? __builtin_popcountll(m_profilo.bassi() & giorno.bassi[w]) +
                                      __builtin_popcountll(m_profilo.alti() & giorno.alti[w])
                                : m_profilo.colpiLenti(estrazione, w));
            if (colpi < ProfiloSchedina::kMassimoColpi) {
                esito.punti += m_profilo.crediti()[colpi];
                esito.vince = esito.vince || (m_vince >> colpi & 1u) != 0;
            }
        }
        return esito;
    }

    // Bit w: the ticket plays wheel w.
    std::uint16_t ruote() const { return m_profilo.ruote(); }
    // Bit h: a wheel with h hits announces a win.
    std::uint16_t vince() const { return m_vince; }
    const ProfiloSchedina &profilo() const { return m_profilo; }

private:
    ProfiloSchedina m_profilo;
    std::uint16_t m_vince = 0; // bit h: a wheel with h hits announces a win
};
