#include "sound/riproduttoreqt.h"

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

// Real playback through the default output, in CTest a PulseAudio null sink: a call lasts as
// long as its recording, the sound does come out, and nothing playable means no wait at all.
namespace {

constexpr char kSenzaUscita[] =
    "no audio output: the PulseAudio null sink did not start (see the log of the "
    "sound_nullsink_start test) or this machine has no sound";
constexpr char kFiglio[] = "ZAFFIRONE_PROVA_SENZA_AUDIO";
constexpr qint64 kSubito = 50; // ms

} // namespace

class tst_RiproduttoreQt : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lastsAsLongAsTheRecording_data();
    void lastsAsLongAsTheRecording();
    void theToneReachesTheOutput();
    void returnsAtOnceWhenThereIsNothingToPlay_data();
    void returnsAtOnceWhenThereIsNothingToPlay();
    void returnsAtOnceWithoutAnOutputDevice();

private:
    // Makes "<nome>.wav" with sox: a 440 Hz tone of the given length and format.
    QString tono(const QString &nome, const QStringList &formato, double secondi)
    {
        QProcess sox;
        sox.start("sox", QStringList{"-n"} + formato +
                             QStringList{m_dir.filePath(nome + ".wav"), "synth",
                                         QString::number(secondi), "sine", "440"});
        if (!sox.waitForFinished(10000) || sox.exitCode() != 0)
            return {};
        return "C:\\Quarzolo\\Suoni\\" + nome + ".wav";
    }

    qint64 msPer(const QString &percorso)
    {
        QElapsedTimer t;
        t.start();
        m_riproduttore.suona(percorso.toStdString());
        return t.elapsed();
    }

    static bool uscitaPresente() { return !QMediaDevices::defaultAudioOutput().isNull(); }

    QTemporaryDir m_dir;
    RiproduttoreQt m_riproduttore{RadiceSuoni({m_dir.path().toStdString()})};
};

void tst_RiproduttoreQt::lastsAsLongAsTheRecording_data()
{
    QTest::addColumn<QStringList>("formato");
    QTest::addColumn<double>("secondi");
    QTest::newRow("click, 16-bit mono 44100 Hz") << QStringList{"-r44100", "-c1", "-b16"} << 0.05;
    QTest::newRow("click again, on the output kept from the first")
        << QStringList{"-r44100", "-c1", "-b16"} << 0.05;
    QTest::newRow("8-bit mono 22050 Hz") << QStringList{"-r22050", "-c1", "-b8"} << 0.3;
    QTest::newRow("16-bit stereo 48000 Hz") << QStringList{"-r48000", "-c2", "-b16"} << 1.0;
    QTest::newRow("24-bit stereo 44100 Hz") << QStringList{"-r44100", "-c2", "-b24"} << 0.3;
    QTest::newRow("32-bit integer mono 8000 Hz")
        << QStringList{"-r8000", "-c1", "-esigned-integer", "-b32"} << 0.3;
    QTest::newRow("32-bit float mono 48000 Hz")
        << QStringList{"-r48000", "-c1", "-efloating-point", "-b32"} << 0.3;
    QTest::newRow("speech-length, 16-bit mono 22050 Hz")
        << QStringList{"-r22050", "-c1", "-b16"} << 3.0;
}

// Never shorter than the recording; well inside the bound, which would mean the end of
// playback went unnoticed.
void tst_RiproduttoreQt::lastsAsLongAsTheRecording()
{
    QFETCH(QStringList, formato);
    QFETCH(double, secondi);
    if (!uscitaPresente())
        QSKIP(kSenzaUscita);
    const QString percorso = tono(QTest::currentDataTag(), formato, secondi);
    QVERIFY2(!percorso.isEmpty(), "sox (Debian package sox) could not make the recording");
    const auto durata = qint64(secondi * 1000);
    const qint64 ms = msPer(percorso);
    qInfo("%lld ms for %lld ms of sound", ms, durata);
    QVERIFY2(ms >= durata - 20, qPrintable(QString::number(ms)));
    QVERIFY2(ms < durata + 200, qPrintable(QString::number(ms)));
}

