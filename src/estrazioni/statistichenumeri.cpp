#include "statistichenumeri.h"

StatisticheNumeri::StatisticheNumeri(const std::vector<EstrazioneDelGiorno> &giorni,
                                     std::size_t ruota)
{
    for (const EstrazioneDelGiorno &g : giorni) {
        if (!g.estratta(ruota))
            continue;
        ++m_estrazioni;
        const unsigned __int128 uscito = g.maschera(ruota);
        for (int n = 1; n <= 90; ++n)
            m_numeri[std::size_t(n - 1)].conta((uscito >> n & 1u) != 0);
    }
}
