#include "support/clirunner.h"
#include "support/provaincartella.h"
#include "support/setfiles.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QXmlStreamReader>

#include <memory>

// The set in a spreadsheet and back: export's CSV, .ods and .xlsx files, import of each, and
// what LibreOffice and Gnumeric make of them when they open them and save them again.
class tst_Fogli : public ProvaInCartella
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void titlesComeBack_data();
    void titlesComeBack();
    void csvFields_data();
    void csvFields();
    void unknownFormat_data();
    void unknownFormat();
    void changedTitlesRefused_data();
    void changedTitlesRefused();
    void throughSpreadsheets_data();
    void throughSpreadsheets();
    void typedCells_data();
    void typedCells();
    void rowsCounted_data();
    void rowsCounted();

private:
    QString setPath() const { return m_dir->filePath(QStringLiteral("set.slott")); }
    // LibreOffice converts file into the folder out; empty, or why it could not.
    QString libreOffice(const QString &file, const QString &target, const QString &infilter,
                        const QString &out);
    // Gnumeric, as an Italian player runs it, converts file into saved; empty, or why it could
    // not.
    QString gnumeric(const QString &file, const QString &saved, const QStringList &options);
    QString m_soffice;
    QString m_ssconvert;
    std::unique_ptr<QTemporaryDir> m_profile; // LibreOffice's own, made once for every row
};

namespace {

// The titles a spreadsheet converts, and a few it leaves alone.
const QStringList kTitles = {
    "007",  "1.000", "1e5", "+39",         "=SOMMA(1;2)", "Città",       "50%", "01/02",
    "VERO", "'007",  "(5)", " due  spazi", "-1",          "tre   spazi", "@a",  "'ndrangheta"};

// Every title of kTitles on a ticket of its own, with a small stake and the largest whole one.
QByteArray everyTitle()
{
    QByteArray set;
    for (const QString &title : kTitles)
        set += ticketRecord(title.toUtf8().constData(), {12, 34, 56}, {0, 7},
                            {{1, 30000}, {2, 9223372036854770000}});
    return set;
}

} // namespace

void tst_Fogli::initTestCase()
{
    for (const char *name : {"soffice", "libreoffice"}) {
        if (m_soffice.isEmpty())
            m_soffice = QStandardPaths::findExecutable(name);
    }
    m_profile = std::make_unique<QTemporaryDir>();
    m_ssconvert = QStandardPaths::findExecutable("ssconvert");
}

QString tst_Fogli::libreOffice(const QString &file, const QString &target, const QString &infilter,
                               const QString &out)
{
    QStringList args = {"-env:UserInstallation=" +
                            QUrl::fromLocalFile(m_profile->path()).toString(),
                        "--headless", "--norestore"};
    if (!infilter.isEmpty())
        args << "--infilter=" + infilter;
    args << "--convert-to" << target << "--outdir" << out << file;
    QProcess soffice;
    soffice.start(m_soffice, args);
    if (!soffice.waitForFinished(180000)) {
        soffice.kill();
        soffice.waitForFinished();
        return "LibreOffice did not finish in 3 minutes";
    }
    if (soffice.exitCode() != 0)
        return "LibreOffice failed: " + QString::fromUtf8(soffice.readAllStandardError());
    return {};
}

QString tst_Fogli::gnumeric(const QString &file, const QString &saved, const QStringList &options)
{
    QProcess ssconvert;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "it_IT.UTF-8");
    ssconvert.setProcessEnvironment(environment);
    ssconvert.start(m_ssconvert, options + QStringList{file, saved});
    if (!ssconvert.waitForFinished(60000)) {
        ssconvert.kill();
        ssconvert.waitForFinished();
        return "Gnumeric did not finish in a minute";
    }
    if (ssconvert.exitCode() != 0)
        return "Gnumeric failed: " + QString::fromUtf8(ssconvert.readAllStandardError());
    return {};
}

void tst_Fogli::titlesComeBack_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("title");
    for (const char *format : {"csv", "csv-foglio", "ods", "xlsx"}) {
        for (const QString &title : kTitles)
            QTest::newRow(qPrintable(QString(format) + ": " + title)) << format << title;
    }
}