// What the null sink's monitor hears while a second of 440 Hz plays: a second of 440 Hz.
void tst_RiproduttoreQt::theToneReachesTheOutput()
{
    if (!uscitaPresente())
        QSKIP(kSenzaUscita);
    const QString percorso = tono("secondo", {"-r44100", "-c1", "-b16"}, 1.0);
    QVERIFY(!percorso.isEmpty());
    QProcess parec;
    parec.start("parec", {"--device=@DEFAULT_MONITOR@", "--raw", "--format=s16le", "--rate=8000",
                          "--channels=1", "--latency-msec=20"});
    QVERIFY2(parec.waitForStarted(5000), "parec (Debian package pulseaudio-utils) did not start");
    QTRY_VERIFY_WITH_TIMEOUT(parec.bytesAvailable() > 0, 5000);
    parec.readAll();
    m_riproduttore.suona(percorso.toStdString());
    QTest::qWait(200);
    parec.kill();
    parec.waitForFinished(2000);
    const QByteArray dati = parec.readAll();

    std::vector<qint16> s(std::size_t(dati.size() / 2));
    std::memcpy(s.data(), dati.constData(), s.size() * 2);
    const auto forte = [](qint16 v) {
        return std::abs(v) > 10000;
    };
    const auto inizio = std::find_if(s.begin(), s.end(), forte);
    const auto fine = std::find_if(s.rbegin(), s.rend(), forte).base();
    QVERIFY2(inizio < fine, "silence only");
    const double udito = double(fine - inizio) / 8000;
    int attraversamenti = 0;
    for (auto i = inizio; i + 1 < fine; ++i)
        attraversamenti += (*i < 0) != (*(i + 1) < 0);
    QVERIFY2(std::abs(udito - 1.0) < 0.05, qPrintable(QString::number(udito)));
    QVERIFY2(std::abs(attraversamenti - 880) < 20, qPrintable(QString::number(attraversamenti)));
}

void tst_RiproduttoreQt::returnsAtOnceWhenThereIsNothingToPlay_data()
{
    QTest::addColumn<QByteArray>("contenuto"); // null: no file
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("text, not a WAV") << QByteArray(4000, 'a');
}

void tst_RiproduttoreQt::returnsAtOnceWhenThereIsNothingToPlay()
{
    QFETCH(QByteArray, contenuto);
    const QString nome = QString("nulla, %1.wav").arg(QTest::currentDataTag());
    QFile f(m_dir.filePath(nome));
    QVERIFY(contenuto.isNull() || (f.open(QIODevice::WriteOnly) && f.write(contenuto) > 0));
    f.close();
    QVERIFY(msPer("C:\\Quarzolo\\Suoni\\" + nome) < kSubito);
}

// No server to reach, so no device: the process learns that once, and every recording, even
// a playable one, returns at once. Done in a child so this process keeps its own output.
void tst_RiproduttoreQt::returnsAtOnceWithoutAnOutputDevice()
{
    const QString percorso = tono("senza uscita", {"-r44100", "-c1", "-b16"}, 1.0);
    QVERIFY(!percorso.isEmpty());
    if (qEnvironmentVariableIsSet(kFiglio)) {
        QVERIFY2(msPer(percorso) < kSubito, "first call");
        QVERIFY(!uscitaPresente());
        QVERIFY2(msPer(percorso) < kSubito, "later call");
        return;
    }
    QProcess figlio;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(kFiglio, "1");
    ambiente.insert("PULSE_SERVER", "unix:" + m_dir.filePath("nessun-server"));
    figlio.setProcessEnvironment(ambiente);
    figlio.setProcessChannelMode(QProcess::MergedChannels);
    figlio.start(QCoreApplication::applicationFilePath(), {"returnsAtOnceWithoutAnOutputDevice"});
    QVERIFY(figlio.waitForFinished(30000));
    QVERIFY2(figlio.exitStatus() == QProcess::NormalExit && figlio.exitCode() == 0,
             figlio.readAll().constData());
}

QTEST_GUILESS_MAIN(tst_RiproduttoreQt)
#include "tst_riproduttoreqt.moc"
