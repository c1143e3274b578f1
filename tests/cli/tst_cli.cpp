#include "base/codepage1252.h"
#include "base/combinazioni.h"
#include "storage/bloccoinsieme.h"
#include "support/clirunner.h"
#include "support/generatorescriptato.h"
#include "support/provaincartella.h"
#include "support/setfiles.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cmath>
#include <csignal>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

// The companion as players' scripts use it: its output formats, refusals and exit codes.
class tst_Cli : public ProvaInCartella
{
    Q_OBJECT

private Q_SLOTS:
    // The commands table, run in parts that CTest runs side by side.
    void addCommand_data() { commands_data({"add"}); }
    void addCommand() { commands(); }
    void systemCommand_data() { commands_data({"system"}); }
    void systemCommand() { commands(); }
    void importCommand_data() { commands_data({"import"}); }
    void importCommand() { commands(); }
    void readingCommands_data()
    {
        commands_data({"dump", "export", "evaluate", "odds", "simulate"});
    }
    void readingCommands() { commands(); }
    void oddsAreExact_data();
    void oddsAreExact();
    void simulateAnyThreads_data();
    void simulateAnyThreads();
    void wholeGames_data();
    void wholeGames();
    void oneTicketGames();
    void roundTrip_data();
    void roundTrip();
    void helpInItalian_data();
    void helpInItalian();
    void twoWritersAtOnce();
    void aSetMadeAnewWhileAWriterWaits();
    void importInBoundedMemory_data();
    void importInBoundedMemory();
    void simulateAtItsLimits_data();
    void simulateAtItsLimits();

private:
    // The rows of the commands whose name is among those given.
    static void commands_data(const QStringList &commandNames);
    void commands();
    QString setPath() const { return m_dir->filePath(QStringLiteral("set.slott")); }
};

namespace {

QJsonObject json(const QByteArray &line)
{
    return QJsonDocument::fromJson(line).object();
}

// A ticket staking 1 on each of its bet types.
QByteArray ticket(const QList<int> &numbers, const QList<int> &wheels, const QList<int> &bets)
{
    QMap<int, qint64> stakes;
    for (int bet : bets)
        stakes[bet] = 10000;
    return ticketRecord("Prova", numbers, wheels, stakes);
}

QString drawText(const QMap<int, QList<int>> &wheels)
{
    QStringList numbers;
    for (int n : GeneratoreScriptato::numeriCon(wheels))
        numbers << QString::number(n);
    return numbers.join(',');
}

// The average a ticket of d different numbers returns over its wheels when a wheel on which j
// of them come out pays credits[j]: j come out in C(d, j) C(90 - d, 5 - j) of C(90, 5) draws.
double expected(int d, const QList<double> &credits, int wheels)
{
    const auto choose = [](int n, int k) {
        return double(combinazioni::binomiale(n, k));
    };
    double sum = 0;
    for (int j = 1; j < credits.size(); ++j)
        sum += choose(d, j) * choose(90 - d, 5 - j) / choose(90, 5) * credits[j];
    return sum * wheels;
}

} // namespace