// Whatever a title looks like, it comes back byte for byte from each of export's forms, with
// its stakes.
void tst_Fogli::titlesComeBack()
{
    QFETCH(QString, format);
    QFETCH(QString, title);
    writeBytes(setPath(), ticketRecord(title.toUtf8().constData(), {12, 34, 56}, {0, 7},
                                       {{1, 30000}, {2, 9223372036854770000}}) +
                              ticketRecord("Altro", {45}, {9}, {{0, 10000}}));
    const auto exported = runCli({"export", setPath(), "--formato", format});
    QCOMPARE(exported.exitCode, 0);
    const QString file = m_dir->filePath("schede." + format);
    writeBytes(file, exported.out);
    const QString copy = m_dir->filePath("copia.slott");
    const auto imported = runCli({"import", copy, file});
    QVERIFY2(imported.exitCode == 0, imported.err.constData());
    QCOMPARE(imported.out, QByteArray(R"({"schedine":2,"primo_record":1,"ultimo_record":2})"
                                      "\n"));
    QCOMPARE(readBytes(copy), readBytes(setPath()));
}

void tst_Fogli::csvFields_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("plain");       // the title's field in export's CSV
    QTest::addColumn<QString>("spreadsheet"); // and in --formato csv-foglio
    QTest::newRow("a number with zeros before it") << "007"
                                                   << "007"
                                                   << "'007";
    QTest::newRow("thousands") << "1.000"
                               << "1.000"
                               << "'1.000";
    QTest::newRow("a formula") << "=SOMMA(1;2)"
                               << "\"=SOMMA(1;2)\""
                               << "\"'=SOMMA(1;2)\"";
    QTest::newRow("a date") << "01/02"
                            << "01/02"
                            << "'01/02";
    QTest::newRow("a percentage") << "50%"
                                  << "50%"
                                  << "'50%";
    QTest::newRow("a truth value") << "falso"
                                   << "falso"
                                   << "'falso";
    QTest::newRow("a word") << "Città"
                            << "Città"
                            << "Città";
    QTest::newRow("an apostrophe before a word") << "'ndrangheta"
                                                 << "'ndrangheta"
                                                 << "''ndrangheta";
    QTest::newRow("an apostrophe before a number") << "'007"
                                                   << "''007"
                                                   << "''007";
}

// The CSV a script reads stays as it was but where import would change a title; the one for
// spreadsheets begins with a byte-order mark and keeps every title text.
void tst_Fogli::csvFields()
{
    QFETCH(QString, title);
    QFETCH(QString, plain);
    QFETCH(QString, spreadsheet);
    writeBytes(setPath(), ticketRecord(title.toUtf8().constData(), {12}, {0}, {{0, 10000}}));
    const QByteArray header = "titolo,numeri,ruote,estratto,ambo,terno,quaterna,cinquina\r\n";
    QCOMPARE(runCli({"export", setPath()}).out, header + plain.toUtf8() + ",12,BARI,1,,,,\r\n");
    QCOMPARE(runCli({"export", setPath(), "--formato", "csv-foglio"}).out,
             "\xEF\xBB\xBF" + header + spreadsheet.toUtf8() + ",12,BARI,1,,,,\r\n");
}

void tst_Fogli::unknownFormat_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("a format export does not write") << "pdf";
    QTest::newRow("a format in capitals") << "ODS";
    QTest::newRow("no format") << "";
}

// A format export does not know is refused before anything is written.
void tst_Fogli::unknownFormat()
{
    QFETCH(QString, format);
    writeBytes(setPath(), provaRecord());
    const auto run = runCli({"export", setPath(), "--formato", format});
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(run.err,
             QByteArray("zaffirone-cli: --formato deve essere csv, csv-foglio, ods o xlsx\n"));
}

void tst_Fogli::changedTitlesRefused_data()
{
    QTest::addColumn<QByteArray>("title"); // the CSV's title field, in UTF-8
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err"); // part of the error; empty: none
    QTest::newRow("UTF-8 read as Windows-1252: Città")
        << QByteArray("Citt\xC3\x83\xC2\xA0") << 2
        << R"(riga 3: il titolo "CittÃ)"
           "\u00A0"
           R"(" è testo UTF-8 letto come Windows-1252 ("Città"))";
    QTest::newRow("UTF-8 read as Windows-1252: Perché")
        << QByteArray("Perch\xC3\x83\xC2\xA9") << 2 << R"(("Perché"))";
    QTest::newRow("UTF-8 read as Latin-1: the euro")
        << QByteArray("\xC3\xA2\xC2\x82\xC2\xAC 5") << 2 << R"(("€ 5"))";
    QTest::newRow("a formula's error in Italian")
        << QByteArray("#NOME?") << 2 << "riga 3: il titolo \"#NOME?\" è un errore";
    QTest::newRow("a formula's error in English") << QByteArray("#VALUE!") << 2 << "errore del";
    QTest::newRow("LibreOffice's numbered error") << QByteArray("Err:508") << 2 << "errore del";
    QTest::newRow("an accented title") << QByteArray("Città") << 0 << "";
    QTest::newRow("a capital A with a tilde before a letter") << QByteArray("\xC3\x83x") << 0 << "";
    QTest::newRow("the euro sign") << QByteArray("è; ancora €") << 0 << "";
    QTest::newRow("a hash in a title") << QByteArray("#1 vincente") << 0 << "";
}

