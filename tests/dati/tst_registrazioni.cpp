#include "base/lotto.h"
#include "messaggi/catalogo.h"
#include "sound/filewav.h"
#include "sound/radicesuoni.h"

#include <QFile>
#include <QTest>

#include <map>

// The recordings' table against the catalogue that plays them, and the recordings the build makes.
class tst_Registrazioni : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyRecording_data();
    void everyRecording();
};

namespace {

// For each file the game plays: the voice it must be spoken in, and what a win announcement
// says. The joking folder keeps the joking voice even for the files the plain set borrows from
// it, and a file only the joking set plays is a joke wherever it lives.
std::map<QString, QStringList> attese()
{
    std::map<QString, QStringList> usi;
    for (const catalogo::Voce &v : catalogo::tutte()) {
        for (std::string_view p : v.spiritosa)
            usi.try_emplace(QString::fromStdString(std::string(p)), QStringList{"spiritoso", ""});
    }
    for (const catalogo::Voce &v : catalogo::tutte()) {
        for (std::string_view p : v.normale) {
            const QString percorso = QString::fromStdString(std::string(p));
            const bool scherzo = percorso.startsWith("Aggiunte\\Spiritose\\", Qt::CaseInsensitive);
            usi[percorso] = {scherzo ? "spiritoso" : "normale", ""};
            if (v.evento == catalogo::Evento::Click)
                usi[percorso][0] = "effetto";
        }
    }
    for (std::size_t tipo = 0; tipo < lotto::kTipiGiocata; ++tipo) {
        for (std::size_t ruota = 0; ruota < lotto::kRuote; ++ruota) {
            const QString nome = QString::fromLatin1(lotto::kNomiRuote[ruota]).toLower();
            usi[QString::fromStdString(catalogo::registrazioneVincita(tipo, ruota))] = {
                "normale", QString::fromLatin1(lotto::kNomiGiocate[tipo]) + " su " +
                               nome.left(1).toUpper() + nome.mid(1) + "!"};
        }
    }
    return usi;
}

} // namespace

void tst_Registrazioni::everyRecording_data()
{
    QTest::addColumn<QStringList>("campi"); // path, voice, words
    QFile tabella(ZAFFIRONE_TABELLA_REGISTRAZIONI);
    QVERIFY(tabella.open(QIODevice::ReadOnly | QIODevice::Text));
    for (int riga = 1; !tabella.atEnd(); ++riga) {
        const QString testo = QString::fromUtf8(tabella.readLine()).remove('\n');
        if (!testo.trimmed().isEmpty() && !testo.startsWith('#'))
            QTest::addRow("line %d", riga) << testo.split('\t');
    }
    // A recording the game plays and the table lacks is never made.
    for (const auto &[percorso, attesa] : attese())
        QTest::newRow(qPrintable(percorso)) << QStringList{QString(percorso).replace('\\', '/')};
}

// Each row is played, in the right voice, a win naming its bet and wheel; each recording is made,
// spelt as the catalogue spells it, playable, audible and short.
void tst_Registrazioni::everyRecording()
{
    QFETCH(QStringList, campi);
    const auto usi = attese();
    const auto uso = usi.find(QString(campi[0]).replace('/', '\\'));
    QVERIFY2(uso != usi.end(), qPrintable(campi[0] + " is played by no event"));
    if (campi.size() == 3) {
        QCOMPARE(campi[1], uso->second[0]);
        QVERIFY(uso->second[1].isEmpty() ? !campi[2].trimmed().isEmpty()
                                         : campi[2] == uso->second[1]);
    }
    const std::filesystem::path radice = ZAFFIRONE_SUONI_COMPILATI;
    const auto file = RadiceSuoni({radice}).trova(
        RadiceSuoni::percorsoCompleto(QString(campi[0]).replace('/', '\\').toStdString()));
    QVERIFY2(file.has_value(), "not generated");
    // The catalogue's own spelling, so that no case folding is needed to find it.
    QCOMPARE(QString::fromStdString(file->lexically_relative(radice).generic_string()), campi[0]);
    const auto wav = FileWav::leggi(*file);
    QVERIFY2(wav && wav->durataMicrosecondi() > 0 && wav->durataMicrosecondi() <= 6'000'000,
             "not a playable WAV of up to 6 seconds");
    int picco = 0;
    for (std::int16_t c : wav->campioni())
        picco = std::max(picco, std::abs(int(c)));
    // About -12 dBFS; the build brings speech and the click close to full scale.
    QVERIFY2(picco > 8000, qPrintable(QString("peak %1: too quiet to hear").arg(picco)));
}

QTEST_GUILESS_MAIN(tst_Registrazioni)
#include "tst_registrazioni.moc"