void tst_Cli::commands_data(const QStringList &commandNames)
{
    // The file before; null: none, "/": a folder, "|": a pipe, "=": a socket, "sparse:N": N
    // records of zeros, "->PATH": a symbolic link to PATH, which is missing.
    QTest::addColumn<QByteArray>("set");
    QTest::addColumn<QString>("args"); // "|" between them; FILE is the set, DIR its folder
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QString>("err");       // part of the one line of errors; empty: none
    QTest::addColumn<QByteArray>("dumped"); // part of what dump then shows of the record written
    auto row = [&](const char *name, const QByteArray &set, const QString &args, int exitCode,
                   const QByteArray &out, const char *err, const char *dumped = "") {
        const QString command =
            QString(args).remove(QRegularExpression("^((locked|fsize=|out=)[^|]*\\|)*"));
        if (commandNames.contains(command.section('|', 0, 0)))
            QTest::newRow(name) << set << args << exitCode << out << QString::fromUtf8(err)
                                << QByteArray(dumped);
    };
    const QByteArray none;
    const QByteArray folder("/");
    // A blank title is stored too, so that an empty title would be found in the set.
    const QByteArray prova = provaRecord() + recordWithTitle("");
    const QString x = "X|--numeri|";
    const QString ambo = "|--ruote|BARI|--giocata|Ambo=";
    const QString ok = x + "1,2" + ambo; // a ticket that only needs its Ambo stake
    auto added = [&](const char *name, const QString &args, const char *dumped) {
        row(name, none, "add|FILE|--titolo|" + args, 0, "1\n", "", dumped);
    };
    added("the worked example", "Prova|--numeri|12,34" + ambo + "5",
          R"({"numeri":[12,34,0,0,0,0,0,0,0,0,0],"costo":"5"})");
    added("names in any case, TUTTE stored alone",
          x + "1,2,3,4,5|--ruote|tutte|--giocata|estratto=3|--giocata|CINQUINA=1",
          R"({"ruote":[0,0,0,0,0,0,0,0,0,0,1,0],"giocate":[1,0,0,0,1,0],"costo":"4"})");
    added("blanks around names and numbers",
          x + " 12 , 64 |--ruote| bari , Roma |--giocata| Ambo =5",
          R"({"numeri":[12,64,0,0,0,0,0,0,0,0,0],"ruote":[1,0,0,0,0,0,0,1,0,0,0,0]})");
    added("exactly ten numbers", x + "90,2,3,4,5,6,7,8,9,1|--ruote|BARI|--giocata|Cinquina=1",
          R"({"numeri":[90,2,3,4,5,6,7,8,9,1,0],"giocate":[0,0,0,0,1,0]})");
    added("a stake of zero with leading zeros", ok + "000", R"({"costo":"0"})");
    added("a title the set cannot hold, as it will read", "Łódź 日本|--numeri|1,2" + ambo + "5",
          R"("titolo":"?ód? ??)");
    added("the largest stake", ok + "0922337203685477", R"({"costo":"922337203685477"})");

    // Several faults at once: the first check in the game's order speaks.
    auto refused = [&](const char *name, const QString &args, const char *err) {
        row(name, prova, "add|FILE|--titolo|" + args, 2, {}, err);
    };
    refused("empty title, though a blank title is stored", "", "titolo alla schedina");
    refused("title in the set, blanks ignored, before no number", " Prova ", "già esistente");
    refused("no number before no wheel", "X", "gocato nessun numero");
    refused("a word before a zero in the last box", x + "12,tre,0", "\"tre\" non è un numero");
    refused("ninety-one", x + "91", "non compreso tra 1 e 90");
    refused("nineteen digits", x + "1,9999999999999999999", "non compreso tra 1 e 90");
    refused("a repeat among eleven numbers", x + "1,2,3,4,5,6,7,8,9,10,1", "già introdotto");
    refused("eleven numbers before no wheel", x + "1,2,3,4,5,6,7,8,9,10,11", "al massimo 10");
    refused("no wheel before no bet type", x + "12", "nessuna ruota");
    refused("TUTTE and a wheel before no bet type", x + "1|--ruote|ROMA,TUTTE", "TUTTE comprende");
    refused("a bet type twice before no stake", ok + "|--giocata|ambo=2", "più di una");
    refused("too few numbers before no stake", x + "1,2|--ruote|BARI|--giocata|Terno", "almeno 3");
    refused("no stake before a bad stake", ok + "|--giocata|Estratto=x", "non hai puntato");
    refused("a blank is no digit", ok + " 5|--giocata|Estratto=922337203685478", "solo introdurre");
    refused("a stake beyond the currency", ok + "922337203685478", "al massimo 922337203685477");
    refused("a stake far beyond", ok + "99999999999999999999", "Ambo è troppo alta");
    refused("an unknown wheel", x + "1|--ruote|ROMA,PISA", "Ruota sconosciuta: \"PISA\"");
    refused("an unknown bet type", x + "1|--giocata|Sestina=1", "Giocata sconosciuta: \"Sestina\"");
    refused("an unknown wheel that colours the terminal, not echoed raw",
            x + "1|--ruote|\x1B[31mROMA", "Ruota sconosciuta: \"\\x1B[31mROMA\"");
    // Two titles cut to the same twenty characters would be one title twice in the set.
    refused("a title longer than a ticket keeps", "Sistema del lunedì sera 1|--numeri|1",
            "Il titolo ha 25 caratteri: una schedina ne tiene al massimo 20");
    refused("a title with a line end and an escape, not echoed raw", "Riga\nDue\x1B[2J",
            "Il titolo \"Riga\\nDue\\x1B[2J\" contiene un carattere di controllo");
    row("no title, no file created", none, "add|FILE|--numeri|1", 2, {}, "titolo alla schedina");
    row("an unknown option, in Italian", none, "add|FILE|--colore|rosso", 2, {},
        "argomenti non validi: c'è un argomento in più");
    row("no file named, in Italian", none, "dump", 2, {}, "manca un argomento obbligatorio");

    // Systems: every combination of the numbers in order, titles padded to the count's digits.
    const QString sys = "system|FILE|--ruote|BARI|--giocata|";
    auto system = [&](const char *name, const QString &args, const char *out, const char *first,
                      const char *last) {
        row(name, none, sys + args, 0, QByteArray(out) + "\n", "", QByteArray(first) + "\n" + last);
    };
    system(
        "system: 9 tickets, one digit", "Estratto=2|--numeri|1,2,3,4,5,6,7,8,9|--classe|8",
        R"({"schedine":9,"primo_record":1,"ultimo_record":9,"costo_totale":"18","garanzia":null})",
        R"({"titolo":"Sistema 1           ","numeri":[1,2,3,4,5,6,7,8,0,0,0]})",
        R"({"titolo":"Sistema 9           ","numeri":[2,3,4,5,6,7,8,9,0,0,0],"costo":"2"})");
    system(
        "system: 120 tickets, the numbers sorted",
        "Terno=1|--giocata|Ambo=1|--numeri|90,3,17,25,4,5,6,7,8,9|--classe|3|--titolo|Lun",
        R"({"schedine":120,"primo_record":1,"ultimo_record":120,"costo_totale":"240","garanzia":null})",
        R"({"titolo":"Lun 001             ","numeri":[3,4,5,0,0,0,0,0,0,0,0]})",
        R"({"titolo":"Lun 120             ","numeri":[17,25,90,0,0,0,0,0,0,0,0]})");
    row("system: after a set's tail, titles of another width kept",
        prova + recordWithTitle("Sistema 03") + "Coda", sys + "Ambo=1|--numeri|1,2,3|--classe|2", 0,
        R"({"schedine":3,"primo_record":4,"ultimo_record":6,"costo_totale":"3","garanzia":null})"
        "\n",
        "",
        "{\"record\":4,\"titolo\":\"Sistema 1           \"}\n{\"numeri\":[2,3,0,0,0,0,0,0,0,0,0]}");
    // In pairs on BARI unless the row says otherwise.
    auto pairs = [](QString args) {
        args.prepend("system|FILE|--giocata|Ambo=1|--numeri|");
        return args + (args.contains("--classe") ? "" : "|--classe|2") +
               (args.contains("--ruote") ? "" : "|--ruote|BARI");
    };
    auto refusedSystem = [&](const char *name, const QString &args, const char *err) {
        row(name, prova, pairs(args), 2, {}, err);
    };
    refusedSystem("system: more per ticket than numbers", "5",
                  "non più dei numeri del sistema (1)");
    refusedSystem("system: eleven per ticket", "1,2|--classe|11",
                  "La classe deve essere da 1 a 10");
    refusedSystem("system: Terno in pairs", "1,2,3|--giocata|Terno=1", "servono almeno 3");
    refusedSystem("system: 43,949,268 tickets", sequence(90) + "|--classe|5", "al massimo 1000000");
    refusedSystem("system: a title of 21 characters",
                  sequence(10) + "|--titolo| Sistema del lunedì ",
                  "\"Sistema del lunedì 45\" supera i 20 caratteri");
    refusedSystem("system: a blank prefix", "1,2|--titolo|  ", "non può essere vuoto");
    refusedSystem("system: an unknown guarantee", "1,2|--garanzia|sestina|--se|2",
                  "Garanzia sconosciuta");
    refusedSystem("system: a guarantee without --se", "1,2|--garanzia|ambo",
                  "vanno indicate insieme");
    refusedSystem("system: terno in pairs", "1,2,3|--garanzia|Terno|--se|3", "almeno 3 numeri");
    refusedSystem("system: six drawn", sequence(8) + "|--garanzia|ambo|--se|6", "da 2 a 5");
    refusedSystem("system: 61 numbers, four drawn", sequence(61) + "|--garanzia|ambo|--se|4",
                  "al massimo 60 numeri");
    row("system: a title in the set, the first named",
        prova + recordWithTitle("Sistema 4") + recordWithTitle("Sistema 05") +
            recordWithTitle(" Sistema 03 "),
        pairs(sequence(5)), 2, {},
        "Il titolo della scheda è già esistente, cambialo. (Sistema 03)");
    row("system: past two million in the set", "sparse:1999991", pairs(sequence(5)), 2, {},
        "Il file avrebbe 2000001 schedine");
    row("system: the set held by another writer", prova, "locked|" + pairs("1,2"), 1, {},
        ErroreFile::kInUso);
    row("system: output to a full disk: the tickets stay, and it says so", none,
        "out=/dev/full|" + pairs("1,2"), 1, {}, "le schedine sono nel file, dalla 1 alla 1",
        R"({"numeri":[1,2,0,0,0,0,0,0,0,0,0]})");
    row("system: a link into a missing folder", "->no/set.slott", pairs("1,2"), 1, {},
        "è un collegamento simbolico a un file o a una cartella che non esiste");

    // Rows of a spreadsheet: ";" after a byte-order mark, blank lines, all the rows or none.
    const QString csv = "import|FILE|csv:";
    row("import: ';', a byte-order mark and a blank line", none,
        csv + "\xEF\xBB\xBFtitolo;numeri;ruote;estratto;ambo;terno;quaterna;cinquina\n\n"
              "\"Sì; \"\"no\"\"\";1 2;ROMA;;5;;;\r\n È qui ;90  1 2;tutte;1;1;1;;\n",
        0,
        R"({"schedine":2,"primo_record":1,"ultimo_record":2})"
        "\n",
        "",
        "{\"titolo\":\"Sì; \\\"no\\\"            \",\"costo\":\"5\"}\n"
        R"({"titolo":" È qui              ","numeri":[90,1,2,0,0,0,0,0,0,0,0],"ruote":[0,0,0,0,0,0,0,0,0,0,1,0],"costo":"3"})");
    const QString columns = "titolo,numeri,ruote,estratto,ambo,terno,quaterna,cinquina\r\n";
    // Four bytes of UTF-8 ("?" in the set); a surrogate or an overlong "/" make it Windows-1252.
    for (const auto &[bytes, title] :
         {std::pair{"<xF0><x9F><x98><x80>", R"({"titolo":"X?                  "})"},
          std::pair{"<xED><xA0><x80>", R"({"titolo":"X\u00ed\u00a0\u20ac                "})"},
          std::pair{"<xC0><xAF>", R"({"titolo":"X\u00c0\u00af                 "})"}})
        row(bytes, none, csv + columns + "X" + bytes + ",1,BARI,1,,,,\r\n", 0,
            "{\"schedine\":1,\"primo_record\":1,\"ultimo_record\":1}\n", "", title);
    row("import: every bad row named, nothing written", prova,
        csv + columns +
            "A,1 2,ROMA,,1,,,\r\nB,1 0,ROMA,,1,,,\r\nA,3,BARI,1,,,,\r\nC,1,PISA,1,,,,\r\n"
            "Prova,1,BARI,1,,,,\r\nD,1,BARI,1,,\r\nE,1,BARI,x,,,,\r\n\x1B[2J,1,BARI,1,,,,\r\n"
            "Sistema del lunedì sera 1,1,BARI,1,,,,\r\nN<x00>,1,BARI,1,,,,\r\n\"G,1\r\n",
        2, {},
        "riga 3: Hai introdotto un numero non compreso tra 1 e 90\n"
        "riga 4: Il titolo della scheda è già esistente, cambialo.\n"
        "riga 5: Ruota sconosciuta: \"PISA\"\n"
        "riga 6: Il titolo della scheda è già esistente, cambialo.\n"
        "riga 7: la riga ha 6 campi invece di 8\n"
        "riga 8: Puoi solo introdurre cifre\n"
        "riga 9: Il titolo \"\\x1B[2J\" contiene un carattere di controllo: usa lettere, cifre, "
        "spazi e segni\n"
        "riga 10: Il titolo ha 25 caratteri: una schedina ne tiene al massimo 20\n"
        "riga 11: Il titolo \"N\\x00\" contiene un carattere di controllo: usa lettere, cifre, "
        "spazi e segni\n"
        "riga 12: virgolette aperte e mai chiuse\n");
    QString tenRows;
    for (int i = 0; i < 10; ++i)
        tenRows += QString("T%1,1,BARI,1,,,,\r\n").arg(i);
    row("import: past two million in the set", "sparse:1999991", csv + columns + tenRows, 2, {},
        "Il file avrebbe 2000001 schedine");
    row("import: a refused row makes no file", none, csv + columns + "A,1,PISA,1,,,,", 2, {},
        "riga 2: Ruota sconosciuta");
    row("import: no rows, no file", none, csv + columns, 0,
        R"({"schedine":0,"primo_record":null,"ultimo_record":null})"
        "\n",
        "");
    row("import: a header out of order", prova, csv + "numeri,titolo\r\n", 2, {},
        "riga 1: l'intestazione deve essere titolo,numeri");
    row("import: no CSV", prova, "import|FILE|DIR/no.csv", 1, {},
        "no.csv\": il file o la cartella non esiste");
    row("import: a link to a missing file", "->no.slott", csv + columns + "A,1,BARI,1,,,,", 1, {},
        "è un collegamento simbolico");

    const QString valid = "add|FILE|--titolo|" + ok + "1";
    row("add: a folder", folder, valid, 1, {}, "è una cartella, non un file");
    row("add: no folder", none, QString(valid).replace("FILE", "DIR/no/set.slott"), 1, {},
        "non esiste");
    row("add: a full disk leaves the set as it was", prova, "fsize=300|" + valid, 1, {}, "massima");
    row("add: a link to a missing file", "->no.slott", valid, 1, {}, "è un collegamento simbolico");
    row("add: past two million in the set", "sparse:2000000", valid, 2, {},
        "Il file avrebbe 2000001 schedine");
    row("add: its help to a full disk", none, "out=/dev/full|add|--help", 1, {},
        "Impossibile scrivere l'uscita: il disco è pieno");
    const QString draw = drawText({});
    for (const QString &command :
         QStringList{"dump|FILE", "export|FILE", "evaluate|FILE|1|--estrazione|" + draw,
                     "odds|FILE", "simulate|FILE|--estrazioni|5"}) {
        const QString name = command.section('|', 0, 0);
        row(qPrintable(name + ": missing, not created"), none, command, 1, {}, "non esiste");
        row(qPrintable(name + ": a folder"), folder, command, 1, {}, "è una cartella");
    }
    row("dump: a pipe, which must not hang", "|", "dump|FILE", 1, {}, "non è un file normale");
    row("dump: a socket, a reason with no Italian words of its own", "=", "dump|FILE", 1, {},
        "errore di sistema (codice 6)");

    const QByteArray line =
        R"({"record":1,"titolo":"Prova               ","ruote":[1,0,0,0,0,0,0,0,0,0,0,0],)"
        R"("numeri":[12,34,0,0,0,0,0,0,0,0,0],"giocate":[0,1,0,0,0,0],)"
        R"("puntate":["0","5","0","0","0","0"],"costo":"5"})"
        "\n";
    QByteArray costless = provaRecord();
    costless[66] = 1; // Estratto played as well, at the largest stake
    costless.replace(78, 8, QByteArray(7, '\xFF') + '\x7F');
    row("dump: the worked example", provaRecord(), "dump|FILE", 0, line, "");
    row("dump: 130 bytes", provaRecord() + "Coda", "dump|FILE", 0, line, "termina con 4 byte");
    row("dump: a cost beyond the currency is null", costless + provaRecord(), "dump|FILE", 0,
        QByteArray(line)
                .replace("[0,1,0,0,0,0]", "[1,1,0,0,0,0]")
                .replace(R"(["0","5")", R"(["922337203685477.5807","5")")
                .replace(R"("5"})", "null}") +
            QByteArray(line).replace(":1,", ":2,"),
        "schedina 1: la somma delle puntate supera il limite della valuta, costo null");

    // The set for a spreadsheet: quoted only where a spreadsheet would misread the field.
    const QByteArray header = "titolo,numeri,ruote,estratto,ambo,terno,quaterna,cinquina\r\n";
    row("export: the worked example", provaRecord(), "export|FILE", 0,
        header + "Prova,12 34,BARI,,5,,,\r\n", "");
    row("export: quotes, commas, blanks, a gap and TUTTE",
        ticketRecord(" Perché, \"sì\"", {12, 0, 300}, {0, 10}, {{0, 25000}, {4, 10000}}) +
            recordWithTitle("") + recordWithTitle("a;b") + "Coda",
        "export|FILE", 0,
        header + "\" Perché, \"\"sì\"\"\",12 0 300,BARI TUTTE,2.5,,,,1\r\n\" \",,,,,,,\r\n"
                 "\"a;b\",,,,,,,\r\n",
        "termina con 4 byte");
    const QByteArray set = ticket({9}, {0}, {0}) + ticket({45}, {10}, {0}) + "tail";
    const QString evaluate = "evaluate|FILE|%1|--estrazione|";
    // 11.2 / 10 as a double is a little less than 1.12.
    row("evaluate: all wheels, out on Cagliari and Venezia", set,
        evaluate.arg(2) + drawText({{1, {45}}, {9, {1, 2, 3, 4, 45}}}), 0,
        R"({"annunci":[{"tipo":"Estratto","ruota":"Cagliari"},{"tipo":"Estratto",)"
        R"("ruota":"Venezia"}],"ruote":[{"ruota":"Cagliari","importo":1.1199999999999999,)"
        R"("vincita":1},{"ruota":"Venezia","importo":1.1199999999999999,"vincita":1}],)"
        R"("totale":2})"
        "\n",
        "");
    row("evaluate: record 0", set, evaluate.arg(0) + draw, 2, {}, "non esiste: il file ne ha 2");
    row("evaluate: the tail is no record", set, evaluate.arg(3) + draw, 2, {}, "ne ha 2");
    auto badDraw = [&](const char *name, const QString &numbers) {
        row(name, set, evaluate.arg(1) + numbers, 2, {}, "l'estrazione deve avere 50 numeri");
    };
    badDraw("evaluate: 49 numbers", draw.section(',', 0, 48));
    badDraw("evaluate: 51 numbers", draw + ",1");
    badDraw("evaluate: 91", "91," + draw.section(',', 1));
    badDraw("evaluate: 0", "0," + draw.section(',', 1));
    badDraw("evaluate: a repeat on Venezia", draw.section(',', 0, 48) + ",60");
    badDraw("evaluate: not a number", "x," + draw.section(',', 1));
    auto refusedSimulate = [&](const char *name, const QString &args, const char *err) {
        row(name, set, "simulate|FILE" + args, 2, {}, err);
    };
    refusedSimulate("simulate: negative draws", "|--estrazioni|-1", "vogliono numeri interi");
    refusedSimulate("simulate: a word for the games", "|--partite|tre", "vogliono numeri interi");
    refusedSimulate("simulate: draws and games", "|--estrazioni|5|--partite|5", "uno solo dei due");
    refusedSimulate("simulate: neither draws nor games", "|--seme|5", "uno solo dei due");
    refusedSimulate("simulate: no game", "|--partite|0", "almeno una partita");
    refusedSimulate("simulate: no turn", "|--partite|5|--turni|0", "almeno un turno");
    refusedSimulate("simulate: turns for draws", "|--estrazioni|5|--turni|3", "solo con --partite");
    refusedSimulate("simulate: no thread", "|--partite|5|--thread|0", "da 1 a 1024 thread");
    refusedSimulate("simulate: draws beyond 64 bits", "|--estrazioni|18446744073709551616",
                    "interi da 0 a 18446744073709551615");
    row("simulate: past two million, a refusal", "sparse:2000001", "simulate|FILE|--estrazioni|1",
        2, {}, "al massimo 2000000");
    row("simulate: games on an empty set", "", "simulate|FILE|--partite|5", 2, {},
        "non contiene schedine");
    row("evaluate: a record number that is no number", set, evaluate.arg("abc") + "x", 2, {},
        "\"abc\" non è un numero di schedina");
    row("odds: 130 bytes", provaRecord() + "Coda", "out=/dev/null|odds|FILE", 0, {}, "4 byte");
    row("simulate: 130 bytes", provaRecord() + "Coda", "out=/dev/null|simulate|FILE|--estrazioni|1",
        0, {}, "4 byte");

    // Output that cannot be written: said, exit 1, the set as it was; a closed pipe, silently.
    const QString full = "out=/dev/full|";
    for (const QString &command :
         QStringList{"dump|FILE", "export|FILE", "odds|FILE", "simulate|FILE|--estrazioni|5",
                     evaluate.arg(1) + draw})
        row(qPrintable(command.section('|', 0, 0) + ": output to a full disk"), set.chopped(4),
            full + command, 1, {}, "Impossibile scrivere l'uscita: il disco è pieno");
    row("add: output to a full disk: the ticket stays, and it says so", none, full + valid, 1, {},
        "la schedina è nel file come record 1", R"({"numeri":[1,2,0,0,0,0,0,0,0,0,0]})");
    row("dump: a pipe nobody reads", prova, "out=closed|dump|FILE", 1, {}, "");
    row("add: a set ending in a tail, output to a full disk", set, full + valid, 1, {},
        "come record 3", R"({"titolo":"X                   "})");
    row("add: the set held by another writer", set, "locked|" + valid, 1, {},
        "Il file delle schedine è in uso da un altro programma");
}

