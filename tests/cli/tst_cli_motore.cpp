#include "support/clirunner.h"
#include "support/generatorescriptato.h"
#include "support/setfiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

// The companion's engine commands: evaluate, odds and simulate, as scripts read them.
class tst_CliMotore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void evaluateWorkedExample();
    void evaluateRefuses_data();
    void evaluateRefuses();
    void oddsAreExact_data();
    void oddsAreExact();
    void simulateRepeatsWithASeed();
    void oddsAgreeWithSimulation();
    void readOnlyCommandsNeverCreate_data();
    void readOnlyCommandsNeverCreate();

private:
    QString setPath() const { return m_dir->filePath(QStringLiteral("set.slott")); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

QByteArray ticket(const QList<int> &numbers, const QList<int> &wheels,
                  const QList<QPair<int, int>> &stakes)
{
    QMap<int, qint64> raw;
    for (const auto &[type, stake] : stakes)
        raw[type] = qint64(stake) * 10000;
    return ticketRecord("Prova", numbers, wheels, raw);
}

QString drawText(const QMap<int, QList<int>> &wheels)
{
    QStringList numbers;
    for (int n : GeneratoreScriptato::numeriCon(wheels))
        numbers << QString::number(n);
    return numbers.join(',');
}

QJsonObject json(const QByteArray &line)
{
    return QJsonDocument::fromJson(line).object();
}

} // namespace

void tst_CliMotore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void tst_CliMotore::evaluateWorkedExample()
{
    writeBytes(setPath(),
               ticket({9}, {0}, {{0, 1}}) + ticket({11, 22, 33}, {0}, {{0, 10}, {1, 10}}));
    const auto run =
        runCli({"evaluate", setPath(), "2", "--estrazione", drawText({{0, {22, 33}}, {1, {11}}})});
    QCOMPARE(run.exitCode, 0);
    const QJsonObject out = json(run.out);
    QCOMPARE(out["annunci"].toArray(),
             QJsonDocument::fromJson(R"([{"tipo":"Estratto","ruota":"Bari"},)"
                                     R"({"tipo":"Ambo","ruota":"Bari"}])")
                 .array());
    QCOMPARE(out["ruote"].toArray().size(), 1);
    QCOMPARE(out["ruote"][0]["ruota"].toString(), QString("Bari"));
    QCOMPARE(out["ruote"][0]["importo"].toDouble(), 2511.0);
    QCOMPARE(out["ruote"][0]["vincita"].toInteger(), 2511);
    QCOMPARE(out["totale"].toInteger(), 2511);
}

void tst_CliMotore::evaluateRefuses_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    const QString draw = drawText({});
    QTest::newRow("record 0") << QStringList{"0", "--estrazione", draw} << 2;
    QTest::newRow("record past the end") << QStringList{"2", "--estrazione", draw} << 2;
    QTest::newRow("49 numbers") << QStringList{"1", "--estrazione", draw.section(',', 0, 48)} << 2;
    QTest::newRow("91") << QStringList{"1", "--estrazione", "91," + draw.section(',', 1)} << 2;
    QTest::newRow("repeat on a wheel")
        << QStringList{"1", "--estrazione", "61," + draw.section(',', 1)} << 2;
    QTest::newRow("not a number") << QStringList{"1", "--estrazione", "x," + draw.section(',', 1)}
                                  << 2;
}

void tst_CliMotore::evaluateRefuses()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    writeBytes(setPath(), ticket({9}, {0}, {{0, 1}}) + "tail");
    const auto run = runCli(QStringList{"evaluate", setPath()} + args);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(run.err.count('\n'), 1);
}

