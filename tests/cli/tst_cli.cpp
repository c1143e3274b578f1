#include "support/childprocess.h"
#include "support/clirunner.h"
#include "support/setfiles.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

// The companion as players' scripts use it: its output formats, refusals and exit codes.
class tst_Cli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void workedExampleWrittenAndDumped();
    void addWrites_data();
    void addWrites();
    void addRefuses_data();
    void addRefuses();
    void addReportsFilesItCannotUse_data();
    void addReportsFilesItCannotUse();
    void addUnderFileSizeLimitLeavesSetIntact();
    void dumpSizes_data();
    void dumpSizes();
    void dumpDecodesTitles_data();
    void dumpDecodesTitles();
    void dumpCostOutOfRangeIsNull();
    void dumpMissingOrFolder_data();
    void dumpMissingOrFolder();
    void helpIsItalian_data();
    void helpIsItalian();

private:
    QString setPath() const { return m_dir->filePath(QStringLiteral("set.slott")); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

QJsonObject jsonLine(const QByteArray &line)
{
    return QJsonDocument::fromJson(line).object();
}

QList<int> ints(const QJsonValue &array)
{
    QList<int> out;
    for (const QJsonValue &v : array.toArray())
        out << v.toInt();
    return out;
}

QStringList validArgs()
{
    return {"--titolo", "Nuova", "--numeri", "12,34", "--ruote", "BARI", "--giocata", "Ambo=5"};
}

// The arguments of a valid ticket with one option's value replaced or the option removed.
QStringList argsWith(const QString &option, const QStringList &values)
{
    QStringList args = validArgs();
    const auto at = args.indexOf(option);
    args.remove(at, 2);
    for (const QString &value : values)
        args << option << value;
    return args;
}

} // namespace

void tst_Cli::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void tst_Cli::workedExampleWrittenAndDumped()
{
    const auto add = runCli({"add", setPath(), "--titolo", "Prova", "--numeri", "12,34", "--ruote",
                             "BARI", "--giocata", "Ambo=5"});
    QCOMPARE(add.exitCode, 0);
    QCOMPARE(add.out, QByteArray("1\n"));
    QCOMPARE(readBytes(setPath()), provaRecord());

    const auto dump = runCli({"dump", setPath()});
    QCOMPARE(dump.exitCode, 0);
    QCOMPARE(dump.err, QByteArray());
    QCOMPARE(dump.out,
             QByteArray(R"({"record":1,"titolo":"Prova               ","ruote":[1,0,0,0,0,0,0,0,)"
                        R"(0,0,0,0],"numeri":[12,34,0,0,0,0,0,0,0,0,0],"giocate":[0,1,0,0,0,0],)"
                        R"("puntate":["0","5","0","0","0","0"],"costo":"5"})"
                        "\n"));
}

void tst_Cli::addWrites_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("recordNumber");
    QTest::addColumn<QList<int>>("ruote");
    QTest::addColumn<QString>("costo");

    const QList<int> bari = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("names in any case, TUTTE stored alone")
        << QByteArray()
        << QStringList{"--titolo", "Tutte",     "--numeri",   "1,2,3,4,5", "--ruote",
                       "tutte",    "--giocata", "estratto=3", "--giocata", "CINQUINA=1"}
        << QByteArray("1\n") << QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0} << "4";
    QTest::newRow("after a ticket, replacing a 4-byte tail")
        << provaRecord() + QByteArray("Coda") << validArgs() << QByteArray("2\n") << bari << "5";
    QTest::newRow("after a 200-byte file, as record 3")
        << provaRecord() + QByteArray(74, 'x') << validArgs() << QByteArray("3\n") << bari << "5";
    QTest::newRow("stake of zero with leading zeros")
        << QByteArray() << argsWith("--giocata", {"Ambo=000"}) << QByteArray("1\n") << bari << "0";
}

void tst_Cli::addWrites()
{
    QFETCH(QByteArray, before);
    QFETCH(QStringList, args);
    QFETCH(QByteArray, recordNumber);
    QFETCH(QList<int>, ruote);
    QFETCH(QString, costo);
    if (!before.isEmpty())
        writeBytes(setPath(), before);
    const auto add = runCli(QStringList{"add", setPath()} + args);
    QCOMPARE(add.err, QByteArray());
    QCOMPARE(add.exitCode, 0);
    QCOMPARE(add.out, recordNumber);
    const auto lines = runCli({"dump", setPath()}).out.split('\n');
    const QJsonObject last = jsonLine(lines.at(lines.size() - 2));
    QCOMPARE(last["record"].toInt(), recordNumber.trimmed().toInt());
    QCOMPARE(ints(last["ruote"]), ruote);
    QCOMPARE(last["costo"].toString(), costo);
    QCOMPARE(readBytes(setPath()).size(), recordNumber.trimmed().toInt() * 126);
}