// What a command prints and returns; one that fails or only reads leaves the set as it was.
namespace {

// A listening socket's file in the set's place: opening it fails with a reason (ENXIO) that the
// game's own table of reasons does not have.
bool bindSocket(const std::string &path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    path.copy(address.sun_path, path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound =
        fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    if (fd >= 0)
        ::close(fd);
    return bound;
}

} // namespace

void tst_Cli::commands()
{
    QFETCH(QByteArray, set);
    QFETCH(QString, args);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QString, err);
    QFETCH(QByteArray, dumped);
    const qint64 sparse = set.startsWith("sparse:") ? set.mid(7).toLongLong() * 126 : -1;
    const QString link = set.startsWith("->") ? m_dir->filePath(set.mid(2)) : QString();
    if (set == "/")
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("set.slott")));
    else if (set == "|")
        QCOMPARE(::mkfifo(toStd(setPath()).c_str(), 0666), 0);
    else if (set == "=")
        QVERIFY(bindSocket(toStd(setPath())));
    else if (sparse >= 0)
        QVERIFY(QFile(setPath()).open(QIODevice::WriteOnly) && QFile(setPath()).resize(sparse));
    else if (!link.isEmpty())
        QVERIFY(QFile::link(link, setPath()));
    else if (!set.isNull())
        writeBytes(setPath(), set);
    QStringList arguments = withPaths(args, {{"FILE", setPath()}, {"DIR", m_dir->path()}});
    for (QString &argument : arguments) { // "csv:TEXT": a CSV file holding TEXT, "<xHH>" a byte
        if (argument.startsWith("csv:")) {
            QByteArray bytes = argument.mid(4).toUtf8();
            for (qsizetype at; (at = bytes.indexOf("<x")) >= 0;)
                bytes.replace(at, 5, QByteArray::fromHex(bytes.mid(at + 2, 2)));
            writeBytes(m_dir->filePath("in.csv"), bytes);
            argument = m_dir->filePath("in.csv");
        }
    }
    const auto limit = arguments[0].startsWith("fsize=")
                           ? std::optional(arguments.takeFirst().mid(6).toLongLong())
                           : std::nullopt;
    const QString output = arguments[0].startsWith("out=") ? arguments.takeFirst().mid(4) : "";
    QFile held(setPath()); // another writer's hold on the set, for the five seconds it is waited
    if (arguments[0] == "locked")
        QVERIFY(arguments.takeFirst() == "locked" && held.open(QIODevice::ReadWrite) &&
                ::flock(held.handle(), LOCK_EX) == 0);
    const auto run = runCli(arguments, limit, output);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.out, out);
    QVERIFY2(err.isEmpty() ? run.err.isEmpty() : QString::fromUtf8(run.err).contains(err),
             run.err.constData());
    // One line of errors; two where the records were written and the output then failed.
    QVERIFY(exitCode == 2 || run.err.count('\n') <= (exitCode && !dumped.isEmpty() ? 2 : 1));
    // Nothing that moves the cursor or changes the terminal: every control character escaped.
    QVERIFY(std::none_of(run.err.begin(), run.err.end(),
                         [](char c) { return static_cast<unsigned char>(c) < ' ' && c != '\n'; }));
    QVERIFY(exitCode != 1 || !output.isEmpty() || held.isOpen() ||
            run.err.contains(m_dir->path().toUtf8()));
    if (dumped.isEmpty()) {
        if (!link.isEmpty())
            QVERIFY(QFileInfo(setPath()).isSymLink() && !QFileInfo::exists(link));
        else if (sparse >= 0)
            QCOMPARE(QFileInfo(setPath()).size(), sparse);
        else
            QCOMPARE(QFileInfo(setPath()).isFile() ? readBytes(setPath()) : set, set);
        QCOMPARE(QFileInfo::exists(setPath()), !set.isNull() && link.isEmpty());
        return;
    }
    // What dump shows of the first and the last record written, the set ending there; when the
    // numbers could not be printed, what the error says of them.
    const QJsonObject written = json(out);
    const auto said = QRegularExpression("(?:dalla|record) (\\d+)(?: alla (\\d+))?").match(run.err);
    const int first = !out.isEmpty() && written.isEmpty() ? out.trimmed().toInt()
                      : !out.isEmpty()                    ? written["primo_record"].toInt()
                                                          : said.captured(1).toInt();
    const int last = !written.isEmpty()    ? written["ultimo_record"].toInt()
                     : said.hasCaptured(2) ? said.captured(2).toInt()
                                           : first;
    const auto lines = runCli({"dump", setPath()}).out.split('\n');
    QCOMPARE(lines.size(), last + 1);
    const auto wanted = dumped.split('\n');
    for (const auto &[k, expected] :
         {std::pair(first, wanted.first()), std::pair(last, wanted.last())}) {
        const QJsonObject record = json(lines.at(k - 1));
        const QJsonObject fields = json(expected);
        for (auto it = fields.begin(); it != fields.end(); ++it)
            QCOMPARE(record[it.key()], it.value());
    }
}

