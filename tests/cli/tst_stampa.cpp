#include "support/clirunner.h"
#include "support/pdf.h"
#include "support/setfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kUno = "set.slott Pagina 1 di 1\n";
const QString kTotaleUno = "\nTotali\nSchedine 1\nPuntata totale ";

// Forty tickets of an Ambo at 1 on Bari, "T1" to "T40".
QByteArray quaranta()
{
    QByteArray set;
    for (int i = 1; i <= 40; ++i)
        set += ticketRecord(qPrintable("T" + QString::number(i)), {i, i + 1}, {0}, {{1, 10000}});
    return set;
}

} // namespace

// "zaffirone-cli print" as a player meets it: the PDF's pages read back as text, their size, and
// nothing drawn into the bottom margin.
class tst_Stampa : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void print_data()
    {
        QTest::addColumn<QByteArray>("set");
        QTest::addColumn<QString>("args");
        QTest::addColumn<QString>("said");
        QTest::addColumn<QStringList>("pages"); // "*": that page's text not compared
        QTest::newRow("Ambo on Bari")
            << ticketRecord("Prova", {12, 34}, {0}, {{1, 50000}}) << ""
            << R"({"schedine":1,"pagine":1,"puntata_totale":"5"})"
            << QStringList{kUno + "1. Prova\nNumeri 12 34\nRuote BARI\nGiocate Ambo 5\nCosto 5" +
                           kTotaleUno + "5"};
        QTest::newRow("every bet type, a decimal comma, all ten wheels read TUTTE")
            << ticketRecord("Tutto", {1, 2, 3, 4, 90}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
                            {{0, 25000}, {1, 10000}, {2, 10000}, {3, 10000}, {4, 10000}})
            << ""
            << R"({"schedine":1,"pagine":1,"puntata_totale":"6.5"})"
            << QStringList{kUno +
                           "1. Tutto\nNumeri 1 2 3 4 90\nRuote TUTTE\nGiocate Estratto 2,5\n"
                           "Ambo 1\nTerno 1\nQuaterna 1\nCinquina 1\nCosto 6,5" +
                           kTotaleUno + "6,5"};
        QTest::newRow("the TUTTE flag, nine wheels over two lines, in file order")
            << ticketRecord("Flag", {7}, {10}, {{0, 10000}}) +
                   ticketRecord("Nove", {8, 9}, {0, 1, 2, 3, 4, 5, 6, 7, 8}, {{1, 20000}})
            << ""
            << R"({"schedine":2,"pagine":1,"puntata_totale":"3"})"
            << QStringList{kUno +
                           "1. Flag\nNumeri 7\nRuote TUTTE\nGiocate Estratto 1\nCosto 1\n"
                           "2. Nove\nNumeri 8 9\nRuote BARI, CAGLIARI, FIRENZE, GENOVA, MILANO, "
                           "NAPOLI, PALERMO, ROMA,\nTORINO\nGiocate Ambo 2\nCosto 2\nTotali\n"
                           "Schedine 2\nPuntata totale 3"};
        QTest::newRow("stakes beyond the currency's range")
            << ticketRecord("Cara", {5}, {0}, {{0, INT64_MAX}, {1, INT64_MAX}}) << ""
            << R"({"schedine":1,"pagine":1,"puntata_totale":null})"
            << QStringList{kUno +
                           "1. Cara\nNumeri 5\nRuote BARI\nGiocate Estratto "
                           "922337203685477,5807\nAmbo 922337203685477,5807\nCosto oltre "
                           "il limite della valuta" +
                           kTotaleUno + "oltre il limite della valuta"};
        QTest::newRow("--titolo picks tickets, blanks aside")
            << ticketRecord("A", {1}, {0}, {{0, 10000}}) +
                   ticketRecord("B", {2}, {0}, {{0, 10000}}) +
                   ticketRecord(" C", {3}, {9}, {{0, 30000}})
            << "--titolo C --titolo A"
            << R"({"schedine":2,"pagine":1,"puntata_totale":"4"})"
            << QStringList{kUno + "1. A\nNumeri 1\nRuote BARI\nGiocate Estratto 1\nCosto 1\n2. "
                                  "C\nNumeri 3\nRuote VENEZIA\nGiocate Estratto 3\nCosto 3\nTotali"
                                  "\nSchedine 2\nPuntata totale 4"};
        QTest::newRow("forty tickets, never a block across two pages")
            << quaranta() << ""
            << R"({"schedine":40,"pagine":6,"puntata_totale":"40"})"
            << QStringList{"*",
                           "*",
                           "*",
                           "*",
                           "*",
                           "set.slott Pagina 6 di 6\n36. T36\nNumeri 36 37\nRuote BARI\nGiocate "
                           "Ambo 1\nCosto 1\n37. T37\nNumeri 37 38\nRuote BARI\nGiocate Ambo 1\n"
                           "Costo 1\n38. T38\nNumeri 38 39\nRuote BARI\nGiocate Ambo 1\nCosto 1\n"
                           "39. T39\nNumeri 39 40\nRuote BARI\nGiocate Ambo 1\nCosto 1\n40. T40\n"
                           "Numeri 40 41\nRuote BARI\nGiocate Ambo 1\nCosto 1\nTotali\nSchedine "
                           "40\nPuntata totale 40"};
        QTest::newRow("a title no ticket has: nothing written")
            << provaRecord() << "--titolo Prova --titolo Altra"
            << "zaffirone-cli: nessuna schedina del file ha il titolo \"Altra\" [2]"
            << QStringList();
        QTest::newRow("the PDF over the set itself: refused")
            << provaRecord() << "--pdf DIR/./set.slott"
            << "zaffirone-cli: il PDF non può prendere il posto del file delle schedine [2]"
            << QStringList();
        QTest::newRow("a PDF in a missing folder")
            << provaRecord() << "--pdf DIR/no/piano.pdf"
            << "zaffirone-cli: Impossibile scrivere \"DIR/no/piano.pdf\": il file o la cartella "
               "non esiste [1]"
            << QStringList();
    }
    void print()
    {
        QFETCH(QByteArray, set);
        QFETCH(QString, args);
        QFETCH(QString, said);
        QFETCH(QStringList, pages);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("piano.pdf");
        writeBytes(dir.filePath("set.slott"), set);
        const CliResult r =
            runCli(QStringList{"print", dir.filePath("set.slott")} +
                   (args.contains("--pdf") ? QStringList() : QStringList{"--pdf", pdf}) +
                   args.replace("DIR", dir.path()).split(' ', Qt::SkipEmptyParts));
        const QString code = r.exitCode ? " [" + QString::number(r.exitCode) + "]" : "";
        QCOMPARE(QString(r.out + r.err).trimmed().replace(dir.path(), "DIR") + code, said);
        QCOMPARE(QFile::exists(pdf), !pages.isEmpty());
        QCOMPARE(readBytes(dir.filePath("set.slott")), set);
        if (pages.isEmpty())
            return;
        const LetturaPdf letto = leggiPdf(pdf);
        QCOMPARE(letto.pagine.size(), pages.size());
        for (qsizetype p = 0; p < pages.size(); ++p) {
            QVERIFY(letto.pagine[p].startsWith(
                QString("set.slott Pagina %1 di %2\n").arg(p + 1).arg(pages.size())));
            if (pages[p] != "*")
                QCOMPARE(letto.pagine[p], pages[p]);
        }
        QCOMPARE(bloccoDiviso(letto.pagine), QString());
        QCOMPARE(letto.formato, QString("A4"));
        QCOMPARE(letto.facce, QStringList({"DejaVuSansMono", "DejaVuSansMono-Bold"}));
        QCOMPARE(letto.margini, QStringList(pages.size(), "bianco"));
    }
    // A set's name too long for the header is cut short of the page's number.
    void aLongNameStopsBeforeThePageNumber()
    {
        QTemporaryDir dir;
        const QString name = QString("schedine di tutta la famiglia, ").repeated(3) + "è.slott";
        writeBytes(dir.filePath(name), provaRecord());
        QCOMPARE(runCli({"print", dir.filePath(name), "--pdf", dir.filePath("p.pdf")}).exitCode, 0);
        const LetturaPdf letto = leggiPdf(dir.filePath("p.pdf"));
        QCOMPARE(letto.pagine.value(0).section('\n', 0, 0), name.left(53) + "… Pagina 1 di 1");
        QCOMPARE(letto.margini, QStringList{"bianco"});
    }
};

QTEST_MAIN(tst_Stampa)
#include "tst_stampa.moc"
