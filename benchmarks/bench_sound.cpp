// The wall time a recording costs beyond its own length: the game waits on every one, so the
// excess is lag the player feels between a click and the next thing happening. Plays on the
// default output; on a machine without sound use the tests' null sink:
//   bash tests/sound/nullsink.sh start /tmp/zs
//   PULSE_SERVER=unix:/tmp/zs/native build/benchmarks/bench_sound
//   bash tests/sound/nullsink.sh stop /tmp/zs
#include "sound/riproduttoreqt.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMediaDevices>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numbers>
#include <vector>

namespace {

void scriviIntero(std::ofstream &out, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.put(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// A 440 Hz tone, 16-bit mono at 44100 Hz, the usual shape of the game's recordings.
void scriviTono(const QString &file, double secondi)
{
    constexpr std::uint32_t kFrequenza = 44100;
    const auto campioni = static_cast<std::uint32_t>(secondi * kFrequenza);
    std::ofstream out(file.toStdString(), std::ios::binary);
    out << "RIFF";
    scriviIntero(out, 36 + campioni * 2, 4);
    out << "WAVEfmt ";
    scriviIntero(out, 16, 4);
    scriviIntero(out, 1, 2);
    scriviIntero(out, 1, 2);
    scriviIntero(out, kFrequenza, 4);
    scriviIntero(out, kFrequenza * 2, 4);
    scriviIntero(out, 2, 2);
    scriviIntero(out, 16, 2);
    out << "data";
    scriviIntero(out, campioni * 2, 4);
    for (std::uint32_t i = 0; i < campioni; ++i) {
        const double v = std::sin(2 * std::numbers::pi * 440 * i / kFrequenza) * 16000;
        scriviIntero(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(v)), 2);
    }
}

void BM_OltreLaDurata(benchmark::State &state, double secondi)
{
    if (QMediaDevices::defaultAudioOutput().isNull()) {
        state.SkipWithError("no audio output");
        return;
    }
    static QTemporaryDir cartella;
    static RiproduttoreQt riproduttore(RadiceSuoni({cartella.path().toStdString()}));
    const QString nome = QString("tono %1.wav").arg(secondi);
    scriviTono(cartella.filePath(nome), secondi);
    const std::string percorso = "C:\\Quarzolo\\Suoni\\" + nome.toStdString();
    // Plays to the end, in the event loop as the game does.
    const auto suonaTutto = [&] {
        QEventLoop attesa;
        bool finita = false;
        riproduttore.suona(percorso, [&] {
            finita = true;
            attesa.quit();
        });
        if (!finita)
            attesa.exec();
    };
    suonaTutto(); // the first call also opens the output

    std::vector<double> oltre;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        suonaTutto();
        const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
        state.SetIterationTime(ms / 1000);
        oltre.push_back(ms - secondi * 1000);
    }
    std::sort(oltre.begin(), oltre.end());
    state.counters["oltre_mediana_ms"] = oltre[oltre.size() / 2];
    state.counters["oltre_max_ms"] = oltre.back();
}
BENCHMARK_CAPTURE(BM_OltreLaDurata, click_50ms, 0.05)
    ->UseManualTime()
    ->Iterations(21)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OltreLaDurata, voce_3s, 3.0)
    ->UseManualTime()
    ->Iterations(7)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
