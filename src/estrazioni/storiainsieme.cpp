#include "storiainsieme.h"

#include "engine/perblocchi.h"
#include "estrazioni/profilostorico.h"
#include "estrazioni/ritardo.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <immintrin.h>

namespace {

struct Parte
{
    __int128 vinto = 0;
    std::optional<StoriaInsieme::Massima> massima;
    std::vector<std::uint8_t> vinte; // by day: some ticket won
};

// Whether a win outranks the best so far: larger, then earlier, then a lower record.
bool meglio(const StoriaInsieme::Massima &a, const std::optional<StoriaInsieme::Massima> &b)
{
    if (!b)
        return true;
    if (a.vincita != b->vincita)
        return a.vincita > b->vincita;
    if (a.data != b->data)
        return a.data < b->data;
    return a.record < b->record;
}

// One ticket over every day. The best day is kept by its index, turned into a date once.
// In versions for the CPU's population count and without it, chosen at run time.
__attribute__((target_clones("popcnt", "default"))) void
giocaSuOgniGiorno(const ProfiloStorico &profilo, const ProfiloStorico::Giorni &giorni,
                  __int128 &vinto, std::int64_t &migliore, std::size_t &giornoMigliore,
                  std::uint8_t *vinte)
{
    const std::size_t n = giorni.maschere.size();
    std::int64_t somma = 0;
    for (std::size_t d = 0; d < n; ++d) {
        const auto esito = profilo.valuta(giorni.maschere[d], giorni.estrazioni[d]);
        somma += esito.punti;
        if (esito.punti > migliore) {
            migliore = esito.punti;
            giornoMigliore = d;
        }
        vinte[d] |= std::uint8_t(esito.vince);
        if (somma > INT64_MAX / 2 || somma < INT64_MIN / 2) {
            vinto += somma;
            somma = 0;
        }
    }
    vinto += somma;
}

// Eight tickets counted by their masks, over every day at once: each lane a ticket, its hits on a
// wheel two population counts, its points a look-up in its own table of eight. A lane's sum stays
// in 64 bits: the caller gives only tickets whose largest credit, on every wheel and every day,
// cannot leave them.
struct Otto
{
    std::array<std::uint64_t, 8> bassi{}, alti{}, vince{};
    std::array<std::int64_t, 64> crediti{}; // lane i: points for 0..7 hits at 8 i
    std::array<std::uint16_t, 8> ruote{};   // none for an empty lane
    // Out: each lane's sum, its best day's points and that day.
    std::array<std::int64_t, 8> somma{}, migliore{}, giorno{};
};

__attribute__((target("avx512f,avx512vpopcntdq"))) void
giocaOtto(Otto &o, const ProfiloStorico::Giorni &giorni, std::uint8_t *vinte)
{
    const __m512i bassi = _mm512_loadu_si512(o.bassi.data());
    const __m512i alti = _mm512_loadu_si512(o.alti.data());
    const __m512i vince = _mm512_loadu_si512(o.vince.data());
    const __m512i base = _mm512_set_epi64(56, 48, 40, 32, 24, 16, 8, 0);
    const __m512i uno = _mm512_set1_epi64(1);
    // Wheel w: the lanes that play it.
    std::array<__mmask8, lotto::kRuote> corsie{};
    unsigned tutte = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        tutte |= o.ruote[i];
        for (std::size_t w = 0; w < lotto::kRuote; ++w)
            corsie[w] = __mmask8(corsie[w] | ((o.ruote[i] >> w & 1u) << i));
    }
    __m512i somma = _mm512_setzero_si512();
    __m512i migliore = _mm512_setzero_si512();
    __m512i giorno = _mm512_setzero_si512();
    const std::size_t n = giorni.maschere.size();
    for (std::size_t d = 0; d < n; ++d) {
        const ProfiloStorico::Giorno &g = giorni.maschere[d];
        __m512i punti = _mm512_setzero_si512();
        __m512i vinto = _mm512_setzero_si512();
        for (unsigned r = tutte & g.ruote; r != 0; r &= r - 1) {
            const auto w = std::size_t(__builtin_ctz(r));
            const __m512i colpi = _mm512_add_epi64(
                _mm512_popcnt_epi64(
                    _mm512_and_si512(bassi, _mm512_set1_epi64(std::int64_t(g.bassi[w])))),
                _mm512_popcnt_epi64(
                    _mm512_and_si512(alti, _mm512_set1_epi64(std::int64_t(g.alti[w])))));
            punti = _mm512_mask_add_epi64(
                punti, corsie[w], punti,
                _mm512_mask_i64gather_epi64(_mm512_setzero_si512(), corsie[w],
                                            _mm512_add_epi64(base, colpi), o.crediti.data(), 8));
            vinto = _mm512_or_si512(vinto, _mm512_maskz_srlv_epi64(corsie[w], vince, colpi));
        }
        vinte[d] |= std::uint8_t(_mm512_test_epi64_mask(vinto, uno) != 0);
        somma = _mm512_add_epi64(somma, punti);
        const __mmask8 meglio = _mm512_cmpgt_epi64_mask(punti, migliore);
        migliore = _mm512_mask_mov_epi64(migliore, meglio, punti);
        giorno = _mm512_mask_mov_epi64(giorno, meglio, _mm512_set1_epi64(std::int64_t(d)));
    }
    _mm512_storeu_si512(o.somma.data(), somma);
    _mm512_storeu_si512(o.migliore.data(), migliore);
    _mm512_storeu_si512(o.giorno.data(), giorno);
}

