#include "simulazione.h"

#include "engine/estrazione.h"
#include "engine/generatorexoshiro.h"
#include "engine/schedinecompilate.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <sched.h>
#include <string_view>
#include <thread>
#include <unordered_map>

namespace {

using Clock = std::chrono::steady_clock;

double secondiDa(Clock::time_point inizio)
{
    return std::chrono::duration<double>(Clock::now() - inizio).count();
}

// Runs lavoro(b) for the blocks 0..blocchi-1 on up to `thread` threads, each taking the next
// block not yet taken; returns the sum of what the blocks returned.
template <typename Lavoro>
__int128 perBlocchi(std::uint64_t blocchi, unsigned thread, Lavoro &&lavoro)
{
    std::atomic<std::uint64_t> prossimo{0};
    std::mutex somma;
    __int128 totale = 0;
    auto esegui = [&] {
        __int128 mio = 0;
        for (std::uint64_t b; (b = prossimo.fetch_add(1)) < blocchi;)
            mio += lavoro(b);
        const std::lock_guard guardia(somma);
        totale += mio;
    };
    std::vector<std::thread> altri;
    for (std::uint64_t i = 1; i < std::min<std::uint64_t>(thread, blocchi); ++i)
        altri.emplace_back(esegui);
    esegui();
    for (std::thread &t : altri)
        t.join();
    return totale;
}

std::optional<Currency> staked(const std::vector<Schedina> &schede, std::uint64_t estrazioni)
{
    Currency perDraw;
    for (const Schedina &s : schede) {
        const auto cost = s.costo();
        const auto sum = cost ? perDraw.plus(*cost) : std::nullopt;
        if (!sum)
            return std::nullopt;
        perDraw = *sum;
    }
    std::int64_t total = 0;
    if (estrazioni > std::uint64_t(INT64_MAX) ||
        __builtin_mul_overflow(perDraw.raw(), std::int64_t(estrazioni), &total))
        return std::nullopt;
    return Currency::fromRaw(total);
}

Simulazione::Partita giocaUna(const SchedineCompilate &set, std::optional<Currency> costo,
                              std::uint64_t turni, std::uint64_t seme, std::uint64_t partita)
{
    constexpr __int128 kScala = Currency::kScale;
    GeneratoreXoshiro generatore(seme, partita);
    Estrazione estrazione;
    Simulazione::Partita p;
    p.punti = Simulazione::kPuntiIniziali * kScala;
    for (;;) {
        if (!costo || costo->raw() > p.punti)
            return p; // it stops before the draw: the set cannot be chosen
        p.punti -= costo->raw();
        estrazione.estrai(generatore);
        p.punti += set.vincite(estrazione) * kScala;
        ++p.turni;
        if (p.punti == 0)
            p.fine = Simulazione::Fine::GameOver;
        else if (p.punti > Simulazione::kPuntiVittoria * kScala)
            p.fine = Simulazione::Fine::Vittoria;
        else if (p.turni == turni)
            p.fine = Simulazione::Fine::Interrotta;
        else
            continue;
        return p;
    }
}

} // namespace

Simulazione::Risultato Simulazione::esegui(const std::vector<Schedina> &schede,
                                           std::uint64_t estrazioni, std::uint64_t seme,
                                           unsigned thread)
{
    Risultato result;
    result.estrazioni = estrazioni;
    result.schedine = schede.size();
    result.puntato = staked(schede, estrazioni);
    const auto inizio = Clock::now();
    const SchedineCompilate set(schede);
    const std::uint64_t blocchi = (estrazioni + kBloccoEstrazioni - 1) / kBloccoEstrazioni;
    result.vinto = perBlocchi(blocchi, thread, [&](std::uint64_t b) {
        GeneratoreXoshiro generatore(seme, b);
        Estrazione estrazione;
        __int128 vinto = 0;
        const std::uint64_t fine = std::min(estrazioni, (b + 1) * kBloccoEstrazioni);
        for (std::uint64_t i = b * kBloccoEstrazioni; i < fine; ++i) {
            estrazione.estrai(generatore);
            vinto += set.vincite(estrazione);
        }
        return vinto;
    });
    result.secondi = secondiDa(inizio);
    return result;
}

Simulazione::Partite Simulazione::gioca(const std::vector<Schedina> &schede, std::uint64_t partite,
                                        std::uint64_t turni, std::uint64_t seme, unsigned thread)
{
    Partite result;
    result.partite.resize(partite);
    const auto inizio = Clock::now();
    const SchedineCompilate set(schede);
    const auto costo = costoDellInsieme(schede);
    perBlocchi(partite, thread, [&](std::uint64_t g) {
        result.partite[g] = giocaUna(set, costo, turni, seme, g);
        return __int128(0);
    });
    result.secondi = secondiDa(inizio);
    return result;
}

unsigned Simulazione::threadDisponibili()
{
    cpu_set_t cpu;
    CPU_ZERO(&cpu);
    if (::sched_getaffinity(0, sizeof cpu, &cpu) != 0)
        return std::max(1u, std::thread::hardware_concurrency());
    return std::max(1, CPU_COUNT(&cpu));
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
