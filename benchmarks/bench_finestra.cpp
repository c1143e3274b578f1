// The main window's commands on a 100,000-ticket set, with fake sound and boxes: the work a
// click does besides painting.
#include "main_window/listaschede.h"
#include "main_window/paginagioca.h"
#include "main_window/paginalotto.h"
#include "support/partitadiprova.h"

#include "filetemporaneo.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

constexpr int kTickets = 100000;

const std::string &largeSet()
{
    static const FileTemporaneo file("zaffirone-bench-ui-", [](std::ofstream &out) {
        for (int i = 1; i <= kTickets; ++i) {
            Schedina s;
            s.impostaTitolo("Schedina " + std::to_string(i));
            s.numeri[0] = static_cast<std::int16_t>(i % 90 + 1);
            s.ruote[i % 10] = 1;
            s.giocate[0] = 1;
            s.puntate[0] = *Currency::fromWhole(i % 5 + 1);
            const auto record = s.codifica();
            out.write(reinterpret_cast<const char *>(record.data()), record.size());
        }
    });
    return file.percorso();
}

void load(PartitaDiProva &game)
{
    game.dialog.scegli(QString::fromStdString(largeSet()));
    game.window.paginaLotto()->cmd_carica->click();
}

void BM_LoadLargeSet(benchmark::State &state)
{
    PartitaDiProva game;
    for (auto _ : state)
        load(game);
    if (game.window.paginaLotto()->lst_esistenti->count() != kTickets)
        state.SkipWithError("the set was not listed");
}
BENCHMARK(BM_LoadLargeSet)->Unit(benchmark::kMillisecond);

void BM_MoveAllToPlayAndBack(benchmark::State &state)
{
    PartitaDiProva game;
    game.modulo.punti = *Currency::fromWhole(1000000000);
    load(game);
    PaginaLotto *page = game.window.paginaLotto();
    for (auto _ : state) {
        page->cmd_all_destra->click();
        page->cmd_all_sinistra->click();
    }
    state.counters["per_click_ms"] =
        benchmark::Counter(2.0 * double(state.iterations()) / 1000.0,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    if (page->lst_esistenti->count() != kTickets)
        state.SkipWithError("the tickets did not come back");
}
BENCHMARK(BM_MoveAllToPlayAndBack)->Unit(benchmark::kMillisecond);

// A play of 1,000 tickets spread over the whole set: its work is the set's one read, the
// circular search and the evaluation, with the fake player taking the announcements.
void BM_PlayThousandTickets(benchmark::State &state)
{
    PartitaDiProva game;
    game.modulo.punti = *Currency::fromWhole(5000000); // far from both ends of the game
    load(game);
    PaginaLotto *page = game.window.paginaLotto();
    ListaSchede *list = page->lst_esistenti;
    for (auto _ : state) {
        state.PauseTiming();
        list->clearSelection();
        for (int row = 0; row < kTickets; row += kTickets / 1000)
            list->selectionModel()->select(list->model()->index(row, 0),
                                           QItemSelectionModel::Select);
        page->cmd_destra->click();
        game.player.take();
        state.ResumeTiming();
        game.window.paginaGioca()->cmd_gioca->click();
    }
    if (page->lst_dagioca->count() != 0 || list->count() != kTickets)
        state.SkipWithError("the tickets were not played and given back");
}
BENCHMARK(BM_PlayThousandTickets)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
