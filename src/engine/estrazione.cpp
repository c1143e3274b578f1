#include "estrazione.h"

#include <cmath>

void Estrazione::estrai(GeneratoreCasuale &generatore)
{
    generatore.semina();
    for (std::size_t w = 0; w < lotto::kRuote; ++w)
        m_estratti[w].fill(0);
    for (std::size_t w = 0; w < lotto::kRuote; ++w) {
        for (std::size_t p = 0; p < kPosizioni; ++p) {
            for (;;) {
                const double r = generatore.prossimo();
                m_estratti[w][p] = static_cast<std::int16_t>(std::floor(r * 90 + 1));
                bool repeated = false;
                for (std::size_t q = 0; q < kPosizioni && p != 0 && !repeated; ++q)
                    repeated = q != p && m_estratti[w][q] == m_estratti[w][p];
                if (!repeated)
                    break;
            }
        }
    }
    aggiornaMaschere();
}

void Estrazione::estrai(GeneratoreXoshiro &generatore)
{
    for (std::size_t w = 0; w < lotto::kRuote; ++w) {
        Maschera mask;
        for (std::size_t p = 0; p < kPosizioni; ++p) {
            int n = generatore.numero90();
            auto bit = [&] {
                return std::uint64_t{1} << (n & 63);
            };
            while (((n < 64 ? mask.bassi : mask.alti) & bit()) != 0)
                n = generatore.numero90();
            (n < 64 ? mask.bassi : mask.alti) |= bit();
            m_estratti[w][p] = static_cast<std::int16_t>(n);
        }
        m_maschere[w] = mask;
    }
}

void Estrazione::imposta(const std::array<std::int16_t, lotto::kRuote * kPosizioni> &numeri)
{
    for (std::size_t w = 0; w < lotto::kRuote; ++w) {
        for (std::size_t p = 0; p < kPosizioni; ++p)
            m_estratti[w][p] = numeri[w * kPosizioni + p];
    }
    aggiornaMaschere();
}

void Estrazione::aggiornaMaschere()
{
    for (std::size_t w = 0; w < lotto::kRuote; ++w) {
        Maschera mask;
        for (std::size_t p = 0; p < kPosizioni; ++p) {
            const int n = m_estratti[w][p];
            if (n > 0 && n < 64)
                mask.bassi |= std::uint64_t{1} << n;
            else if (n >= 64 && n < 128)
                mask.alti |= std::uint64_t{1} << (n - 64);
        }
        m_maschere[w] = mask;
    }
}
