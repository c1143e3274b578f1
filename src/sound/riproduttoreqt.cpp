#include "riproduttoreqt.h"

#include "sound/filewav.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QByteArray>
#include <QElapsedTimer>
#include <QMediaDevices>
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
std::optional<RiproduttoreQt::Suono> preparaSuono(const QAudioDevice &dispositivo,
                                                  const FileWav &wav)
{
    QAudioFormat formato;
    formato.setSampleFormat(QAudioFormat::Int16);
    formato.setChannelCount(wav.canali());
    formato.setSampleRate(wav.frequenza());
    if (dispositivo.isFormatSupported(formato))
        return RiproduttoreQt::Suono{formato, inFormato(wav.campioni(), QAudioFormat::Int16)};

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
    return RiproduttoreQt::Suono{formato, std::move(dati)};
}

} // namespace

struct RiproduttoreQt::Uscita
{
    Uscita(const QAudioDevice &d, const QAudioFormat &f) : dispositivo(d.id()), audio(d, f) {}

    QByteArray dispositivo;
    QAudioSink audio;
};

// The recording being played: what is left to feed the output, and the clocks that tell its end.
// The output's Idle state only says the last bytes were handed to the server, not that they
// were heard; what the server has played, and the clock since it began, say when it has ended.
struct RiproduttoreQt::InCorso
{
    QAudioSink *uscita = nullptr;
    QIODevice *ingresso = nullptr;
    QAudioFormat formato;
    QByteArray dati;
    qint64 durata = 0; // microseconds
    qint64 scritti = 0;
    QElapsedTimer dalPrimoSuono;
    QTimer limite;
    QTimer controllo;
    std::function<void()> fine;
};

RiproduttoreQt::RiproduttoreQt(RadiceSuoni radice)
    : m_radice(std::move(radice)), m_inCorso(std::make_unique<InCorso>())
{
    InCorso &c = *m_inCorso;
    c.limite.setSingleShot(true);
    c.limite.setTimerType(Qt::PreciseTimer);
    QObject::connect(&c.limite, &QTimer::timeout, [this] { termina(); });
    c.controllo.setTimerType(Qt::PreciseTimer);
    c.controllo.setInterval(kControllo);
    QObject::connect(&c.controllo, &QTimer::timeout, [this] { controlla(); });
}

// A recording still playing is cut off, and nobody is told.
RiproduttoreQt::~RiproduttoreQt()
{
    m_inCorso->fine = nullptr;
    termina();
}

bool RiproduttoreQt::udibile() const
{
    return !QMediaDevices::defaultAudioOutput().isNull();
}

void RiproduttoreQt::suona(const std::string &percorso, std::function<void()> fine)
{
    // Only one at a time: a call while a recording plays plays nothing.
    if (m_inCorso->uscita)
        return fine();
    const auto file = m_radice.trova(percorso);
    if (!file)
        return fine();
    const QAudioDevice dispositivo = QMediaDevices::defaultAudioOutput();
    if (dispositivo.isNull())
        return fine();
    const auto wav = FileWav::leggi(*file);
    if (!wav)
        return fine();
    auto suono = preparaSuono(dispositivo, *wav);
    if (!suono)
        return fine();
    avvia(uscitaPer(dispositivo, suono->formato), std::move(*suono), std::move(fine));
}

// The whole recording goes to the server up to what it takes ahead; the bound on the wait runs
// from when the server starts playing, so that a slow start of the output does not eat the
// recording's end; a start that never comes is bounded too.
void RiproduttoreQt::avvia(QAudioSink &uscita, Suono suono, std::function<void()> fine)
{
    InCorso &c = *m_inCorso;
    c.formato = suono.formato;
    c.durata = c.formato.durationForBytes(static_cast<qint32>(
        std::min<qsizetype>(suono.dati.size(), std::numeric_limits<qint32>::max())));
    const char silenzio = c.formato.sampleFormat() == QAudioFormat::UInt8 ? char(0x80) : char(0);
    suono.dati.append(c.formato.bytesForDuration(kCoda.count()), silenzio);
    c.dati = std::move(suono.dati);
    c.scritti = 0;
    c.fine = std::move(fine);
    c.ingresso = uscita.start();
    if (!c.ingresso || uscita.error() != QAudio::NoError) {
        uscita.stop();
        return std::exchange(c.fine, nullptr)();
    }
    c.uscita = &uscita;
    alimenta();
    c.dalPrimoSuono.invalidate();
    c.limite.start(kAvvioMassimo);
    c.controllo.start();
}

void RiproduttoreQt::alimenta()
{
    InCorso &c = *m_inCorso;
    const qint64 fin = std::min<qint64>(
        c.dati.size(), c.formato.bytesForDuration(c.uscita->processedUSecs() + kAnticipo.count()));
    if (c.scritti < fin) {
        const qint64 n = c.ingresso->write(c.dati.constData() + c.scritti, fin - c.scritti);
        if (n > 0)
            c.scritti += n;
    }
}

void RiproduttoreQt::controlla()
{
    InCorso &c = *m_inCorso;
    if (!c.uscita)
        return;
    alimenta();
    const qint64 suonato = c.uscita->processedUSecs();
    if (!c.dalPrimoSuono.isValid() && suonato > 0) {
        c.dalPrimoSuono.start();
        c.limite.start(static_cast<int>(c.durata / 1000 + kMargineMs));
    }
    if (c.dalPrimoSuono.isValid() && suonato >= c.durata &&
        c.dalPrimoSuono.nsecsElapsed() / 1000 >= c.durata)
        termina();
}

// The output stops, and whoever asked for the recording hears it has ended; it may ask for the
// next at once.
void RiproduttoreQt::termina()
{
    InCorso &c = *m_inCorso;
    if (!c.uscita)
        return;
    c.limite.stop();
    c.controllo.stop();
    QAudioSink *uscita = std::exchange(c.uscita, nullptr);
    c.ingresso = nullptr;
    uscita->stop();
    c.dati.clear();
    if (auto fine = std::exchange(c.fine, nullptr))
        fine();
}

QAudioSink &RiproduttoreQt::uscitaPer(const QAudioDevice &dispositivo, const QAudioFormat &formato)
{
    for (const auto &u : m_uscite) {
        if (u->dispositivo == dispositivo.id() && u->audio.format() == formato)
            return u->audio;
    }
    m_uscite.push_back(std::make_unique<Uscita>(dispositivo, formato));
    QAudioSink &nuova = m_uscite.back()->audio;
    nuova.setBufferSize(formato.bytesForDuration(kBufferUscita.count()));
    QObject::connect(&nuova, &QAudioSink::stateChanged, [this, &nuova](QAudio::State stato) {
        if (stato == QAudio::StoppedState && m_inCorso->uscita == &nuova)
            termina();
    });
    return nuova;
}