void tst_Cli::oddsAreExact_data()
{
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<QList<int>>("wheels");
    QTest::addColumn<QList<int>>("bets"); // a stake of 1 on each
    QTest::addColumn<double>("expected");
    auto row = [](const char *name, QList<int> numbers, QList<int> wheels, QList<int> bets,
                  double expected) {
        QTest::newRow(name) << numbers << wheels << bets << expected;
    };
    row("64 alone, Estratto", {64}, {0}, {0}, expected(1, {0, 11}, 1));
    // The same number in two boxes: when it comes out the game counts two hits, an Ambo.
    row("a number twice wins Ambo", {7, 7}, {0}, {1}, expected(1, {0, 250}, 1));
    row("number 95 never comes out", {95}, {0}, {0}, 0);
    // On all wheels the stake is shared: 11.2 / 10 credits 1 on each of ten wheels.
    row("all wheels", {45}, {10}, {0}, expected(1, {0, 1}, 10));
    row("five numbers, Cinquina", {1, 2, 3, 4, 5}, {0}, {4}, expected(5, {0, 0, 0, 0, 0, 1e6}, 1));
    // On two wheels: 1.8 / 2 x 6 = 5.4, 16.6 / 2 x 15 = 124.5, 166666.6 / 2 x 6 = 499999.8.
    row("six numbers with 64, three bet types, two wheels", {10, 20, 30, 40, 50, 64}, {2, 6},
        {0, 1, 4}, expected(6, {0, 5, 124, 124, 124, 499999}, 2));
}

