#include "sound/filewav.h"

#include <QTest>

#include <cmath>
#include <cstring>

// Recordings as the game meets them: every sample layout a WAV may have, and files broken in
// the ways files break.
namespace {

QByteArray le(qint64 v, int bytes)
{
    QByteArray b;
    for (int i = 0; i < bytes; ++i)
        b.append(static_cast<char>((static_cast<quint64>(v) >> (8 * i)) & 0xFF));
    return b;
}

// A chunk, padded to an even size; the size it declares may be a lie.
QByteArray blocco(const char *id, const QByteArray &corpo, qint64 dichiarata = -1)
{
    return id + le(dichiarata < 0 ? corpo.size() : dichiarata, 4) + corpo +
           QByteArray(corpo.size() % 2, '\0');
}

// A fmt chunk; a sub-format turns it into WAVE_FORMAT_EXTENSIBLE carrying that tag.
QByteArray fmt(int tipo, int canali, int frequenza, int bit, int sotto = 0,
               const char *guid = "000000001000800000aa00389b71")
{
    const int b = canali * bit / 8;
    QByteArray c = le(sotto ? 0xFFFE : tipo, 2) + le(canali, 2) + le(frequenza, 4) +
                   le(qint64(frequenza) * b, 4) + le(b, 2) + le(bit, 2);
    if (sotto)
        c += le(22, 2) + le(bit, 2) + le(3, 4) + le(sotto, 2) + QByteArray::fromHex(guid);
    return blocco("fmt ", c);
}

QByteArray wav(const QByteArray &blocchi)
{
    return "RIFF" + le(4 + blocchi.size(), 4) + "WAVE" + blocchi;
}

// The given samples, then silence up to `totale` samples.
QByteArray interi(int bytes, const QList<qint64> &valori, int totale)
{
    QByteArray d;
    for (qint64 v : valori)
        d += le(v, bytes);
    return d + QByteArray((totale - valori.size()) * bytes, bytes == 1 ? '\x80' : '\0');
}

QByteArray mobili(const QList<float> &valori, int totale)
{
    QByteArray d(totale * 4, '\0');
    std::memcpy(d.data(), valori.constData(), std::size_t(valori.size()) * 4);
    return d;
}

// Plain PCM; a block size given replaces the one its format implies.
QByteArray pcm(int canali, int frequenza, int bit, const QByteArray &dati, int bloccoFmt = -1)
{
    QByteArray f = fmt(1, canali, frequenza, bit);
    return wav((bloccoFmt < 0 ? f : f.replace(20, 2, le(bloccoFmt, 2))) + blocco("data", dati));
}

} // namespace

class tst_FileWav : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reads_data();
    void reads();
};

