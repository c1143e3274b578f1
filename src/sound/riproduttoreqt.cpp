#include "riproduttoreqt.h"

#include "sound/filewav.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QByteArray>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMediaDevices>
#include <QScopeGuard>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <limits>
#include <optional>

namespace {

using namespace std::chrono_literals;

// A small output buffer keeps the wait for the last sample short; the whole recording is
// queued with the server up front, so a busy window cannot starve it.
constexpr std::chrono::microseconds kBufferUscita = 40ms;
// How far ahead of what has been heard the server is fed; a game recording fits in it whole.
constexpr std::chrono::microseconds kAnticipo = 2s;
// Trailing silence. The server starts a stream only once its buffer is full, which a click
// shorter than the buffer would never do; the silence is cut off when the sound has been heard.
constexpr std::chrono::microseconds kCoda = 200ms;
constexpr std::chrono::milliseconds kControllo = 5ms;
// The longest the server may take to start playing; an output that never starts ends the call.
constexpr std::chrono::milliseconds kAvvioMassimo = 3s;

struct Suono
{
    QAudioFormat formato;
    QByteArray dati;
};

QByteArray inFormato(const std::vector<std::int16_t> &campioni, QAudioFormat::SampleFormat tipo)
{
    QByteArray dati;
    const auto n = static_cast<qsizetype>(campioni.size());
    switch (tipo) {
    case QAudioFormat::Int16:
        dati.resize(n * 2);
        std::memcpy(dati.data(), campioni.data(), campioni.size() * 2);
        break;
    case QAudioFormat::UInt8:
        dati.resize(n);
        for (qsizetype i = 0; i < n; ++i)
            dati[i] = static_cast<char>((campioni[static_cast<std::size_t>(i)] >> 8) + 128);
        break;
    case QAudioFormat::Int32:
        dati.resize(n * 4);
        for (qsizetype i = 0; i < n; ++i) {
            const std::int32_t v = campioni[static_cast<std::size_t>(i)] * 65536;
            std::memcpy(dati.data() + i * 4, &v, 4);
        }
        break;
    case QAudioFormat::Float:
        dati.resize(n * 4);
        for (qsizetype i = 0; i < n; ++i) {
            const float v = static_cast<float>(campioni[static_cast<std::size_t>(i)]) / 32768.0f;
            std::memcpy(dati.data() + i * 4, &v, 4);
        }
        break;
    default:
        break;
    }
    return dati;
}

// The recording's own rate and channels in 16-bit if the device takes them; otherwise the
// device's rate and channels, in 16-bit or, failing that, in the device's own sample format.
std::optional<Suono> preparaSuono(const QAudioDevice &dispositivo, const FileWav &wav)
{
    QAudioFormat formato;
    formato.setSampleFormat(QAudioFormat::Int16);
    formato.setChannelCount(wav.canali());
    formato.setSampleRate(wav.frequenza());
    if (dispositivo.isFormatSupported(formato))
        return Suono{formato, inFormato(wav.campioni(), QAudioFormat::Int16)};

    const QAudioFormat preferito = dispositivo.preferredFormat();
    if (!preferito.isValid())
        return std::nullopt;
    const auto convertiti = wav.convertiti(preferito.channelCount(), preferito.sampleRate());
    if (convertiti.empty())
        return std::nullopt;
    formato.setChannelCount(preferito.channelCount());
    formato.setSampleRate(preferito.sampleRate());
    if (!dispositivo.isFormatSupported(formato))
        formato = preferito;
    QByteArray dati = inFormato(convertiti, formato.sampleFormat());
    if (dati.isEmpty())
        return std::nullopt;
    return Suono{formato, std::move(dati)};
}

// Plays the data to its end on an output already made for its format, then stops the output.
// The bound on the wait runs from when the server starts playing, so that a slow start of the
// output does not eat the recording's end; a start that never comes is bounded too.
void suonaFinoInFondo(QAudioSink &uscita, Suono suono)
{
    const QAudioFormat &formato = suono.formato;
    const qint64 durata = formato.durationForBytes(static_cast<qint32>(
        std::min<qsizetype>(suono.dati.size(), std::numeric_limits<qint32>::max())));
    const char silenzio = formato.sampleFormat() == QAudioFormat::UInt8 ? char(0x80) : char(0);
    suono.dati.append(formato.bytesForDuration(kCoda.count()), silenzio);
    const QByteArray &dati = suono.dati;

    QIODevice *ingresso = uscita.start();
    if (!ingresso || uscita.error() != QAudio::NoError) {
        uscita.stop();
        return;
    }
    qint64 scritti = 0;
    const auto alimenta = [&] {
        const qint64 fin = std::min<qint64>(
            dati.size(), formato.bytesForDuration(uscita.processedUSecs() + kAnticipo.count()));
        if (scritti < fin) {
            const qint64 n = ingresso->write(dati.constData() + scritti, fin - scritti);
            if (n > 0)
                scritti += n;
        }
    };
    alimenta();

    // The output's Idle state only says the last bytes were handed to the server, not that
    // they were heard; what the server has played, and the clock since it began, say when the
    // recording has ended.
    QEventLoop attesa;
    QElapsedTimer dalPrimoSuono;
    QTimer limite;
    limite.setSingleShot(true);
    limite.setTimerType(Qt::PreciseTimer);
    QObject::connect(&limite, &QTimer::timeout, &attesa, [&] { attesa.quit(); });
    limite.start(kAvvioMassimo);
    QTimer controllo;
    controllo.setTimerType(Qt::PreciseTimer);
    controllo.setInterval(kControllo);
    QObject::connect(&controllo, &QTimer::timeout, &attesa, [&] {
        alimenta();
        const qint64 suonato = uscita.processedUSecs();
        if (!dalPrimoSuono.isValid() && suonato > 0) {
            dalPrimoSuono.start();
            limite.start(static_cast<int>(durata / 1000 + RiproduttoreQt::kMargineMs));
        }
        if (dalPrimoSuono.isValid() && suonato >= durata &&
            dalPrimoSuono.nsecsElapsed() / 1000 >= durata)
            attesa.quit();
    });
    QObject::connect(&uscita, &QAudioSink::stateChanged, &attesa, [&](QAudio::State s) {
        if (s == QAudio::StoppedState)
            attesa.quit();
    });
    controllo.start();
    attesa.exec(QEventLoop::ExcludeUserInputEvents);
    uscita.stop();
}

} // namespace