void tst_Cli::oddsAreExact()
{
    QFETCH(QList<int>, numbers);
    QFETCH(QList<int>, wheels);
    QFETCH(QList<int>, bets);
    QFETCH(double, expected);
    writeBytes(setPath(), ticket(numbers, wheels, bets) + ticket({1}, {0}, {}));
    const auto run = runCli({"odds", setPath()});
    const auto lines = run.out.split('\n');
    QCOMPARE(lines.size(), 3);
    const QJsonObject first = json(lines[0]);
    QCOMPARE(first["costo"].toString(), QString::number(bets.size()));
    const double tolerance = 1e-12 * (1 + expected);
    QVERIFY(qAbs(first["ritorno_atteso"].toDouble() - expected) <= tolerance);
    QVERIFY(qAbs(first["rendimento"].toDouble() * bets.size() - expected) <= tolerance);
    QCOMPARE(json(lines[1])["rendimento"], QJsonValue(QJsonValue::Null)); // costs nothing
}

void tst_Cli::simulateAnyThreads_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("draws, in blocks of 1024") << QStringList{"--estrazioni", "20000"};
    QTest::newRow("whole games") << QStringList{"--partite", "300", "--turni", "40"};
}

// The same seed gives the same figures whatever the number of threads. The draws being the
// same, forty tickets (summed eight at a time where the CPU can) win what their two halves of
// twenty (one ticket at a time) win together, within 10% (some 13 standard deviations) of what
// odds says they return.
void tst_Cli::simulateAnyThreads()
{
    QFETCH(QStringList, args);
    QByteArray halves[2];
    for (int i = 0; i < 40; ++i)
        halves[i % 2] += ticket({i + 1, 90 - i, 45 + i % 5}, {i % 7 ? i % 10 : 10}, {0, 1});
    auto simulate = [&](const QByteArray &set, const QString &threads) {
        writeBytes(setPath(), set);
        QJsonObject run = json(
            runCli(QStringList{"simulate", setPath(), "--seme", "7", "--thread", threads} + args)
                .out);
        run.remove("secondi");
        run.remove("valutazioni_al_secondo");
        return run;
    };
    const QByteArray whole = halves[0] + halves[1];
    const QJsonObject first = simulate(whole, "1");
    QCOMPARE(simulate(whole, "2"), first);
    QCOMPARE(simulate(whole, "3"), first);
    if (args[0] == "--partite") {
        QCOMPARE(first["partite"].toInteger(), 300);
        return;
    }
    QCOMPARE(first["schedine"].toInteger(), 40);
    QCOMPARE(first["puntato"].toString(), "1600000");
    QVERIFY(first["vinto"].toDouble() > 0);
    QCOMPARE(first["rendimento"].toDouble(), first["vinto"].toDouble() / 1600000);
    QCOMPARE(first["vinto"].toInteger(), simulate(halves[0], "1")["vinto"].toInteger() +
                                             simulate(halves[1], "1")["vinto"].toInteger());
    writeBytes(setPath(), whole);
    double expected = 0;
    for (const QByteArray &line : runCli({"odds", setPath()}).out.trimmed().split('\n'))
        expected += json(line)["ritorno_atteso"].toDouble() * 20000;
    QVERIFY(qAbs(first["vinto"].toDouble() / expected - 1) < 0.1);
    args[1] = "20480"; // twenty whole blocks win more than the twenty thousand draws asked
    QVERIFY(simulate(whole, "1")["vinto"].toInteger() > first["vinto"].toInteger());
}