void tst_CliMotore::oddsAreExact_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<double>("expected");
    QTest::addColumn<QString>("costo");
    // One number on Bari pays 11 in 5 draws out of 90.
    QTest::newRow("one number, Estratto") << ticket({45}, {0}, {{0, 1}}) << 11.0 * 5 / 90 << "1";
    // The same number in two boxes: when it comes out the game counts two hits, an Ambo.
    QTest::newRow("a number twice wins Ambo")
        << ticket({7, 7}, {0}, {{1, 1}}) << 250.0 * 5 / 90 << "1";
    // Out of range numbers are never drawn.
    QTest::newRow("number 95 never comes out") << ticket({95}, {0}, {{0, 1}}) << 0.0 << "1";
    // On all wheels the stake is shared: 11.2 / 10 credits 1 on each of ten wheels.
    QTest::newRow("all wheels") << ticket({45}, {10}, {{0, 1}}) << 10.0 * 5 / 90 << "1";
}

void tst_CliMotore::oddsAreExact()
{
    QFETCH(QByteArray, record);
    QFETCH(double, expected);
    QFETCH(QString, costo);
    writeBytes(setPath(), record + ticket({1}, {0}, {}));
    const auto run = runCli({"odds", setPath()});
    QCOMPARE(run.exitCode, 0);
    const auto lines = run.out.split('\n');
    QCOMPARE(lines.size(), 3);
    const QJsonObject first = json(lines[0]);
    QCOMPARE(first["record"].toInt(), 1);
    QCOMPARE(first["costo"].toString(), costo);
    QVERIFY(qAbs(first["ritorno_atteso"].toDouble() - expected) < 1e-12);
    QVERIFY(qAbs(first["rendimento"].toDouble() - expected) < 1e-12);
    QVERIFY(json(lines[1])["rendimento"].isNull()); // costs nothing
}

void tst_CliMotore::simulateRepeatsWithASeed()
{
    writeBytes(setPath(),
               ticket({1, 2, 3}, {0, 4}, {{0, 1}, {1, 2}}) + ticket({50}, {10}, {{0, 3}}));
    const QStringList args = {"simulate", setPath(), "--estrazioni", "2000", "--seme", "42"};
    auto first = json(runCli(args).out);
    auto second = json(runCli(args).out);
    for (auto *run : {&first, &second}) {
        run->remove("secondi");
        run->remove("valutazioni_al_secondo");
    }
    QCOMPARE(first, second);
    QCOMPARE(first["estrazioni"].toInteger(), 2000);
    QCOMPARE(first["schedine"].toInteger(), 2);
    QCOMPARE(first["puntato"].toString(), QString("12000"));
    QCOMPARE(first["rendimento"].toDouble(), first["vinto"].toDouble() / 12000);
    const auto other =
        json(runCli({"simulate", setPath(), "--estrazioni", "2000", "--seme", "43"}).out);
    QVERIFY(other["vinto"] != first["vinto"]);
}

void tst_CliMotore::oddsAgreeWithSimulation()
{
    writeBytes(setPath(), ticket({45}, {10}, {{0, 1}}) + ticket({3, 4}, {0, 1, 2}, {{0, 1}}));
    const auto odds = runCli({"odds", setPath()}).out.split('\n');
    const double expected =
        json(odds[0])["ritorno_atteso"].toDouble() + json(odds[1])["ritorno_atteso"].toDouble();
    const int draws = 200000;
    const auto sim = json(
        runCli({"simulate", setPath(), "--estrazioni", QString::number(draws), "--seme", "7"}).out);
    const double perDraw = sim["vinto"].toDouble() / draws;
    // Each draw credits at most 10 + 3, about 0.7 on average: well within 0.01 at this size.
    QVERIFY2(qAbs(perDraw - expected) < 0.01,
             qPrintable(QStringLiteral("%1 against %2").arg(perDraw).arg(expected)));
}

void tst_CliMotore::readOnlyCommandsNeverCreate_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("evaluate") << QStringList{"evaluate", "1", "--estrazione", drawText({})};
    QTest::newRow("odds") << QStringList{"odds"};
    QTest::newRow("simulate") << QStringList{"simulate", "--estrazioni", "5"};
}

void tst_CliMotore::readOnlyCommandsNeverCreate()
{
    QFETCH(QStringList, args);
    args.insert(1, setPath());
    const auto run = runCli(args);
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.contains("non esiste"));
    QVERIFY(!QFile::exists(setPath()));
}

QTEST_GUILESS_MAIN(tst_CliMotore)
#include "tst_cli_motore.moc"
