#include "disegnitrasversali.h"

#include "sistemi/campofinito.h"
#include "sistemi/limiteinferiore.h"
#include "sistemi/sistemaperparti.h"

#include <algorithm>

using combinazioni::Blocchi;
using combinazioni::Blocco;

std::optional<int> DisegniTrasversali::ordine(int n, int k)
{
    const std::uint64_t limite = LimiteInferiore::schoenheim(n, k, 2);
    std::optional<int> scelto;
    std::uint64_t minimo = 0;
    for (int q = k; q * k <= n && q <= CampoFinito::kMassimoOrdine; ++q) {
        if (!CampoFinito::esiste(q))
            continue;
        const std::uint64_t stima =
            static_cast<std::uint64_t>(q * q) +
            static_cast<std::uint64_t>(k) * SistemaPerParti::stima(q + n - k * q, k, 2);
        if (stima * 10 <= limite * 11 && (!scelto || stima < minimo)) {
            scelto = q;
            minimo = stima;
        }
    }
    return scelto;
}

Blocchi DisegniTrasversali::riempito(int n, int k, int q, const Blocchi &gruppo)
{
    const CampoFinito f(q);
    Blocchi blocchi;
    // The line y = a x + b read at the k abscissae 0..k-1, its point in group x.
    for (int a = 0; a < q; ++a)
        for (int b = 0; b < q; ++b) {
            Blocco blocco;
            for (int x = 0; x < k; ++x)
                blocco.push_back(static_cast<std::uint8_t>(x * q + f.somma(f.prodotto(a, x), b)));
            blocchi.push_back(std::move(blocco));
        }
    for (int i = 0; i < k; ++i)
        for (const Blocco &g : gruppo) {
            Blocco b;
            for (std::uint8_t x : g)
                b.push_back(static_cast<std::uint8_t>(x < q ? i * q + x : k * q + x - q));
            for (int x = 0; static_cast<int>(b.size()) < k && x < n; ++x) {
                if (std::find(b.begin(), b.end(), x) == b.end())
                    b.push_back(static_cast<std::uint8_t>(x));
            }
            std::sort(b.begin(), b.end());
            blocchi.push_back(std::move(b));
        }
    std::sort(blocchi.begin(), blocchi.end());
    blocchi.erase(std::unique(blocchi.begin(), blocchi.end()), blocchi.end());
    return blocchi;
}