void tst_Cli::wholeGames_data()
{
    QTest::addColumn<QByteArray>("set");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("outcome"); // all but the seconds
    auto lost = [](int stake) {
        return ticketRecord("Persa", {95}, {0}, {{0, stake * 10000LL}});
    };
    auto games = [](const char *ends, const char *turns, const char *points) {
        return QByteArray(R"({"partite":3,)") + ends + R"(,"turni":)" + turns +
               R"(,"punti_finali":{"p10":")" + points + R"(","p50":")" + points + R"(","p90":")" +
               points + "\"}}";
    };
    const QStringList three{"--partite", "3"};
    QTest::newRow("dearer than the points: no draw")
        << lost(10001) << three
        << games(R"("vittorie":0,"game_over":0,"ferme":3,"interrotte":0)",
                 R"({"media":0.0,"mediana":0})", "10000");
    QTest::newRow("a cost beyond the currency: no draw")
        << ticketRecord("Cara", {95}, {0}, {{0, INT64_MAX}, {1, INT64_MAX}}) << three
        << games(R"("vittorie":0,"game_over":0,"ferme":3,"interrotte":0)",
                 R"({"media":0.0,"mediana":0})", "10000");
    QTest::newRow("every point on a number never drawn: game over")
        << lost(10000) << three
        << games(R"("vittorie":0,"game_over":3,"ferme":0,"interrotte":0)",
                 R"({"media":1.0,"mediana":1})", "0");
    QTest::newRow("a title twice, priced at its first record")
        << lost(4000) + ticketRecord("Persa", {95}, {0}, {{0, 10000}}) << three
        << games(R"("vittorie":0,"game_over":0,"ferme":3,"interrotte":0)",
                 R"({"media":1.0,"mediana":1})", "2000");
    QTest::newRow("interrupted after the turns allowed, a fraction kept")
        << ticketRecord("Mezza", {95}, {0}, {{0, 25000}}) << three + QStringList{"--turni", "3"}
        << games(R"("vittorie":0,"game_over":0,"ferme":0,"interrotte":3)",
                 R"({"media":3.0,"mediana":3})", "9992.5");
}

// Games whose every turn is known: what each ends with, after how many draws, with what.
void tst_Cli::wholeGames()
{
    QFETCH(QByteArray, set);
    QFETCH(QStringList, args);
    QFETCH(QByteArray, outcome);
    writeBytes(setPath(), set);
    const auto run = runCli(QStringList{"simulate", setPath(), "--seme", "1"} + args);
    QCOMPARE(run.exitCode, 0);
    QJsonObject result = json(run.out);
    QVERIFY(result["secondi"].isDouble());
    result.remove("secondi");
    QCOMPARE(result, json(outcome));
    QVERIFY(run.out.startsWith(outcome.left(outcome.indexOf(",\"turni\""))));
}

// Ten numbers on Bari with every point on Estratto: a turn loses the stake when none of them
// comes out, and pays 11 stakes otherwise. Worked out exactly as a walk on multiples of the
// stake over a thousand turns, the chances of victory and of game over must match those of
// 4000 simulated games within four standard deviations.
void tst_Cli::oneTicketGames()
{
    writeBytes(setPath(),
               ticketRecord("Dieci", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {0}, {{0, 100000000}}));
    for (const QList<int> &out : {QList<int>{1}, QList<int>{1, 2, 3, 4, 5}}) {
        const auto paid =
            runCli({"evaluate", setPath(), "1", "--estrazione", drawText({{0, out}})});
        QCOMPARE(json(paid.out)["totale"].toInteger(), 110000);
    }
    const double miss = 24040016.0 / 43949268.0; // C(80, 5) / C(90, 5)
    std::vector<double> alive(1012, 0.0);        // by points / 10000, above 1000 a victory
    alive[1] = 1;
    double won = 0;
    double lost = 0;
    for (int turn = 0; turn < 1000; ++turn) {
        std::vector<double> next(alive.size(), 0.0);
        for (std::size_t u = 1; u <= 1000; ++u) {
            (u == 1 ? lost : next[u - 1]) += alive[u] * miss;
            (u + 10 > 1000 ? won : next[u + 10]) += alive[u] * (1 - miss);
        }
        alive = next;
    }
    const int n = 4000;
    const QJsonObject result =
        json(runCli({"simulate", setPath(), "--partite", QString::number(n), "--seme", "11"}).out);
    for (const auto &[key, p] : {std::pair("vittorie", won), std::pair("game_over", lost)}) {
        const double seen = result[key].toDouble() / n;
        QVERIFY2(qAbs(seen - p) <= 4 * std::sqrt(p * (1 - p) / n),
                 qPrintable(QString("%1: %2 against %3").arg(key).arg(seen).arg(p)));
    }
}