void tst_Cli::addRefuses_data()
{
    QTest::addColumn<bool>("setExists");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");

    auto row = [](const char *name, const QStringList &args, const char *message,
                  bool setExists = true) {
        QTest::newRow(name) << setExists << args << QString::fromUtf8(message);
    };
    row("empty title", argsWith("--titolo", {""}), "Non hai dato un titolo alla schedina");
    row("no title, no file created", argsWith("--titolo", {}),
        "Non hai dato un titolo alla schedina", false);
    row("title in the set, blanks ignored", argsWith("--titolo", {" Prova "}),
        "Il titolo della scheda è già esistente, cambialo.");
    row("no number", argsWith("--numeri", {}), "Non hai gocato nessun numero");
    row("zero", argsWith("--numeri", {"12,0"}), "Hai introdotto un numero non compreso tra 1 e 90");
    row("ninety-one", argsWith("--numeri", {"91"}),
        "Hai introdotto un numero non compreso tra 1 e 90");
    row("repeated number", argsWith("--numeri", {"12,34,12"}), "Numero già introdotto");
    row("eleven numbers", argsWith("--numeri", {"1,2,3,4,5,6,7,8,9,10,11"}),
        "Puoi giocare al massimo 10 numeri su una schedina");
    row("not a number", argsWith("--numeri", {"12,tre"}), "\"tre\" non è un numero intero");
    row("number checked before wheels", QStringList{"--titolo", "X", "--numeri", "95"},
        "Hai introdotto un numero non compreso tra 1 e 90");
    row("no wheel", argsWith("--ruote", {}), "Non hai giocato nessuna ruota");
    row("TUTTE with a single wheel", argsWith("--ruote", {"ROMA,TUTTE"}),
        "TUTTE comprende già ogni ruota: non indicare anche ruote singole");
    row("no bet type", argsWith("--giocata", {}), "Almeno una giocata la devi fare");
    row("bet type twice", argsWith("--giocata", {"Ambo=1", "ambo=2"}),
        "Hai indicato la giocata Ambo più di una volta");
    row("too few numbers for the bet type", argsWith("--giocata", {"Terno=1"}),
        "Per giocare Terno servono almeno 3 numeri");
    row("bet type without stake", argsWith("--giocata", {"Ambo"}),
        "Hai scelto una giocata ma non hai puntato");
    row("bet type with empty stake", argsWith("--giocata", {"Ambo="}),
        "Hai scelto una giocata ma non hai puntato");
    row("missing stake before bad stake", argsWith("--giocata", {"Estratto=x", "Ambo"}),
        "Hai scelto una giocata ma non hai puntato");
    row("stake not digits", argsWith("--giocata", {"Ambo=2.5"}), "Puoi solo introdurre cifre");
    row("negative stake", argsWith("--giocata", {"Ambo=-5"}), "Puoi solo introdurre cifre");
    row("stake beyond the currency", argsWith("--giocata", {"Ambo=922337203685478"}),
        "La puntata su Ambo è troppo alta: puoi puntare al massimo 922337203685477");
    row("unknown wheel", argsWith("--ruote", {"ROMA,PISA"}), "Ruota sconosciuta: \"PISA\"");
    row("unknown bet type", argsWith("--giocata", {"Sestina=1"}),
        "Giocata sconosciuta: \"Sestina\"");
    row("unknown option",
        validArgs() << "--colore"
                    << "rosso",
        "argomenti non validi", false);
}

void tst_Cli::addRefuses()
{
    QFETCH(bool, setExists);
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    if (setExists)
        writeBytes(setPath(), provaRecord());
    const auto add = runCli(QStringList{"add", setPath()} + args);
    QCOMPARE(add.exitCode, 2);
    QCOMPARE(add.out, QByteArray());
    QVERIFY2(QString::fromUtf8(add.err).contains(message), add.err.constData());
    QCOMPARE(QFile::exists(setPath()), setExists);
    if (setExists)
        QCOMPARE(readBytes(setPath()), provaRecord());
}

void tst_Cli::addReportsFilesItCannotUse_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder in place of the set")
        << "cartella" << QString::fromUtf8("è una cartella");
    QTest::newRow("missing folder") << "manca/set.slott"
                                    << "non esiste";
}

void tst_Cli::addReportsFilesItCannotUse()
{
    QFETCH(QString, file);
    QFETCH(QString, reason);
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("cartella")));
    const auto add = runCli(QStringList{"add", m_dir->filePath(file)} + validArgs());
    QCOMPARE(add.exitCode, 1);
    QVERIFY2(QString::fromUtf8(add.err).contains(reason), add.err.constData());
    QCOMPARE(add.err.count('\n'), 1);
}