// A ticket the eight lanes can take: counted by its mask (its hits at most five, as a wheel
// draws five), and never crediting more than the limit or less than nothing.
bool inOtto(const ProfiloSchedina &p, std::int64_t limite)
{
    if (!p.conMaschera())
        return false;
    for (std::size_t h = 0; h < 8; ++h) {
        if (p.crediti()[h] < 0 || p.crediti()[h] > limite)
            return false;
    }
    return true;
}

bool vettori()
{
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vpopcntdq");
}

} // namespace

StoriaInsieme::Risultato StoriaInsieme::esegui(const std::vector<Schedina> &schede,
                                               const std::vector<EstrazioneDelGiorno> &giorni,
                                               unsigned thread)
{
    const auto inizio = std::chrono::steady_clock::now();
    const ProfiloStorico::Giorni compilati = ProfiloStorico::compila(giorni);
    const std::uint64_t blocchi = (schede.size() + kBloccoSchedine - 1) / kBloccoSchedine;
    // Each block's expected return, summed in order at the end: the same figure on any threads.
    std::vector<double> attesi(blocchi);
    const bool inVettori = vettori();
    // The largest credit a wheel may give for a lane's sum over every wheel and day to stay in
    // 64 bits.
    const std::int64_t limite =
        std::int64_t(INT64_MAX / 2 / std::int64_t(lotto::kRuote) /
                     std::max<std::int64_t>(1, std::int64_t(giorni.size())));
    Parte totale = perBlocchi<Parte>(
        blocchi, thread,
        [&](std::uint64_t b, Parte &parte) {
            parte.vinte.resize(giorni.size());
            const auto tieni = [&](std::size_t i, std::int64_t migliore, std::size_t giorno) {
                const Massima questa{giorni[giorno].data(), i + 1, migliore};
                if (migliore > 0 && meglio(questa, parte.massima))
                    parte.massima = questa;
            };
            Otto otto;
            std::array<std::size_t, 8> quali{};
            std::size_t pieni = 0;
            const auto svuota = [&] {
                giocaOtto(otto, compilati, parte.vinte.data());
                for (std::size_t l = 0; l < pieni; ++l) {
                    parte.vinto += otto.somma[l];
                    tieni(quali[l], otto.migliore[l], std::size_t(otto.giorno[l]));
                }
                otto = Otto{};
                pieni = 0;
            };
            const std::size_t fine =
                std::min<std::size_t>(schede.size(), (b + 1) * kBloccoSchedine);
            for (std::size_t i = b * kBloccoSchedine; i < fine; ++i) {
                const ProfiloStorico profilo(schede[i]);
                attesi[b] += profilo.profilo().ritornoAtteso();
                if (profilo.ruote() == 0)
                    continue;
                if (inVettori && inOtto(profilo.profilo(), limite)) {
                    const ProfiloSchedina &p = profilo.profilo();
                    otto.bassi[pieni] = p.bassi();
                    otto.alti[pieni] = p.alti();
                    otto.vince[pieni] = profilo.vince();
                    otto.ruote[pieni] = profilo.ruote();
                    std::copy_n(p.crediti().begin(), 8, otto.crediti.begin() + 8 * pieni);
                    quali[pieni] = i;
                    if (++pieni == 8)
                        svuota();
                    continue;
                }
                std::int64_t migliore = 0;
                std::size_t giorno = 0;
                giocaSuOgniGiorno(profilo, compilati, parte.vinto, migliore, giorno,
                                  parte.vinte.data());
                tieni(i, migliore, giorno);
            }
            if (pieni > 0)
                svuota();
        },
        [](Parte &totale, Parte &parte) {
            totale.vinto += parte.vinto;
            if (parte.massima && meglio(*parte.massima, totale.massima))
                totale.massima = parte.massima;
            if (totale.vinte.size() < parte.vinte.size())
                totale.vinte.resize(parte.vinte.size());
            for (std::size_t d = 0; d < parte.vinte.size(); ++d)
                totale.vinte[d] |= parte.vinte[d];
        });
    Risultato r;
    r.vinto = totale.vinto;
    r.massima = totale.massima;
    for (const double a : attesi)
        r.ritornoAtteso += a;
    Ritardo senza;
    totale.vinte.resize(giorni.size());
    for (const std::uint8_t v : totale.vinte)
        senza.conta(v != 0);
    r.senzaVinciteMax = senza.massimo();
    r.secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
    return r;
}