namespace {

// The process has the file open: a writer at that point waits for the set's lock.
bool holdsOpen(qint64 pid, const QString &file)
{
    const QString target = QFileInfo(file).canonicalFilePath();
    const QDir fds(QString("/proc/%1/fd").arg(pid));
    for (const QFileInfo &fd : fds.entryInfoList(QDir::Files | QDir::System))
        if (fd.symLinkTarget() == target)
            return true;
    return false;
}

} // namespace

// Two companions adding to one set at the same moment, made certain: both are held inside the
// lock's wait (each has the set open while the test holds its lock) and are let go together.
// Neither writes while the lock is held; then each writes a whole ticket of its own after the
// other.
void tst_Cli::twoWritersAtOnce()
{
    writeBytes(setPath(), provaRecord());
    const auto held = BloccoInsieme::prendi(setPath().toStdString());
    QVERIFY(held.ok());
    std::vector<std::unique_ptr<QProcess>> writers;
    for (const char *title : {"A", "B"}) {
        writers.push_back(std::make_unique<QProcess>());
        writers.back()->start(ZAFFIRONE_CLI, {"add", setPath(), "--titolo", title, "--numeri", "1",
                                              "--ruote", "BARI", "--giocata", "Estratto=1"});
        QVERIFY(writers.back()->waitForStarted());
    }
    const auto waiting = [&] {
        return std::all_of(writers.begin(), writers.end(),
                           [&](const auto &w) { return holdsOpen(w->processId(), setPath()); });
    };
    const auto ended = [&] {
        return std::any_of(writers.begin(), writers.end(),
                           [](const auto &w) { return w->state() == QProcess::NotRunning; });
    };
    QVERIFY(QTest::qWaitFor([&] { return waiting() || ended(); }, 20000));
    QVERIFY(!ended());
    QCOMPARE(readBytes(setPath()), provaRecord());
    ::flock(held.valore().fd(), LOCK_UN);
    QSet<QByteArray> numbers;
    for (const auto &writer : writers) {
        QVERIFY(writer->waitForFinished(20000));
        numbers << writer->readAllStandardOutput();
    }
    QCOMPARE(numbers, QSet<QByteArray>({"2\n", "3\n"}));
    const QByteArray file = readBytes(setPath());
    QCOMPARE(file.size(), 3 * 126);
    QCOMPARE(QSet<QByteArray>({file.mid(126, 20).trimmed(), file.mid(252, 20).trimmed()}),
             QSet<QByteArray>({"A", "B"}));
}

// The set deleted and made anew (as "NUOVO INSIEME DI SCHEDE" does) while a companion waits
// for the lock: its ticket goes into the new file, never into the deleted one.
void tst_Cli::aSetMadeAnewWhileAWriterWaits()
{
    writeBytes(setPath(), provaRecord());
    const auto held = BloccoInsieme::prendi(setPath().toStdString());
    QVERIFY(held.ok());
    QProcess writer;
    writer.start(ZAFFIRONE_CLI, {"add", setPath(), "--titolo", "Nuova", "--numeri", "1", "--ruote",
                                 "BARI", "--giocata", "Estratto=1"});
    QVERIFY(writer.waitForStarted());
    QTest::qWait(300);
    QVERIFY(QFile::remove(setPath()));
    writeBytes(setPath(), {});
    ::flock(held.valore().fd(), LOCK_UN);
    QVERIFY(writer.waitForFinished(10000) || writer.state() == QProcess::NotRunning);
    QCOMPARE(writer.readAllStandardOutput(), "1\n");
    QCOMPARE(readBytes(setPath()).mid(0, 5), "Nuova");
    QCOMPARE(::lseek(held.valore().fd(), 0, SEEK_END), off_t(126)); // the deleted one as it was
}

namespace {

// Every step of the companion's run under a limit of its address space, in bytes.
void limitMemory(QProcess &process, qint64 bytes)
{
#if !defined(__SANITIZE_ADDRESS__) // AddressSanitizer's shadow needs the whole address space
    process.setChildProcessModifier([bytes] {
        const rlimit space{rlim_t(bytes), rlim_t(bytes)};
        ::setrlimit(RLIMIT_AS, &space);
    });
#else
    Q_UNUSED(process);
    Q_UNUSED(bytes);
#endif
}

} // namespace

void tst_Cli::importInBoundedMemory_data()
{
    QTest::addColumn<QByteArray>("start"); // the CSV's first bytes
    QTest::addColumn<QByteArray>("line");  // repeated after them; empty: zeros to 32 MB
    QTest::addColumn<int>("lines");
    QTest::addColumn<QByteArray>("err"); // part of what it says
    const QByteArray header = "titolo,numeri,ruote,estratto,ambo,terno,quaterna,cinquina\n";
    QTest::newRow("no header, 32 MB of zeros: refused at once")
        << QByteArray() << QByteArray() << 0 << QByteArray("riga 1: l'intestazione deve essere");
    QTest::newRow("32 MB of one endless row")
        << header << QByteArray() << 0 << QByteArray("riga 2: la riga supera i 4096 caratteri");
    QTest::newRow("a million and a half one-letter rows: thirty said, the rest counted")
        << header << QByteArray("x\n") << 1500000
        << QByteArray("riga 31: la riga ha 1 campi invece di 8\n... e altre 1499970 righe "
                      "rifiutate\n");
    QTest::newRow("past two million rows: refused at the count")
        << header << QByteArray("x\n") << 2000001 << QByteArray("Il CSV ha più di 2000000 righe");
}

// A hostile spreadsheet is refused in memory of its own size, never the file's: the companion
// runs in 64 MB, below what the whole file would take.
void tst_Cli::importInBoundedMemory()
{
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, line);
    QFETCH(int, lines);
    QFETCH(QByteArray, err);
    QFile csv(m_dir->filePath("in.csv"));
    QVERIFY(csv.open(QIODevice::WriteOnly));
    csv.write(start + line.repeated(lines));
    QVERIFY(csv.resize(line.isEmpty() ? 32 << 20 : csv.size()));
    csv.close();
    const auto run = runCli({"import", setPath(), csv.fileName()}, {}, {}, 64 << 20);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(err), run.err.left(300).constData());
    QVERIFY(run.err.count('\n') <= 31);
    QVERIFY(!QFile::exists(setPath()));
}