void tst_Cli::addUnderFileSizeLimitLeavesSetIntact()
{
    writeBytes(setPath(), provaRecord());
    const std::string file = toStd(setPath());
    const auto exitCode = runInChild({200, false}, [&] {
        ::execl(ZAFFIRONE_CLI, "zaffirone-cli", "add", file.c_str(), "--titolo", "Nuova",
                "--numeri", "1", "--ruote", "BARI", "--giocata", "Estratto=1", nullptr);
        return 127;
    });
    QCOMPARE(exitCode, std::optional(1));
    QCOMPARE(readBytes(setPath()), provaRecord());
}

void tst_Cli::dumpSizes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("warning");
    QTest::newRow("empty set") << QByteArray() << 0 << QString();
    QTest::newRow("one record") << provaRecord() << 1 << QString();
    QTest::newRow("130 bytes") << provaRecord() + QByteArray(4, ' ') << 1 << "4 byte";
    QTest::newRow("200 bytes") << provaRecord() + QByteArray(74, '\0') << 1 << "74 byte";
    QTest::newRow("tail only") << QByteArray(125, 'x') << 0 << "125 byte";
}

void tst_Cli::dumpSizes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, lines);
    QFETCH(QString, warning);
    writeBytes(setPath(), bytes);
    const auto dump = runCli({"dump", setPath()});
    QCOMPARE(dump.exitCode, 0);
    QCOMPARE(dump.out.count('\n'), lines);
    QCOMPARE(dump.err.isEmpty(), warning.isEmpty());
    QVERIFY(QString::fromUtf8(dump.err).contains(warning));
    QCOMPARE(readBytes(setPath()), bytes);
}

void tst_Cli::dumpDecodesTitles_data()
{
    QTest::addColumn<QByteArray>("title20");
    QTest::addColumn<QString>("titolo");
    QTest::newRow("accents") << QByteArray("Perch\xE9 s\xEC") << QString::fromUtf8("Perché sì");
    QTest::newRow("euro and quotes") << QByteArray("\x80 \x93x\x94") << QString::fromUtf8("€ “x”");
    QTest::newRow("undefined bytes") << QByteArray("\x81\x8D\x8F\x90\x9D")
                                     << QString::fromUtf8("\u0081\u008D\u008F\u0090\u009D");
    QTest::newRow("NUL bytes") << QByteArray("a\0b", 3) << QString::fromUtf8("a\0b", 3);
}

void tst_Cli::dumpDecodesTitles()
{
    QFETCH(QByteArray, title20);
    QFETCH(QString, titolo);
    writeBytes(setPath(), recordWithTitle(title20));
    const auto dump = runCli({"dump", setPath()});
    QCOMPARE(dump.exitCode, 0);
    QCOMPARE(jsonLine(dump.out)["titolo"].toString(), titolo.leftJustified(20, ' '));
}

void tst_Cli::dumpCostOutOfRangeIsNull()
{
    QByteArray record = provaRecord();
    record[66] = 1; // Estratto played as well, at the largest stake
    for (int i = 78; i < 85; ++i)
        record[i] = '\xFF';
    record[85] = '\x7F';
    writeBytes(setPath(), record + provaRecord());
    const auto dump = runCli({"dump", setPath()});
    QCOMPARE(dump.exitCode, 0);
    const auto lines = dump.out.split('\n');
    QVERIFY(jsonLine(lines[0])["costo"].isNull());
    QCOMPARE(jsonLine(lines[0])["puntate"].toArray().at(0).toString(),
             QString("922337203685477.5807"));
    QCOMPARE(jsonLine(lines[1])["costo"].toString(), QString("5"));
    QVERIFY(dump.err.contains("schedina 1"));
}

void tst_Cli::dumpMissingOrFolder_data()
{
    QTest::addColumn<bool>("folder");
    QTest::newRow("missing file, not created") << false;
    QTest::newRow("folder") << true;
}

void tst_Cli::dumpMissingOrFolder()
{
    QFETCH(bool, folder);
    if (folder)
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("set.slott")));
    const auto dump = runCli({"dump", setPath()});
    QCOMPARE(dump.exitCode, 1);
    QCOMPARE(dump.out, QByteArray());
    QCOMPARE(dump.err.count('\n'), 1);
    QVERIFY(dump.err.contains(setPath().toUtf8()));
    QCOMPARE(QFileInfo::exists(setPath()), folder);
}

void tst_Cli::helpIsItalian_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("companion") << QStringList{"--help"};
    QTest::newRow("dump") << QStringList{"dump", "--help"};
    QTest::newRow("add") << QStringList{"add", "--help"};
}

void tst_Cli::helpIsItalian()
{
    QFETCH(QStringList, args);
    const auto help = runCli(args);
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.contains("Uso:"));
    QVERIFY(help.out.contains("Mostra questo aiuto"));
    QVERIFY(!help.out.contains("Usage") && !help.out.contains("Options:"));
}

QTEST_GUILESS_MAIN(tst_Cli)
#include "tst_cli.moc"
