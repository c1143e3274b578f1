#include "engine/valutazione.h"
#include "support/clirunner.h"
#include "support/provaincartella.h"
#include "support/setfiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <archive.h>
#include <archive_entry.h>
#include <csignal>

// The archive of real draws as a player meets it: files of the published layout imported with
// their defects, a day added by hand, and a set checked and replayed against the days.
class tst_Estrazioni : public ProvaInCartella
{
    Q_OBJECT

private Q_SLOTS:
    void importa_data();
    void importa();
    void comandi_data();
    void comandi();
    void controllaInsieme_data();
    void controllaInsieme();
    void statistiche_data();
    void statistiche();
    void importUccisa();
    void dueImportInsieme();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
};

namespace {

const QStringList kCodici = {"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RM", "TO", "VE", "RN"};
const QStringList kNomi = {"BARI",    "CAGLIARI", "FIRENZE", "GENOVA",  "MILANO",   "NAPOLI",
                           "PALERMO", "ROMA",     "TORINO",  "VENEZIA", "NAZIONALE"};

// A file in the published layout, as text or as storico.zip holding it.
void scrivi(const QString &file, const QByteArray &testo, bool zip)
{
    if (!zip)
        return writeBytes(file, testo);
    archive *a = archive_write_new();
    archive_write_set_format_zip(a);
    archive_write_open_filename(a, file.toUtf8().constData());
    archive_entry *e = archive_entry_new();
    archive_entry_set_pathname(e, "storico.txt");
    archive_entry_set_size(e, testo.size());
    archive_entry_set_filetype(e, AE_IFREG);
    archive_entry_set_perm(e, 0644);
    archive_write_header(a, e);
    archive_write_data(a, testo.constData(), size_t(testo.size()));
    archive_entry_free(e);
    archive_write_free(a);
}

// Days of draws: day d is 2000-01-01 plus 3 d, its wheels and their numbers.
struct Giorno
{
    QString data; // 2000-01-04
    QMap<int, QList<int>> ruote;
};

QByteArray testo(const QList<Giorno> &giorni)
{
    QByteArray t;
    for (const Giorno &g : giorni) {
        for (auto it = g.ruote.begin(); it != g.ruote.end(); ++it) {
            t += QString(g.data).replace('-', '/').toUtf8() + '\t' + kCodici[it.key()].toUtf8();
            for (int n : it.value())
                t += '\t' + QByteArray::number(n);
            t += '\n';
        }
    }
    return t;
}

// Random days whose numbers come from 1..20, so that small tickets win often; some days lack
// wheels, one has a single wheel, the Nazionale comes and goes.
QList<Giorno> giorniCasuali(int quanti, quint32 seme)
{
    QRandomGenerator r(seme);
    QList<Giorno> giorni;
    for (int d = 0; d < quanti; ++d) {
        Giorno g{QDate(2000, 1, 1).addDays(3 * d).toString(Qt::ISODate), {}};
        const int mancanti = d == 7 ? 10 : r.bounded(4) == 0 ? r.bounded(1, 5) : 0;
        for (int w = 0; w <= 10; ++w) {
            if (w < 10 && r.bounded(10) < mancanti)
                continue;
            if (w == 10 && r.bounded(2) == 0)
                continue;
            QList<int> numeri;
            while (numeri.size() < 5) {
                const int n = r.bounded(1, 21);
                if (!numeri.contains(n))
                    numeri << n;
            }
            g.ruote[w] = numeri;
        }
        if (g.ruote.isEmpty() || d == 7)
            g.ruote[d % 10] = {1, 2, 3, 4, 5};
        giorni << g;
    }
    return giorni;
}

QList<QJsonObject> righe(const QByteArray &out)
{
    QList<QJsonObject> r;
    for (const QByteArray &l : out.split('\n'))
        if (!l.isEmpty())
            r << QJsonDocument::fromJson(l).object();
    return r;
}

QString compatta(const QJsonObject &o)
{
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

} // namespace

void tst_Estrazioni::importa_data()
{
    QTest::addColumn<QByteArray>("prima"); // imported first
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("zip");
    QTest::addColumn<int>("uscita");
    QTest::addColumn<QString>("atteso"); // the JSON line, or what the refusal says
    const QByteArray otto = "1939/01/07\tBA\t58\t22\t47\t49\t69\n1939/01/07\tFI\t1\t2\t3\t4\t5\n"
                            "1939/01/07\tMI\t1\t2\t3\t4\t5\n1939/01/07\tNA\t1\t2\t3\t4\t5\n"
                            "1939/01/07\tPA\t1\t2\t3\t4\t5\n1939/01/07\tRM\t1\t2\t3\t4\t5\n"
                            "1939/01/07\tTO\t1\t2\t3\t4\t5\n1939/01/07\tVE\t1\t2\t3\t4\t5\n";
    QByteArray dieci;
    for (const QString &c : kCodici.mid(0, 10))
        dieci += "1939/07/08\t" + c.toUtf8() + "\t10\t20\t30\t40\t50\r\n";
    const QString due =
        R"({"righe":18,"estrazioni":2,"nuove":2,"dal":"1939-01-07","al":"1939-07-08",)";
    QTest::newRow("the published zip, eight wheels at first")
        << QByteArray() << otto + dieci << true << 0 << due + R"("doppie":0,"incomplete":1})";
    QTest::newRow("the same as text, one date twice")
        << QByteArray() << otto + dieci + dieci << false << 0
        << R"({"righe":28,"estrazioni":2,"nuove":2,"dal":"1939-01-07","al":"1939-07-08",)"
           R"("doppie":10,"incomplete":1})";
    QTest::newRow("the same file again adds nothing")
        << otto + dieci << otto + dieci << true << 0
        << R"({"righe":18,"estrazioni":2,"nuove":0,"dal":"1939-01-07","al":"1939-07-08",)"
           R"("doppie":0,"incomplete":1})";
    QTest::newRow("semicolon forms, CRLF, a single wheel, the Nazionale")
        << otto << QByteArray("07/05/2005;BA;1;2;3;4;5\r\n20050507;RN;6;7;8;9;10\r\n\r\n") << false
        << 0
        << R"({"righe":2,"estrazioni":2,"nuove":1,"dal":"1939-01-07","al":"2005-05-07",)"
           R"("doppie":0,"incomplete":2})";
    const auto rifiuto = [](const char *nome, const QByteArray &riga, const char *motivo) {
        QTest::newRow(nome) << QByteArray() << "1939/01/07\tBA\t1\t2\t3\t4\t5\n" + riga << false
                            << 2 << motivo;
    };
    rifiuto("a line in no known layout", "1939/01/07 BA 1 2 3 4 5\n",
            "riga 2: non è nella forma data, ruota e cinque numeri");
    rifiuto("six numbers", "1939/01/07\tFI\t1\t2\t3\t4\t5\t6\n", "riga 2: non è nella forma");
    rifiuto("a date that does not exist", "1939/02/29\tBA\t1\t2\t3\t4\t5\n",
            "riga 2: la data 1939/02/29 non esiste");
    rifiuto("an unknown wheel", "1939/01/07\tXX\t1\t2\t3\t4\t5\n",
            "riga 2: la ruota \"XX\" non è conosciuta");
    rifiuto("a number outside 1-90", "14/01/1939;BA;1;2;91;4;5\n",
            "riga 2: il numero 91 non è tra 1 e 90");
    rifiuto("a number twice", "19390114;BA;1;2;3;4;1\n",
            "riga 2: il numero 1 è estratto due volte");
    rifiuto("a wheel and day with other numbers", "07/01/1939;BA;1;2;3;4;6\n",
            "riga 2: BARI del 1939-01-07 ha già altri numeri (1,2,3,4,5) alla riga 1");
    QTest::newRow("other numbers than the archive's")
        << otto << QByteArray("1939/01/07\tFI\t1\t2\t3\t4\t6\n") << true << 2
        << "riga 1: FIRENZE del 1939-01-07 è già nell'archivio con altri numeri (1,2,3,4,5)";
    QTest::newRow("thirty-five bad lines")
        << QByteArray() << QByteArray("x\n").repeated(35) << false << 2
        << "riga 30: non è nella forma data, ruota e cinque numeri separati da tabulazioni o da "
           "punti e virgola\n... e altre 5 righe rifiutate\n";
}

// Each defect of a real archive is taken or refused as a player expects; a refused file
// changes nothing, and never makes an archive.
void tst_Estrazioni::importa()
{
    QFETCH(QByteArray, prima);
    QFETCH(QByteArray, file);
    QFETCH(bool, zip);
    QFETCH(int, uscita);
    QFETCH(QString, atteso);
    const QString archivio = path("a.sqlite");
    if (!prima.isEmpty()) {
        writeBytes(path("prima.txt"), prima);
        QCOMPARE(runCli({"draws", "import", path("prima.txt"), "--archivio", archivio}).exitCode,
                 0);
    }
    const QByteArray primaDi = runCli({"stats", "--archivio", archivio}).out;
    scrivi(path("storico.zip"), file, zip);
    const CliResult r = runCli({"draws", "import", path("storico.zip"), "--archivio", archivio});
    QCOMPARE(r.exitCode, uscita);
    if (uscita == 0) {
        QCOMPARE(QString(r.out), atteso + '\n');
        return;
    }
    QVERIFY2(QString(r.err).contains(atteso), r.err.constData());
    QVERIFY(!r.err.contains("riga 31"));
    QCOMPARE(r.out, "");
    QCOMPARE(QFile::exists(archivio), !prima.isEmpty());
    QCOMPARE(runCli({"stats", "--archivio", archivio}).out, primaDi);
}

void tst_Estrazioni::comandi_data()
{
    QTest::addColumn<QStringList>("comandi"); // each after the archive below; all but the last
                                              // must succeed
    QTest::addColumn<int>("uscita");
    QTest::addColumn<QString>("atteso"); // the output, or what the refusal says
    const QString aprile =
        R"({"data":"2025-04-29","ruote":{"BARI":[1,2,3,4,5],"NAZIONALE":[6,7,8,9,10]}})";
    QTest::newRow("show: the last day")
        << QStringList{"draws show"} << 0
        << R"({"data":"2025-05-02","ruote":{"ROMA":[15,14,13,12,11]}})";
    QTest::newRow("show 29/04/2025") << QStringList{"draws show 29/04/2025"} << 0 << aprile;
    QTest::newRow("show three days from 29/04/2025, two there")
        << QStringList{"draws show 29/04/2025 --colpi 3"} << 0
        << aprile + "\n" + R"({"data":"2025-05-02","ruote":{"ROMA":[15,14,13,12,11]}})";
    QTest::newRow("show a day not drawn")
        << QStringList{"draws show 2025-04-30"} << 2 << "non c'è un'estrazione del 2025-04-30";
    QTest::newRow("show a day that does not exist")
        << QStringList{"draws show 2025-02-29"} << 2 << "non è una data";
    QTest::newRow("add a day, then show it")
        << QStringList{"draws add 2025-05-03 --ruota nazionale=90,1,2,3,4 --ruota ROMA=5,6,7,8,9",
                       "draws show"}
        << 0 << R"({"data":"2025-05-03","ruote":{"ROMA":[5,6,7,8,9],"NAZIONALE":[90,1,2,3,4]}})";
    QTest::newRow("add a wheel to a day, the same one again")
        << QStringList{"draws add 2025-04-29 --ruota TORINO=5,6,7,8,9",
                       "draws add 29/04/2025 --ruota BARI=1,2,3,4,5"}
        << 0
        << R"({"data":"2025-04-29","ruote":{"BARI":[1,2,3,4,5],"TORINO":[5,6,7,8,9],)"
           R"("NAZIONALE":[6,7,8,9,10]}})";
    QTest::newRow("add other numbers for a wheel there")
        << QStringList{"draws add 2025-04-29 --ruota TORINO=5,6,7,8,9 --ruota BARI=1,2,3,4,6"} << 2
        << "BARI del 2025-04-29 è già nell'archivio con altri numeri (1,2,3,4,5)";
    QTest::newRow("add a number twice")
        << QStringList{"draws add 2025-05-03 --ruota BARI=1,2,3,4,1"} << 2
        << "il numero 1 è estratto due volte";
    QTest::newRow("add the number 91")
        << QStringList{"draws add 2025-05-03 --ruota BARI=1,2,3,4,91"} << 2
        << "il numero 91 non è tra 1 e 90";
    QTest::newRow("add four numbers") << QStringList{"draws add 2025-05-03 --ruota BARI=1,2,3,4"}
                                      << 2 << "cinque numeri da 1 a 90";
    QTest::newRow("add a wheel twice")
        << QStringList{"draws add 2025-05-03 --ruota BARI=1,2,3,4,5 --ruota bari=1,2,3,4,5"} << 2
        << "la ruota BARI è data due volte";
    QTest::newRow("add an unknown wheel")
        << QStringList{"draws add 2025-05-03 --ruota TUTTE=1,2,3,4,5"} << 2 << "per nome";
    QTest::newRow("check a day not drawn")
        << QStringList{"check SET --data 2025-04-30"} << 2 << "non c'è un'estrazione";
    QTest::newRow("an archive that is not there")
        << QStringList{"draws show --archivio NONE"} << 1 << "non c'è: caricalo";
    QTest::newRow("a file that is not an archive")
        << QStringList{"draws show --archivio SET"} << 1 << "non è un archivio delle estrazioni";
    QTest::newRow("the player's own archive")
        << QStringList{"draws add 2025-01-02 --ruota BARI=1,2,3,4,5 --archivio -",
                       "draws show --archivio -"}
        << 0 << R"({"data":"2025-01-02","ruote":{"BARI":[1,2,3,4,5]}})";
}

void tst_Estrazioni::comandi()
{
    QFETCH(QStringList, comandi);
    QFETCH(int, uscita);
    QFETCH(QString, atteso);
    writeBytes(path("a.txt"), "2025/04/29\tBA\t1\t2\t3\t4\t5\n2025/04/29\tRN\t6\t7\t8\t9\t10\n"
                              "02/05/2025;RM;15;14;13;12;11\n");
    writeBytes(path("set.slott"), ticketRecord("Prova", {1, 2}, {0}, {{1, 10000}}));
    QCOMPARE(runCli({"draws", "import", path("a.txt"), "--archivio", path("a.sqlite")}).exitCode,
             0);
    qputenv("XDG_DATA_HOME", path("dati").toUtf8());
    CliResult r;
    for (const QString &comando : comandi) {
        QStringList argomenti = comando.split(' ');
        if (!argomenti.contains("--archivio"))
            argomenti << "--archivio" << path("a.sqlite");
        argomenti.replaceInStrings("NONE", path("nessuno.sqlite"))
            .replaceInStrings("SET", path("set.slott"));
        argomenti.removeAll("-");
        if (argomenti.last() == "--archivio")
            argomenti.removeLast();
        QCOMPARE(r.exitCode, comando == comandi.first() ? -1 : 0);
        r = runCli(argomenti);
    }
    QCOMPARE(r.exitCode, uscita);
    QVERIFY2((uscita == 0 ? QString(r.out) == atteso + '\n' : QString(r.err).contains(atteso)),
             (r.out + r.err).constData());
    QVERIFY(!QFile::exists(path("nessuno.sqlite")));
    QCOMPARE(QFile::exists(path("dati/zaffirone/estrazioni.sqlite")), comandi.last().endsWith("-"));
}

void tst_Estrazioni::controllaInsieme_data()
{
    QTest::addColumn<QString>("dal"); // the first day played, and the last
    QTest::addColumn<QString>("al");
    QTest::addColumn<QString>("thread");
    QTest::newRow("every day, one thread") << "2000-01-01"
                                           << "2000-05-26"
                                           << "1";
    QTest::newRow("every day, three threads") << "2000-01-01"
                                              << "2000-05-26"
                                              << "3";
    QTest::newRow("from the tenth day to the twentieth") << "2000-01-28"
                                                         << "2000-02-27"
                                                         << "2";
}

// check, history and delays against the test's own play of each ticket on each day: the
// game's evaluation on a draw where the wheels not drawn hold numbers no ticket plays.
void tst_Estrazioni::controllaInsieme()
{
    QFETCH(QString, dal);
    QFETCH(QString, al);
    QFETCH(QString, thread);
    const QList<Giorno> tutti = giorniCasuali(50, 31);
    QList<Giorno> giorni;
    for (const Giorno &g : tutti)
        if (g.data >= dal && g.data <= al)
            giorni << g;
    // Tickets of every kind: one number on every wheel, a number held twice, a stake of 0 that
    // wins nothing but is announced, none on some wheels, and enough to fill vector lanes.
    QList<Schedina> schede = {makeTicket("Uno", {3}, {10}, {{0, 10000}}),
                              makeTicket("Doppio", {4, 4, 7}, {10}, {{0, 10000}, {1, 20000}}),
                              makeTicket("Zero", {5, 6, 8}, {0, 5}, {{0, 0}}),
                              makeTicket("Nessuna", {1, 2}, {}, {{1, 10000}}),
                              makeTicket("Cinque", {1, 2, 3, 4, 5}, {1}, {{0, 5}, {1, 1}, {2, 1}})};
    QRandomGenerator r(5);
    for (int i = 0; i < 20; ++i) {
        QList<int> numeri, ruote;
        for (int k = r.bounded(1, 6); numeri.size() < k;)
            if (const int n = r.bounded(1, 21); !numeri.contains(n))
                numeri << n;
        for (int w = 0; w < 10; ++w)
            if (r.bounded(3) == 0)
                ruote << w;
        schede << makeTicket("Caso", numeri, ruote, {{0, 10000}, {1, 10000}, {2, 30000}});
    }
    QByteArray set;
    for (const Schedina &s : schede)
        set += bytesOf(s);
    writeBytes(path("set.slott"), set);
    writeBytes(path("a.txt"), testo(tutti));
    QCOMPARE(runCli({"draws", "import", path("a.txt"), "--archivio", path("a.sqlite")}).exitCode,
             0);

    // The test's own play: the wins of each ticket on each day, wheel by wheel.
    QStringList attese;
    qint64 vinto = 0, costo = 0, migliore = 0, corsa = 0, corsaMassima = 0;
    QJsonObject massima;
    QList<QJsonObject> ritardi;
    for (int t = 0; t < schede.size(); ++t) {
        costo += schede[t].costo()->raw();
        qint64 ritardo = 0, ritardoMassimo = 0, vincite = 0;
        for (const Giorno &g : giorni) {
            QList<int> numeri;
            for (int w = 0; w < 10; ++w)
                numeri += g.ruote.value(w, {86, 87, 88, 89, 90});
            std::array<std::int16_t, 50> estratti;
            std::copy(numeri.begin(), numeri.end(), estratti.begin());
            Estrazione e;
            e.imposta(estratti);
            struct : Annunciatore
            {
                void annuncia(std::size_t tipo, std::size_t ruota) override
                {
                    perRuota[int(ruota)] << QString(lotto::kNomiGiocate[tipo].data());
                }
                QMap<int, QStringList> perRuota;
            } annunci;
            Valutazione::Combinazioni c{};
            qint64 punti = 0;
            Valutazione::valuta(schede[t], e, c, annunci, [&](std::size_t w, double importo) {
                if (!annunci.perRuota.contains(int(w)))
                    return;
                const auto v = qint64(Valutazione::credito(importo));
                punti += v;
                attese << QString(R"({"annunci":["%1"],"data":"%2","record":%3,"ruota":"%4",)"
                                  R"("titolo":"%5","vincita":%6})")
                              .arg(annunci.perRuota[int(w)].join("\",\""), g.data)
                              .arg(t + 1)
                              .arg(kNomi[int(w)], QString::fromStdString(schede[t].titoloTesto()))
                              .arg(v);
            });
            vinto += punti;
            if (punti > migliore ||
                (punti == migliore && punti > 0 && g.data < massima["data"].toString()))
                massima = {{"data", g.data}, {"record", t + 1}, {"vincita", punti}};
            migliore = std::max(migliore, punti);
            bool gioca = false;
            for (int w = 0; w < 10; ++w)
                gioca = gioca || (Valutazione::ruotaValutata(schede[t], std::size_t(w)) &&
                                  g.ruote.contains(w));
            if (gioca && !annunci.perRuota.isEmpty())
                ++vincite, ritardo = 0;
            else if (gioca)
                ritardoMassimo = std::max(ritardoMassimo, ++ritardo);
        }
        ritardi << QJsonObject{{"record", t + 1},
                               {"titolo", QString::fromStdString(schede[t].titoloTesto())},
                               {"ritardo", ritardo},
                               {"ritardo_massimo", ritardoMassimo},
                               {"vincite", vincite}};
    }
    for (const Giorno &g : giorni) {
        bool vinta = false;
        for (const QString &a : attese)
            vinta = vinta || a.contains(g.data);
        corsa = vinta ? 0 : corsa + 1;
        corsaMassima = std::max(corsaMassima, corsa);
    }

    const QStringList archivio = {"--archivio", path("a.sqlite")};
    const CliResult check = runCli(QStringList{"check", path("set.slott"), "--data", dal, "--colpi",
                                               QString::number(giorni.size())} +
                                   archivio);
    QCOMPARE(check.exitCode, 0);
    QList<QJsonObject> linee = righe(check.out);
    QJsonObject totale = linee.takeLast();
    QStringList viste;
    for (const QJsonObject &l : linee)
        viste << compatta(l);
    std::sort(viste.begin(), viste.end());
    std::sort(attese.begin(), attese.end());
    QCOMPARE(viste, attese);
    const double puntato = double(costo * giorni.size()) / 1e4;
    QCOMPARE(totale.take("puntato").toString().toDouble(), puntato);
    QCOMPARE(
        compatta(totale),
        compatta({{"schedine", schede.size()}, {"estrazioni", giorni.size()}, {"vinto", vinto}}));

    const CliResult storia = runCli(
        QStringList{"history", path("set.slott"), "--dal", dal, "--al", al, "--thread", thread} +
        archivio);
    QJsonObject h = righe(storia.out).value(0);
    double atteso = 0, costi = 0;
    for (const QJsonObject &o : righe(runCli({"odds", path("set.slott")}).out))
        atteso += o["ritorno_atteso"].toDouble(), costi += o["costo"].toString().toDouble();
    QCOMPARE(h.take("rendimento_atteso").toDouble(), atteso / costi);
    QCOMPARE(h.take("rendimento").toDouble(), double(vinto) / puntato);
    QCOMPARE(h.take("puntato").toString().toDouble(), puntato);
    h.remove("secondi");
    h.remove("valutazioni_al_secondo");
    QCOMPARE(compatta(h), compatta({{"estrazioni", giorni.size()},
                                    {"schedine", schede.size()},
                                    {"vinto", vinto},
                                    {"vincita_massima", massima},
                                    {"senza_vincite_max", corsaMassima}}));

    if (dal != tutti.first().data)
        return; // delays always count from the archive's first day
    const QList<QJsonObject> d =
        righe(runCli(QStringList{"delays", path("set.slott"), "--al", al} + archivio).out);
    QCOMPARE(d, ritardi);
}

void tst_Estrazioni::statistiche_data()
{
    QTest::addColumn<QStringList>("opzioni");
    QTest::addColumn<int>("ruota"); // -1: every wheel
    QTest::addColumn<QString>("dal");
    QTest::addColumn<QString>("al");
    QTest::newRow("every wheel") << QStringList() << -1 << ""
                                 << "9";
    QTest::newRow("the Nazionale") << QStringList{"--ruota", "nazionale"} << 10 << ""
                                   << "9";
    QTest::newRow("Bari, part of the days")
        << QStringList{"--ruota", "BARI", "--dal", "10/01/2000", "--al", "2000/02/03"} << 0
        << "2000-01-10"
        << "2000-02-03";
}

// Each number's outings and delays on each wheel, counted by the test over the days that wheel
// was drawn.
void tst_Estrazioni::statistiche()
{
    QFETCH(QStringList, opzioni);
    QFETCH(int, ruota);
    QFETCH(QString, dal);
    QFETCH(QString, al);
    const QList<Giorno> giorni = giorniCasuali(30, 7);
    writeBytes(path("a.txt"), testo(giorni));
    const QStringList archivio = {"--archivio", path("a.sqlite")};
    QCOMPARE(runCli(QStringList{"draws", "import", path("a.txt")} + archivio).exitCode, 0);
    QList<QJsonObject> attese;
    for (int w = 0; w <= 10; ++w) {
        if (ruota >= 0 && w != ruota)
            continue;
        for (int n = 1; n <= 90; ++n) {
            qint64 uscite = 0, ritardo = 0, massimo = 0;
            for (const Giorno &g : giorni) {
                if (g.data < dal || g.data > al || !g.ruote.contains(w))
                    continue;
                if (g.ruote[w].contains(n))
                    ++uscite, ritardo = 0;
                else
                    massimo = std::max(massimo, ++ritardo);
            }
            attese << QJsonObject{{"ruota", kNomi[w]},
                                  {"numero", n},
                                  {"uscite", uscite},
                                  {"ritardo", ritardo},
                                  {"ritardo_massimo", massimo}};
        }
    }
    QCOMPARE(righe(runCli(QStringList{"stats"} + opzioni + archivio).out), attese);
}

// An import killed at any instant leaves the archive as it was before it, or with the whole
// file: importing the file again then adds all of its days, or none.
void tst_Estrazioni::importUccisa()
{
    const QString archivio = path("a.sqlite");
    writeBytes(path("prima.txt"), "1938/12/31\tBA\t1\t2\t3\t4\t5\n");
    QCOMPARE(runCli({"draws", "import", path("prima.txt"), "--archivio", archivio}).exitCode, 0);
    QFile::copy(archivio, path("prima.sqlite"));
    QList<Giorno> giorni;
    for (int d = 0; d < 7000; ++d) {
        Giorno g{QDate(1939, 1, 7).addDays(d * 4).toString(Qt::ISODate), {}};
        for (int w = 0; w < 10; ++w)
            g.ruote[w] = {1 + (d + w) % 86, 2 + (d + w) % 86, 3 + (d + w) % 86, 4 + (d + w) % 86,
                          5 + (d + w) % 86};
        giorni << g;
    }
    scrivi(path("storico.zip"), testo(giorni), true);
    const QStringList importa = {"draws", "import", path("storico.zip"), "--archivio", archivio};
    QElapsedTimer tempo;
    tempo.start();
    QCOMPARE(runCli(importa).exitCode, 0);
    const int durata = int(tempo.elapsed());
    QSet<int> nuove;
    for (int prova = 0; prova < 4; ++prova) {
        QFile::remove(archivio);
        QFile::copy(path("prima.sqlite"), archivio);
        QProcess p;
        p.start(ZAFFIRONE_CLI, importa);
        QVERIFY(p.waitForStarted());
        QTest::qSleep(int(QRandomGenerator::global()->bounded(durata + 1)) * prova / 3);
        ::kill(pid_t(p.processId()), SIGKILL);
        p.waitForFinished();
        const QJsonObject dopo = righe(runCli(importa).out).value(0);
        QCOMPARE(dopo["estrazioni"].toInt(), 7001);
        QVERIFY2(dopo["nuove"].toInt() == 0 || dopo["nuove"].toInt() == 7000,
                 compatta(dopo).toUtf8().constData());
        nuove << dopo["nuove"].toInt();
    }
    QVERIFY(nuove.contains(7000)); // at least the kill at once came before the end
}

// Two companions importing different days at the same moment: the archive ends with both.
void tst_Estrazioni::dueImportInsieme()
{
    QList<QProcess *> importazioni;
    for (int parte = 0; parte < 2; ++parte) {
        QList<Giorno> giorni;
        for (int d = 0; d < 3000; ++d)
            giorni << Giorno{QDate(1950 + 40 * parte, 1, 7).addDays(d * 4).toString(Qt::ISODate),
                             {{0, {1, 2, 3, 4, 5}}, {10, {6, 7, 8, 9, 10}}}};
        writeBytes(path(QString("parte%1.txt").arg(parte)), testo(giorni));
        importazioni << new QProcess(this);
    }
    for (int parte = 0; parte < 2; ++parte)
        importazioni[parte]->start(ZAFFIRONE_CLI,
                                   {"draws", "import", path(QString("parte%1.txt").arg(parte)),
                                    "--archivio", path("a.sqlite")});
    for (QProcess *p : importazioni) {
        QVERIFY(p->waitForFinished(20000));
        QCOMPARE(p->exitCode(), 0);
        QCOMPARE(righe(p->readAllStandardOutput()).value(0)["nuove"].toInt(), 3000);
    }
    const CliResult dopo =
        runCli({"draws", "import", path("parte0.txt"), "--archivio", path("a.sqlite")});
    QCOMPARE(righe(dopo.out).value(0)["estrazioni"].toInt(), 6000);
}

QTEST_GUILESS_MAIN(tst_Estrazioni)
#include "tst_estrazioni.moc"
