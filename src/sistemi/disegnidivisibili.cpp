#include "disegnidivisibili.h"

#include "sistemi/famigliedidifferenze.h"
#include "sistemi/limiteinferiore.h"
#include "sistemi/sistemaperparti.h"

#include <algorithm>

using combinazioni::Blocchi;
using combinazioni::Blocco;

std::optional<int> DisegniDivisibili::gruppo(int n, int k)
{
    const std::uint64_t limite = LimiteInferiore::schoenheim(n, k, 2);
    std::optional<int> scelto;
    std::uint64_t minimo = 0;
    for (int g = 2; g * k <= n; ++g) {
        if (n % g != 0 || k < 3 || (n - g) % (k * (k - 1)) != 0)
            continue;
        const auto stima = static_cast<std::uint64_t>(n * (n - g) / (k * (k - 1))) +
                           static_cast<std::uint64_t>(n / g) * SistemaPerParti::stima(g, k, 2);
        if (stima * 10 <= limite * 11 && (!scelto || stima < minimo)) {
            scelto = g;
            minimo = stima;
        }
    }
    return scelto;
}

std::optional<Blocchi> DisegniDivisibili::riempito(int n, int k, int g, const Blocchi &gruppo)
{
    auto blocchi = FamiglieDiDifferenze::divisibile(n, k, g);
    if (!blocchi)
        return std::nullopt;
    const int passo = n / g;
    for (int r = 0; r < passo; ++r)
        for (const Blocco &c : gruppo) {
            Blocco b;
            for (std::uint8_t i : c)
                b.push_back(static_cast<std::uint8_t>(r + i * passo));
            for (int x = 0; static_cast<int>(b.size()) < k && x < n; ++x) {
                if (std::find(b.begin(), b.end(), x) == b.end())
                    b.push_back(static_cast<std::uint8_t>(x));
            }
            std::sort(b.begin(), b.end());
            blocchi->push_back(std::move(b));
        }
    std::sort(blocchi->begin(), blocchi->end());
    blocchi->erase(std::unique(blocchi->begin(), blocchi->end()), blocchi->end());
    return blocchi;
}
