#include "simulazione.h"

#include "engine/estrazione.h"
#include "engine/generatorexoshiro.h"
#include "engine/partita.h"
#include "engine/perblocchi.h"
#include "engine/schedinecompilate.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <limits>
#include <mutex>
#include <sched.h>
#include <string_view>
#include <system_error>
#include <thread>
#include <unordered_map>

namespace {

using Clock = std::chrono::steady_clock;

double secondiDa(Clock::time_point inizio)
{
    return std::chrono::duration<double>(Clock::now() - inizio).count();
}

// One draw made by the game's rule from the stream and evaluated: the masks alone when every
// ticket is counted by them, the numbers in their order too for the tickets that are not.
__int128 estraiEValuta(GeneratoreXoshiro &generatore, const SchedineCompilate &insieme,
                       Estrazione &estrazione)
{
    if (insieme.soloMaschere()) {
        SchedineCompilate::Maschere estratti;
        for (unsigned __int128 &ruota : estratti)
            ruota = generatore.ruota();
        return insieme.vincite(estratti);
    }
    std::array<std::int16_t, lotto::kRuote * Estrazione::kPosizioni> numeri;
    for (std::size_t w = 0; w < lotto::kRuote; ++w)
        generatore.ruota(numeri.data() + w * Estrazione::kPosizioni);
    estrazione.imposta(numeri);
    return insieme.vincite(estrazione);
}

std::optional<Currency> staked(const std::vector<Schedina> &schede, std::uint64_t estrazioni)
{
    Currency perEstrazione;
    for (const Schedina &s : schede) {
        const auto costo = s.costo();
        const auto somma = costo ? perEstrazione.plus(*costo) : std::nullopt;
        if (!somma)
            return std::nullopt;
        perEstrazione = *somma;
    }
    std::int64_t totale = 0;
    if (estrazioni > std::uint64_t(INT64_MAX) ||
        __builtin_mul_overflow(perEstrazione.raw(), std::int64_t(estrazioni), &totale))
        return std::nullopt;
    return Currency::fromRaw(totale);
}

struct Giocata
{
    Simulazione::Fine fine = Simulazione::Fine::Ferma;
    std::uint64_t turni = 0; // the draws made
    __int128 punti = 0;      // at the end, in ten-thousandths of a point
};

// How a game ends after a turn, by the game's own rule; points past the currency's range are won.
std::optional<Simulazione::Fine> fineDopo(__int128 punti)
{
    if (punti > std::numeric_limits<std::int64_t>::max())
        return Simulazione::Fine::Vittoria;
    switch (Partita::fine(Currency::fromRaw(std::int64_t(punti)))) {
    case Partita::Fine::GameOver:
        return Simulazione::Fine::GameOver;
    case Partita::Fine::Vittoria:
        return Simulazione::Fine::Vittoria;
    case Partita::Fine::InCorso:
        break;
    }
    return std::nullopt;
}

Giocata giocaUna(const SchedineCompilate &insieme, std::optional<Currency> costo,
                 std::uint64_t turni, std::uint64_t seme, std::uint64_t partita)
{
    constexpr __int128 kScala = Currency::kScale;
    GeneratoreXoshiro generatore(seme, partita);
    Estrazione estrazione;
    Giocata p;
    p.punti = Partita::Conti{}.punti.raw();
    for (;;) {
        if (!costo || costo->raw() > p.punti)
            return p; // it stops before the draw: the set cannot be chosen
        p.punti -= costo->raw();
        p.punti += estraiEValuta(generatore, insieme, estrazione) * kScala;
        ++p.turni;
        if (const auto fine = fineDopo(p.punti)) {
            p.fine = *fine;
            return p;
        }
        if (p.turni == turni) {
            p.fine = Simulazione::Fine::Interrotta;
            return p;
        }
    }
}

} // namespace

void Simulazione::Partite::unisci(const Partite &altre)
{
    for (std::size_t f = 0; f < fini.size(); ++f)
        fini[f] += altre.fini[f];
    for (const auto &[n, quante] : altre.turni)
        turni[n] += quante;
    for (const auto &[n, quante] : altre.punti)
        punti[n] += quante;
}

Simulazione::Risultato Simulazione::esegui(const std::vector<Schedina> &schede,
                                           std::uint64_t estrazioni, std::uint64_t seme,
                                           unsigned thread)
{
    Risultato risultato;
    risultato.estrazioni = estrazioni;
    risultato.schedine = schede.size();
    risultato.puntato = staked(schede, estrazioni);
    const auto inizio = Clock::now();
    const SchedineCompilate insieme(schede);
    // Counted without rounding up past the largest count a block number can have.
    const std::uint64_t blocchi =
        estrazioni / kBloccoEstrazioni + (estrazioni % kBloccoEstrazioni != 0 ? 1 : 0);
    risultato.vinto = perBlocchi<__int128>(
        blocchi, thread,
        [&](std::uint64_t b, __int128 &vinto) {
            GeneratoreXoshiro generatore(seme, b);
            Estrazione estrazione;
            const std::uint64_t quante =
                std::min(kBloccoEstrazioni, estrazioni - b * kBloccoEstrazioni);
            for (std::uint64_t i = 0; i < quante; ++i)
                vinto += estraiEValuta(generatore, insieme, estrazione);
        },
        [](__int128 &totale, __int128 parte) { totale += parte; });
    risultato.secondi = secondiDa(inizio);
    return risultato;
}

Simulazione::Partite Simulazione::gioca(const std::vector<Schedina> &schede, std::uint64_t partite,
                                        std::uint64_t turni, std::uint64_t seme, unsigned thread)
{
    const auto inizio = Clock::now();
    const SchedineCompilate insieme(schede);
    const auto costo = costoDellInsieme(schede);
    Partite risultato = perBlocchi<Partite>(
        partite, thread,
        [&](std::uint64_t g, Partite &parte) {
            const Giocata p = giocaUna(insieme, costo, turni, seme, g);
            ++parte.fini[std::size_t(p.fine)];
            ++parte.turni[p.turni];
            ++parte.punti[p.punti];
        },
        [](Partite &totale, const Partite &parte) { totale.unisci(parte); });
    risultato.secondi = secondiDa(inizio);
    return risultato;
}

unsigned Simulazione::threadDisponibili()
{
    cpu_set_t processori;
    CPU_ZERO(&processori);
    if (::sched_getaffinity(0, sizeof processori, &processori) != 0)
        return std::max(1u, std::thread::hardware_concurrency());
    return std::max(1, CPU_COUNT(&processori));
}

std::optional<Currency> Simulazione::costoDellInsieme(const std::vector<Schedina> &schede)
{
    std::unordered_map<std::string_view, std::optional<Currency>> primo;
    primo.reserve(schede.size());
    Currency totale;
    for (const Schedina &s : schede) {
        const auto [it, nuovo] = primo.try_emplace(s.titoloGrezzo(), std::nullopt);
        if (nuovo)
            it->second = s.costo();
        const auto somma = it->second ? totale.plus(*it->second) : std::nullopt;
        if (!somma)
            return std::nullopt;
        totale = *somma;
    }
    return totale;
}
