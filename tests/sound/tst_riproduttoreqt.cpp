#include "sound/riproduttoreqt.h"

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// Real playback through the default output, in CTest a PulseAudio null sink: a call returns at
// once, its end is told as long after as the recording lasts, and what the sink's monitor hears
// meanwhile is the recording.
class tst_RiproduttoreQt : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void playsToItsEnd_data();
    void playsToItsEnd();
    void withoutAnOutput();

private:
    QTemporaryDir m_dir;
    RiproduttoreQt m_riproduttore{RadiceSuoni({m_dir.path().toStdString()})};
};

void tst_RiproduttoreQt::playsToItsEnd_data()
{
    QTest::addColumn<QStringList>("formato");
    QTest::addColumn<double>("secondi");
    QTest::addColumn<int>("ancora"); // ms into the play at which it is called again; 0: never
    // In this order the first is the fresh player's first recording, whose output starts while
    // it waits; the second reuses that output; the third needs one of its own, and lasts
    // longer than the player sends ahead at once.
    QTest::newRow("a short first recording") << QStringList{"-r48000", "-c2", "-b16"} << 0.3 << 0;
    QTest::newRow("16-bit stereo 48000 Hz") << QStringList{"-r48000", "-c2", "-b16"} << 1.0 << 0;
    QTest::newRow("speech-length, 16-bit mono 22050 Hz")
        << QStringList{"-r22050", "-c1", "-b16"} << 3.0 << 0;
    // A second call while one plays is over at once, playing nothing.
    QTest::newRow("called again while it plays")
        << QStringList{"-r48000", "-c2", "-b16"} << 1.0 << 300;
}

// Never shorter than the recording; well inside the bound, which would mean the end of
// playback went unnoticed. The monitor hears a 440 Hz tone for as long as it lasts.
void tst_RiproduttoreQt::playsToItsEnd()
{
    QFETCH(QStringList, formato);
    QFETCH(double, secondi);
    QFETCH(int, ancora);
    if (QMediaDevices::defaultAudioOutput().isNull())
        QSKIP("no audio output: see the log of the sound_nullsink_start test");
    QVERIFY(m_riproduttore.udibile());
    const QString nome = QString(QTest::currentDataTag()) + ".wav";
    const QStringList tono{m_dir.filePath(nome), "synth", QString::number(secondi), "sine", "440"};
    QVERIFY2(QProcess::execute("sox", QStringList{"-n"} + formato + tono) == 0,
             "sox (Debian package sox) could not make the recording");
    QProcess parec;
    parec.start("parec", {"--device=@DEFAULT_MONITOR@", "--raw", "--format=s16le", "--rate=8000",
                          "--channels=1", "--latency-msec=20"});
    QVERIFY2(parec.waitForStarted(5000), "parec (Debian package pulseaudio-utils) did not start");
    QTRY_VERIFY_WITH_TIMEOUT(parec.bytesAvailable() > 0, 5000);
    parec.readAll();

    const std::string percorso = ("C:\\Quarzolo\\Suoni\\" + nome).toStdString();
    QElapsedTimer orologio;
    qint64 ms = -1, dentro = -1;
    if (ancora)
        QTimer::singleShot(ancora, [&] {
            const qint64 prima = orologio.elapsed();
            m_riproduttore.suona(percorso, [&] { dentro = orologio.elapsed() - prima; });
        });
    orologio.start();
    m_riproduttore.suona(percorso, [&] { ms = orologio.elapsed(); });
    QVERIFY(ms < 0);
    QTRY_VERIFY_WITH_TIMEOUT(ms >= 0, int(secondi * 1000) + 1000);
    QVERIFY(ancora == 0 || (dentro >= 0 && dentro < 50));
    QTest::qWait(200);
    parec.kill();
    parec.waitForFinished(2000);
    QVERIFY2(ms >= secondi * 1000 - 20 && ms < secondi * 1000 + 200,
             qPrintable(QString::number(ms)));

    // Silence stays near zero; a 440 Hz tone climbs back from its troughs 440 times a second.
    const QByteArray dati = parec.readAll();
    const auto *campioni = reinterpret_cast<const qint16 *>(dati.constData());
    int cicli = 0;
    for (qsizetype i = 1; i < dati.size() / 2; ++i)
        cicli += campioni[i - 1] < -8000 && campioni[i] >= -8000;
    QVERIFY2(std::abs(cicli - 440 * secondi) < 10, qPrintable(QString::number(cicli)));
}

// With no audio server to reach (PULSE_SERVER at a socket nobody listens on, as CTest runs it
// again), the player says it cannot be heard, so that the game shows in a box what it would
// only have said, and a recording asked for is over at once.
void tst_RiproduttoreQt::withoutAnOutput()
{
    if (!QMediaDevices::defaultAudioOutput().isNull())
        QSKIP("an audio output is there: CTest runs this again without one");
    QVERIFY(!m_riproduttore.udibile());
    const QString nome = m_dir.filePath("breve.wav");
    QVERIFY(QProcess::execute(
                "sox", {"-n", "-r8000", "-c1", "-b16", nome, "synth", "1", "sine", "440"}) == 0);
    bool finita = false;
    m_riproduttore.suona(nome.toStdString(), [&] { finita = true; });
    QTRY_VERIFY_WITH_TIMEOUT(finita, 200);
}

QTEST_GUILESS_MAIN(tst_RiproduttoreQt)
#include "tst_riproduttoreqt.moc"
