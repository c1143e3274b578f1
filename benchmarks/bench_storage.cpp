// Set-file operations on a large set: the scans behind every click must stay instant.
#include "cli/comandodump.h"
#include "storage/insiemeschede.h"

#include "filetemporaneo.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <streambuf>
#include <unistd.h>

namespace {

constexpr std::uint64_t kTickets = 100000;

// A set of 100,000 distinct tickets, written once per run in the temporary folder.
const std::string &largeSet()
{
    static const FileTemporaneo file("zaffirone-bench-", [](std::ofstream &out) {
        for (std::uint64_t i = 1; i <= kTickets; ++i) {
            Schedina s;
            s.impostaTitolo("Schedina " + std::to_string(i));
            for (std::size_t n = 0; n < 5; ++n)
                s.numeri[n] = static_cast<std::int16_t>((i * 7 + n * 13) % 90 + 1);
            s.ruote[i % 10] = 1;
            s.giocate[1] = 1;
            s.puntate[1] = *Currency::fromWhole(static_cast<std::int64_t>(i % 50 + 1));
            const auto record = s.codifica();
            out.write(reinterpret_cast<const char *>(record.data()), record.size());
        }
    });
    return file.percorso();
}

class NullBuffer : public std::streambuf
{
protected:
    int_type overflow(int_type c) override { return c; }
    std::streamsize xsputn(const char *, std::streamsize n) override { return n; }
};

void BM_FindByTitleMiss(benchmark::State &state)
{
    const InsiemeSchede set(largeSet());
    for (auto _ : state)
        benchmark::DoNotOptimize(set.trovaPerTitolo("Assente").valore());
    state.SetItemsProcessed(state.iterations() * kTickets);
}
BENCHMARK(BM_FindByTitleMiss)->Unit(benchmark::kMillisecond);

void BM_ReadAll(benchmark::State &state)
{
    const InsiemeSchede set(largeSet());
    for (auto _ : state)
        benchmark::DoNotOptimize(set.leggiTutte().valore().size());
}
BENCHMARK(BM_ReadAll)->Unit(benchmark::kMillisecond);

void BM_Dump(benchmark::State &state)
{
    NullBuffer buffer;
    std::ostream out(&buffer);
    std::ostream err(&buffer);
    for (auto _ : state)
        benchmark::DoNotOptimize(eseguiDump(largeSet(), out, err));
}
BENCHMARK(BM_Dump)->Unit(benchmark::kMillisecond);

// The editor's save of a new ticket: the title scan that misses, then the append with its sync;
// on the 100,000 tickets, and on ten copies of them one after the other. Of a changed ticket
// (range 1 set): the scan, then the set's new version with the record written over its old one.
void BM_SaveNewTicket(benchmark::State &state)
{
    const std::string copy = largeSet() + ".save";
    std::filesystem::copy_file(largeSet(), copy, std::filesystem::copy_options::overwrite_existing);
    for (std::int64_t i = 1; i < state.range(0) / std::int64_t(kTickets); ++i) {
        std::ifstream in(largeSet(), std::ios::binary);
        std::ofstream(copy, std::ios::binary | std::ios::app) << in.rdbuf();
    }
    const InsiemeSchede set(copy);
    Schedina s;
    s.impostaTitolo("Nuova");
    for (auto _ : state) {
        benchmark::DoNotOptimize(set.trovaPerTitolo("Nuova").valore());
        if (state.range(1))
            benchmark::DoNotOptimize(set.sovrascrivi(2, s).ok());
        else
            benchmark::DoNotOptimize(set.aggiungi(s).valore());
    }
    std::filesystem::remove(copy);
}
BENCHMARK(BM_SaveNewTicket)
    ->ArgsProduct({{100000, 1000000}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(50);

} // namespace

BENCHMARK_MAIN();