struct RiproduttoreQt::Uscita
{
    Uscita(const QAudioDevice &d, const QAudioFormat &f) : dispositivo(d.id()), sink(d, f) {}

    QByteArray dispositivo;
    QAudioSink sink;
};

RiproduttoreQt::RiproduttoreQt(RadiceSuoni radice) : m_radice(std::move(radice)) {}

RiproduttoreQt::~RiproduttoreQt() = default;

void RiproduttoreQt::suona(const std::string &percorso)
{
    // A call from inside a play's wait would restart the output under that play.
    if (m_suona)
        return;
    m_suona = true;
    const auto fine = qScopeGuard([this] { m_suona = false; });
    const auto file = m_radice.trova(percorso);
    if (!file)
        return;
    const QAudioDevice dispositivo = QMediaDevices::defaultAudioOutput();
    if (dispositivo.isNull())
        return;
    const auto wav = FileWav::leggi(*file);
    if (!wav)
        return;
    auto suono = preparaSuono(dispositivo, *wav);
    if (!suono)
        return;
    QAudioSink &uscita = uscitaPer(dispositivo, suono->formato);
    suonaFinoInFondo(uscita, std::move(*suono));
}

QAudioSink &RiproduttoreQt::uscitaPer(const QAudioDevice &dispositivo, const QAudioFormat &formato)
{
    for (const auto &u : m_uscite) {
        if (u->dispositivo == dispositivo.id() && u->sink.format() == formato)
            return u->sink;
    }
    m_uscite.push_back(std::make_unique<Uscita>(dispositivo, formato));
    QAudioSink &nuova = m_uscite.back()->sink;
    nuova.setBufferSize(formato.bytesForDuration(kBufferUscita.count()));
    return nuova;
}