void tst_FileWav::reads_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("canali"); // 0: not playable
    QTest::addColumn<int>("frequenza");
    QTest::addColumn<qint64>("durata");
    QTest::addColumn<QList<int>>("primi");  // the first samples that come out
    QTest::addColumn<QList<int>>("uscita"); // channels and rate asked for, if not the file's
    const auto legge = [](const char *nome, const QByteArray &file, int canali, int frequenza,
                          qint64 durata, const QList<int> &primi, const QList<int> &uscita = {}) {
        QTest::newRow(nome) << file << canali << frequenza << durata << primi << uscita;
    };
    const auto rifiuta = [](const char *nome, const QByteArray &file) {
        QTest::newRow(nome) << file << 0 << 0 << 0ll << QList<int>{} << QList<int>{};
    };
    const QByteArray mille = interi(2, {1000}, 800);
    const QByteArray dati = blocco("data", mille);
    const QByteArray f16 = fmt(1, 1, 8000, 16);
    const QByteArray stereo = interi(2, {7, -7}, 1600);

    legge("8-bit unsigned mono 8000 Hz", pcm(1, 8000, 8, interi(1, {0, 128, 255, 64}, 8000)), 1,
          8000, 1'000'000, {-32768, 0, 32512, -16384});
    legge("16-bit stereo 44100 Hz", pcm(2, 44100, 16, interi(2, {32767, -32768, -1, 256}, 44100)),
          2, 44100, 500'000, {32767, -32768, -1, 256});
    legge("24-bit mono 22050 Hz", pcm(1, 22050, 24, interi(3, {0x7FFFFF, -0x800000, 256}, 22050)),
          1, 22050, 1'000'000, {32767, -32768, 1});
    legge("32-bit integer stereo 48000 Hz",
          pcm(2, 48000, 32, interi(4, {0x7FFFFFFF, -0x80000000ll, 0x10000, -1}, 9600)), 2, 48000,
          100'000, {32767, -32768, 1, -1});
    legge("32-bit float mono 48000 Hz, beyond full scale clipped",
          wav(fmt(3, 1, 48000, 32) +
              blocco("data", mobili({1, -1, 0.5, 2, -0.25, std::nanf("")}, 24000))),
          1, 48000, 500'000, {32767, -32768, 16384, 32767, -8192, 0});
    legge("extensible 32-bit float",
          wav(fmt(0, 2, 44100, 32, 3) + blocco("data", mobili({0.5, -0.5}, 8820))), 2, 44100,
          100'000, {16384, -16384});
    legge("block size left at zero", pcm(2, 8000, 16, stereo, 0), 2, 8000, 100'000, {7, -7});
    legge("block size not whole per channel", pcm(2, 8000, 16, stereo, 3), 2, 8000, 100'000,
          {7, -7});
    legge("data before fmt, odd-sized chunk padded",
          wav(blocco("LIST", "abc") + dati + fmt(1, 1, 8000, 16)), 1, 8000, 100'000, {1000, 0});
    legge("data size beyond the file: what is there", wav(f16 + blocco("data", mille, 1'000'000)),
          1, 8000, 100'000, {1000});
    legge("a partial last frame is dropped", pcm(2, 8000, 16, interi(2, {7, 8}, 8) + "xy"), 2, 8000,
          500, {7, 8});
    legge("mono to stereo", pcm(1, 8000, 16, interi(2, {100, -200}, 2)), 1, 8000, 250,
          {100, 100, -200, -200}, {2, 8000});
    legge("stereo to mono", pcm(2, 8000, 16, interi(2, {100, 300, -200, -400}, 4)), 2, 8000, 250,
          {200, -300}, {1, 8000});
    legge("rate doubled", pcm(1, 8000, 16, interi(2, {0, 1000, 2000}, 3)), 1, 8000, 375,
          {0, 500, 1000, 1500, 2000, 2000}, {1, 16000});
    legge("rate halved, length rounded", pcm(1, 16000, 16, interi(2, {0, 1, 2}, 3)), 1, 16000, 187,
          {0, 2}, {1, 8000});

    rifiuta("fmt missing", wav(dati));
    rifiuta("empty data", wav(f16 + blocco("data", {})));
    rifiuta("zero channels", wav(fmt(1, 0, 8000, 16) + dati));
    rifiuta("zero rate", wav(fmt(1, 1, 0, 16) + dati));
    rifiuta("compressed (ADPCM)", wav(fmt(2, 1, 8000, 4) + dati));
    rifiuta("extensible with an unknown sub-format",
            wav(fmt(0, 1, 8000, 16, 1, "000000001000800000aa00389b72") + dati));
    rifiuta("chunk before data claiming more than the file",
            wav(f16 + blocco("LIST", "xx", 0xFFFFFFF0ll) + dati));
}

void tst_FileWav::reads()
{
    QFETCH(QByteArray, file);
    QFETCH(int, canali);
    QFETCH(int, frequenza);
    QFETCH(qint64, durata);
    QFETCH(QList<int>, primi);
    QFETCH(QList<int>, uscita);
    const auto w = FileWav::decodifica(std::as_bytes(std::span(file.constData(), file.size())));
    QCOMPARE(bool(w), canali > 0);
    if (!w)
        return;
    QCOMPARE(w->canali(), canali);
    QCOMPARE(w->frequenza(), frequenza);
    QCOMPARE(w->durataMicrosecondi(), durata);
    QCOMPARE(w->campioni().size(), w->fotogrammi() * std::size_t(canali));
    const auto c = uscita.isEmpty() ? w->campioni() : w->convertiti(uscita[0], uscita[1]);
    QCOMPARE(QList<int>(c.begin(), c.begin() + std::min(c.size(), std::size_t(primi.size()))),
             primi);
}

QTEST_GUILESS_MAIN(tst_FileWav)
#include "tst_filewav.moc"