// A title a spreadsheet changed on the way back is refused, its line named; a title like it that
// a player may have typed passes.
void tst_Fogli::changedTitlesRefused()
{
    QFETCH(QByteArray, title);
    QFETCH(int, exitCode);
    QFETCH(QString, err);
    const QString csv = m_dir->filePath("schede.csv");
    writeBytes(csv, "titolo,numeri,ruote,estratto,ambo,terno,quaterna,cinquina\r\n"
                    "Prima,1,BARI,1,,,,\r\n\"" +
                        title + "\",2,BARI,1,,,,\r\n");
    const auto run = runCli({"import", setPath(), csv});
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(run.err).contains(err), run.err.constData());
    if (exitCode != 0)
        QVERIFY(!QFile::exists(setPath()));
}

void tst_Fogli::throughSpreadsheets_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("format");  // what export writes
    QTest::addColumn<QString>("target");  // what the program saves
    QTest::addColumn<QString>("options"); // LibreOffice's input filter, empty: by itself; or
                                          // ssconvert's options, apart by "|"
    QTest::addColumn<QString>("refusal"); // part of import's refusal; empty: the set comes back
    const auto row = [](const char *name, const QString &program, const QString &format,
                        const QString &target, const QString &options, const QString &refusal) {
        QTest::newRow(name) << program << format << target << options << refusal;
    };
    const QString lo = "LibreOffice", gn = "Gnumeric";
    const QString utf8 = "CSV:44,34,76,1,,1040,false,true"; // Italian, special numbers on
    const QString csv = "csv:Text - txt - csv (StarCalc):44,34,76";
    row("ods saved as ods", lo, "ods", "ods", "", "");
    row("xlsx saved as xlsx", lo, "xlsx", "xlsx", "", "");
    row("ods saved as xlsx", lo, "ods", "xlsx", "", "");
    row("CSV for spreadsheets saved as CSV", lo, "csv-foglio", csv, utf8, "");
    row("CSV for spreadsheets saved as ods", lo, "csv-foglio", "ods", utf8, "");
    row("plain CSV saved as xlsx: titles turned numbers", lo, "csv", "xlsx", utf8,
        "riga 2: nel foglio di calcolo il titolo è un numero");
    row("plain CSV read as Windows-1252, saved as UTF-8", lo, "csv", csv, "CSV:44,34,1,1",
        "riga 7: il titolo \"CittÃ");
    row("Gnumeric: ods saved as ods", gn, "ods", "ods", "", "");
    row("Gnumeric: xlsx saved as xlsx", gn, "xlsx", "xlsx", "", "");
    row("Gnumeric: CSV for spreadsheets saved as ods", gn, "csv-foglio", "ods", "", "");
    row("Gnumeric: CSV for spreadsheets saved as xlsx", gn, "csv-foglio", "xlsx", "", "");
    // Gnumeric drops the apostrophe of ''007 when it reads it and writes '007 as it is, which
    // no reader tells from 007 kept text: row 2's title again.
    row("Gnumeric: CSV for spreadsheets saved as CSV, '007 is 007", gn, "csv-foglio", "csv", "",
        "riga 11: Il titolo della scheda è già esistente");
    row("Gnumeric: ods saved as CSV as its cells show them, stakes rounded", gn, "ods", "csv",
        "--export-type=Gnumeric_stf:stf_assistant|-O|format=preserve separator=,",
        "riga 2: la puntata \"9");
}

