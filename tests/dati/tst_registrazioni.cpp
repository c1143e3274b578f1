#include "shared/lotto.h"
#include "sound/catalogo.h"
#include "sound/filewav.h"
#include "sound/radicesuoni.h"

#include <QFile>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>

// The recordings the build makes, heard as the game running from the build tree would hear them,
// and the table they are made from, read against the catalogue that plays them.
namespace {

// How the game uses one file, gathered from every event of both sets.
struct Uso
{
    bool normale = false;
    bool spiritoso = false;
    bool click = false;
};

std::map<std::string, Uso> usiDelCatalogo()
{
    std::map<std::string, Uso> usi;
    for (const catalogo::Voce &v : catalogo::tutte()) {
        for (std::string_view p : v.normale) {
            usi[std::string(p)].normale = true;
            usi[std::string(p)].click |= v.evento == catalogo::Evento::Click;
        }
        for (std::string_view p : v.spiritosa)
            usi[std::string(p)].spiritoso = true;
    }
    for (std::size_t tipo = 0; tipo < lotto::kTipiGiocata; ++tipo) {
        for (std::size_t ruota = 0; ruota < lotto::kRuote; ++ruota) {
            Uso &uso = usi[catalogo::registrazioneVincita(tipo, ruota)];
            uso.normale = uso.spiritoso = true;
        }
    }
    return usi;
}

// The set a file must be spoken in. The joking folder keeps the joking voice even for the files
// the plain set borrows from it; a file only the joking set plays is a joke wherever it lives.
QString insiemeAtteso(const std::string &percorso, const Uso &uso)
{
    if (uso.click)
        return "effetto";
    const bool cartellaSpiritosa =
        QString::fromStdString(percorso).startsWith("Aggiunte\\Spiritose\\", Qt::CaseInsensitive);
    return cartellaSpiritosa || !uso.normale ? "spiritoso" : "normale";
}

// The table's rows with their line numbers, comments and blank lines left out.
QList<std::pair<int, QString>> righeTabella()
{
    QList<std::pair<int, QString>> righe;
    QFile tabella(ZAFFIRONE_TABELLA_REGISTRAZIONI);
    if (!tabella.open(QIODevice::ReadOnly | QIODevice::Text))
        return righe;
    for (int numero = 1; !tabella.atEnd(); ++numero) {
        QString riga = QString::fromUtf8(tabella.readLine());
        if (riga.endsWith('\n'))
            riga.chop(1);
        if (!riga.trimmed().isEmpty() && !riga.startsWith('#'))
            righe.append({numero, riga});
    }
    return righe;
}

QString nomeRuota(std::size_t ruota)
{
    const QString nome = QString::fromLatin1(lotto::kNomiRuote.at(ruota)).toLower();
    return nome.left(1).toUpper() + nome.mid(1);
}

} // namespace

class tst_Registrazioni : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyRecordingPlays_data();
    void everyRecordingPlays();
    void tableRowsMatchTheCatalogue_data();
    void tableRowsMatchTheCatalogue();
    void winAnnouncementsNameTheirBetAndWheel_data();
    void winAnnouncementsNameTheirBetAndWheel();
};

void tst_Registrazioni::everyRecordingPlays_data()
{
    QTest::addColumn<QString>("percorso");
    for (const auto &[percorso, uso] : usiDelCatalogo())
        QTest::newRow(percorso.c_str()) << QString::fromStdString(percorso);
}

void tst_Registrazioni::everyRecordingPlays()
{
    QFETCH(QString, percorso);
    const std::filesystem::path radice = ZAFFIRONE_SUONI_COMPILATI;
    const auto file =
        RadiceSuoni({radice}).trova(catalogo::percorsoCompleto(percorso.toStdString()));
    QVERIFY2(file.has_value(), "not generated");
    // The same spelling as the catalogue, so the recording is found without the case folding
    // the game falls back on for a player's own copies.
    QCOMPARE(QString::fromStdString(file->lexically_relative(radice).generic_string()),
             QString(percorso).replace('\\', '/'));

    const auto wav = FileWav::leggi(*file);
    QVERIFY2(wav.has_value(), "not a playable WAV");
    QVERIFY2(wav->durataMicrosecondi() > 0, "empty");
    QVERIFY2(wav->durataMicrosecondi() <= 6'000'000, "longer than 6 seconds");
    int picco = 0;
    for (std::int16_t c : wav->campioni())
        picco = std::max(picco, std::abs(int(c)));
    // About -12 dBFS; the build brings speech and the click close to full scale.
    QVERIFY2(picco > 8000, qPrintable(QString("peak %1: too quiet to hear").arg(picco)));
}

void tst_Registrazioni::tableRowsMatchTheCatalogue_data()
{
    QTest::addColumn<QString>("riga");
    const auto righe = righeTabella();
    QVERIFY2(!righe.isEmpty(), "no rows in " ZAFFIRONE_TABELLA_REGISTRAZIONI);
    for (const auto &[numero, riga] : righe)
        QTest::addRow("line %d", numero) << riga;
}

void tst_Registrazioni::tableRowsMatchTheCatalogue()
{
    QFETCH(QString, riga);
    const QStringList campi = riga.split('\t');
    QCOMPARE(campi.size(), 3);
    const std::string percorso = QString(campi[0]).replace('/', '\\').toStdString();
    const auto usi = usiDelCatalogo();
    const auto uso = usi.find(percorso);
    // A row the game never plays would be installed as a stray file.
    QVERIFY2(uso != usi.end(), qPrintable(campi[0] + " is played by no event"));
    QCOMPARE(campi[1], insiemeAtteso(percorso, uso->second));
    QVERIFY(!campi[2].trimmed().isEmpty());
}

void tst_Registrazioni::winAnnouncementsNameTheirBetAndWheel_data()
{
    QTest::addColumn<QString>("percorso");
    QTest::addColumn<QString>("giocata");
    QTest::addColumn<QString>("ruota");
    for (std::size_t tipo = 0; tipo < lotto::kTipiGiocata; ++tipo) {
        for (std::size_t ruota = 0; ruota < lotto::kRuote; ++ruota) {
            const QString percorso =
                QString::fromStdString(catalogo::registrazioneVincita(tipo, ruota))
                    .replace('\\', '/');
            QTest::newRow(qPrintable(percorso))
                << percorso << QString::fromLatin1(lotto::kNomiGiocate[tipo]) << nomeRuota(ruota);
        }
    }
}

// A win announced on the wrong wheel is a fault every player would hear.
void tst_Registrazioni::winAnnouncementsNameTheirBetAndWheel()
{
    QFETCH(QString, percorso);
    QFETCH(QString, giocata);
    QFETCH(QString, ruota);
    QStringList testi;
    for (const auto &riga : righeTabella()) {
        const QStringList campi = riga.second.split('\t');
        if (campi.size() == 3 && campi[0] == percorso)
            testi << campi[2];
    }
    QCOMPARE(testi.size(), 1);
    QCOMPARE(testi[0], giocata + " su " + ruota + "!");
}

QTEST_GUILESS_MAIN(tst_Registrazioni)
#include "tst_registrazioni.moc"