void tst_Cli::simulateAtItsLimits_data()
{
    QTest::addColumn<QByteArray>("set"); // "sparse": two million records of zeros
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("megabytes"); // the address space it may take
    QTest::addColumn<int>("exitCode");  // -1: still at work when stopped
    QTest::addColumn<QByteArray>("err");
    const QByteArray one = ticketRecord("Uno", {1, 2}, {10}, {{1, 10000}});
    QTest::newRow("the most draws 64 bits count: at work until stopped")
        << one << QStringList{"--estrazioni", "18446744073709551615"} << 256 << -1 << QByteArray();
    QTest::newRow("a billion games in the memory of a few")
        << one << QStringList{"--partite", "1000000000"} << 256 << -1 << QByteArray();
    QTest::newRow("1024 threads where few fit: those made do the work")
        << one << QStringList{"--estrazioni", "1048576", "--thread", "1024"} << 256 << 0
        << QByteArray();
#if !defined(__SANITIZE_ADDRESS__) // there a failed allocation ends the program at once
    QTest::newRow("no memory for the set: said in Italian")
        << QByteArray("sparse") << QStringList{"--estrazioni", "1"} << 128 << 1
        << QByteArray("il comando si è fermato per un problema inatteso: la memoria non basta");
#endif
}

// Counts the command can honour are honoured with bounded memory and threads; the rest of what
// the system refuses it is said in the player's language.
void tst_Cli::simulateAtItsLimits()
{
    QFETCH(QByteArray, set);
    QFETCH(QStringList, args);
    QFETCH(int, megabytes);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, err);
    if (set == "sparse")
        QVERIFY(QFile(setPath()).open(QIODevice::WriteOnly) &&
                QFile(setPath()).resize(2000000 * 126));
    else
        writeBytes(setPath(), set);
    QProcess simulate;
    limitMemory(simulate, qint64(megabytes) << 20);
    simulate.start(ZAFFIRONE_CLI, QStringList{"simulate", setPath(), "--seme", "3"} + args);
    if (exitCode < 0) {
        QVERIFY(!simulate.waitForFinished(300));
        ::kill(pid_t(simulate.processId()), SIGINT);
        QVERIFY(simulate.waitForFinished(2000));
        QCOMPARE(simulate.exitStatus(), QProcess::CrashExit);
        return;
    }
    QVERIFY(simulate.waitForFinished(60000));
    QCOMPARE(simulate.exitCode(), exitCode);
    QVERIFY(simulate.readAllStandardError().contains(err));
    if (exitCode != 0)
        return;
    QJsonObject many = json(simulate.readAllStandardOutput());
    QJsonObject single = json(runCli(QStringList{"simulate", setPath(), "--seme", "3"} +
                                     args.mid(0, 2) + QStringList{"--thread", "1"})
                                  .out);
    for (QJsonObject *run : {&many, &single})
        run->remove("secondi"), run->remove("valutazioni_al_secondo");
    QCOMPARE(many, single);
}

void tst_Cli::roundTrip_data()
{
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("header"); // what the header becomes; empty: as export writes it
    QTest::addColumn<QString>("encoding");
    const QString names = "Titolo;Numeri;Ruote;Estratto;Ambo;Terno;Quaterna;Cinquina";
    QTest::newRow("as export writes it") << ","
                                         << ""
                                         << "UTF-8";
    QTest::newRow("an Italian spreadsheet: Windows-1252, ';', CRLF, capitals")
        << ";" << names << "Windows-1252";
    QTest::newRow("a byte-order mark and names quoted, blanks around them")
        << ";"
        << R"( "titolo" ; "NUMERI";ruote ;"estratto";ambo;terno;quaterna;"cinquina" )"
        << "UTF-8 BOM";
    QTest::newRow("tab-separated") << "\t" << QString(names).replace(';', '\t') << "UTF-8";
    QTest::newRow("UTF-16 after its mark") << ","
                                           << ""
                                           << "UTF-16LE";
}

// A set whose every ticket add accepts goes to a spreadsheet and back, byte for byte, in each
// form a spreadsheet saves it.
void tst_Cli::roundTrip()
{
    QFETCH(QString, separator);
    QFETCH(QString, header);
    QFETCH(QString, encoding);
    writeBytes(setPath(), ticketRecord(" Perché, \"sì\"", {12, 34}, {0, 9}, {{1, 50000}}) +
                              ticketRecord("è; ancora €", {90, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {10},
                                           {{0, 10000}, {4, 9223372036854770000}}) +
                              ticketRecord("Venti caratteri, sì!", {45}, {7}, {{0, 0}}) +
                              ticketRecord("日本", {7, 8, 9}, {5}, {{2, 30000}, {1, 20000}}));
    QString csv = QString::fromUtf8(runCli({"export", setPath()}).out);
    if (!header.isEmpty())
        csv = header + csv.mid(csv.indexOf('\r'));
    bool quoted = false;
    for (QChar &c : csv) { // export's own separators, outside quotes
        quoted = c == '"' ? !quoted : quoted;
        c = c == ',' && !quoted ? separator[0] : c;
    }
    QByteArray bytes = csv.toUtf8();
    if (encoding == "Windows-1252")
        bytes = QByteArray::fromStdString(
            CodePage1252::encodeFromUtf8(csv.toStdString(), std::size_t(-1)));
    else if (encoding == "UTF-8 BOM")
        bytes.prepend("\xEF\xBB\xBF");
    else if (encoding == "UTF-16LE")
        bytes = QByteArray("\xFF\xFE") +
                QByteArray(reinterpret_cast<const char *>(csv.utf16()), csv.size() * 2);
    writeBytes(m_dir->filePath("set.csv"), bytes);
    const QString copy = m_dir->filePath("copia.slott");
    QCOMPARE(runCli({"import", copy, m_dir->filePath("set.csv")}).out,
             R"({"schedine":4,"primo_record":1,"ultimo_record":4})"
             "\n");
    QCOMPARE(readBytes(copy), readBytes(setPath()));
}

void tst_Cli::helpInItalian_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("says"); // part of what the command's own help says
    QTest::newRow("the companion") << ""
                                   << "COMANDO";
    QTest::newRow("system") << "system"
                            << "40 con --se 5";
    QTest::newRow("import") << "import"
                            << "FILE CSV";
    QTest::newRow("export") << "export"
                            << "FILE TESTO OBBLIGATORIO";
    QTest::newRow("add") << "add"
                         << "--giocata TESTO ...";
}

// Every help in the player's language: none of the parser's own English labels is left.
void tst_Cli::helpInItalian()
{
    QFETCH(QString, command);
    QFETCH(QString, says);
    const auto run = runCli(QStringList{command, "--help"}.filter(QRegularExpression(".")));
    QCOMPARE(run.exitCode, 0);
    const QString help = QString::fromUtf8(run.out);
    QVERIFY2(help.contains("Uso: zaffirone-cli") && help.contains(says), qPrintable(help));
    for (const char *english : {"Usage", "OPTIONS", "REQUIRED", "Options", "Positionals", "TEXT",
                                "INT", "Subcommands", "Needs", "Excludes", "help message"})
        QVERIFY2(!help.contains(english), english);
}

QTEST_GUILESS_MAIN(tst_Cli)
#include "tst_cli.moc"