// A set with every awkward title, opened and saved by LibreOffice or Gnumeric, comes back
// exactly, or is refused when the program has changed a title or a stake.
void tst_Fogli::throughSpreadsheets()
{
    QFETCH(QString, program);
    if (program == "LibreOffice" && m_soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed: the Debian package libreoffice-calc-nogui");
    if (program == "Gnumeric" && m_ssconvert.isEmpty())
        QSKIP("Gnumeric (ssconvert) is not installed: the Debian package gnumeric");
    QFETCH(QString, format);
    QFETCH(QString, target);
    QFETCH(QString, options);
    QFETCH(QString, refusal);
    writeBytes(setPath(), everyTitle());
    const QString file = m_dir->filePath("schede." + format.section('-', 0, 0));
    writeBytes(file, runCli({"export", setPath(), "--formato", format}).out);
    const QString out = m_dir->filePath("salvato");
    const QString saved = out + "/schede." + target.section(':', 0, 0);
    const QString why =
        program == "Gnumeric"
            ? (QDir().mkpath(out), gnumeric(file, saved, options.split('|', Qt::SkipEmptyParts)))
            : libreOffice(file, target, options, out);
    QVERIFY2(why.isEmpty(), qPrintable(why));
    QVERIFY2(QFile::exists(saved), qPrintable(saved));
    const QString copy = m_dir->filePath("copia.slott");
    const auto run = runCli({"import", copy, saved});
    if (!refusal.isEmpty()) {
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(QString::fromUtf8(run.err).contains(refusal), run.err.constData());
        return;
    }
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QCOMPARE(readBytes(copy), readBytes(setPath()));
}

void tst_Fogli::typedCells_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("ods") << "ods";
    QTest::newRow("xlsx") << "xlsx";
}

// As LibreOffice reads export's spreadsheets: a title, numbers and wheels are text, the stakes
// numbers it can add up.
void tst_Fogli::typedCells()
{
    if (m_soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed: the Debian package libreoffice-calc-nogui");
    QFETCH(QString, format);
    writeBytes(setPath(), ticketRecord("007", {12, 34, 56}, {0}, {{1, 25000}, {2, 30000}}));
    const QString file = m_dir->filePath("schede." + format);
    writeBytes(file, runCli({"export", setPath(), "--formato", format}).out);
    const QString out = m_dir->filePath("piatto");
    const QString why = libreOffice(file, "fods", {}, out);
    QVERIFY2(why.isEmpty(), qPrintable(why));
    QFile flat(out + "/schede.fods");
    QVERIFY(flat.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&flat);
    QStringList cells; // the second row's: type, and value or text
    int row = 0;
    while (!xml.atEnd() && row <= 2) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("table-row"))
            ++row;
        if (row == 2 && xml.isStartElement() && xml.name() == QLatin1String("table-cell")) {
            const auto a = xml.attributes();
            const QString type = a.value("office:value-type").toString();
            const QString value =
                type == "float"
                    ? a.value("office:value").toString()
                    : xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
            const int repeated = qMax(1, a.value("table:number-columns-repeated").toInt());
            for (int k = 0; k < repeated && cells.size() < 8; ++k)
                cells << type + ":" + value;
        }
    }
    QCOMPARE(cells, QStringList({"string:007", "string:12 34 56", "string:BARI", ":", "float:2.5",
                                 "float:3", ":", ":"}));
}

void tst_Fogli::rowsCounted_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("empty");    // the spreadsheet has a header only
    QTest::addColumn<qint64>("before"); // records of the set imported into; -1: no set
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("said"); // part of import's output or errors
    for (const char *format : {"ods", "xlsx"}) {
        QTest::newRow(qPrintable(QString(format) + ": no rows, no set made"))
            << format << true << qint64(-1) << 0 << QByteArray(R"({"schedine":0,)");
        QTest::newRow(qPrintable(QString(format) + ": past two million in the set"))
            << format << false << qint64(1999991) << 2
            << QByteArray("Il file avrebbe 2000007 schedine");
    }
}

// A spreadsheet's rows, counted as they are read, make no set when there are none and are
// refused whole when the set could not hold them all.
void tst_Fogli::rowsCounted()
{
    QFETCH(QString, format);
    QFETCH(bool, empty);
    QFETCH(qint64, before);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, said);
    writeBytes(setPath(), empty ? QByteArray() : everyTitle());
    const QString file = m_dir->filePath("schede." + format);
    writeBytes(file, runCli({"export", setPath(), "--formato", format}).out);
    QFile target(m_dir->filePath("altro.slott"));
    if (before >= 0)
        QVERIFY(target.open(QIODevice::WriteOnly) && target.resize(before * 126));
    const auto run = runCli({"import", target.fileName(), file});
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2((run.out + run.err).contains(said), run.err.constData());
    QCOMPARE(target.exists() ? target.size() : -126, before * 126);
}

QTEST_GUILESS_MAIN(tst_Fogli)
#include "tst_fogli.moc"
