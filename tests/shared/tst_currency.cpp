#include "shared/currency.h"
#include "shared/numberformat.h"

#include <QTest>

#include <limits>

// Points and stakes as the player reads them, and the exact arithmetic behind them.
class tst_Currency : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void generalFormat_data();
    void generalFormat();
    void stakeAsTyped_data();
    void stakeAsTyped();
    void checkedArithmetic_data();
    void checkedArithmetic();
    void doubleFormat_data();
    void doubleFormat();
};

void tst_Currency::generalFormat_data()
{
    QTest::addColumn<qint64>("raw");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole stake") << qint64(50000) << "5";
    QTest::newRow("starting points") << qint64(100000000) << "10000";
    QTest::newRow("half") << qint64(25000) << "2.5";
    QTest::newRow("smallest unit") << qint64(1) << "0.0001";
    QTest::newRow("trailing zeros dropped") << qint64(12300) << "1.23";
    QTest::newRow("zero") << qint64(0) << "0";
    QTest::newRow("negative") << qint64(-32500) << "-3.25";
    QTest::newRow("most negative") << std::numeric_limits<qint64>::min() << "-922337203685477.5808";
    QTest::newRow("largest") << std::numeric_limits<qint64>::max() << "922337203685477.5807";
}

void tst_Currency::generalFormat()
{
    QFETCH(qint64, raw);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(Currency::fromRaw(raw).toString()), text);
}

void tst_Currency::stakeAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<qint64>("raw");
    QTest::newRow("five") << "5" << true << qint64(50000);
    QTest::newRow("leading zeros") << "007" << true << qint64(70000);
    QTest::newRow("zero") << "0" << true << qint64(0);
    QTest::newRow("largest stake") << "922337203685477" << true << qint64(9223372036854770000);
    QTest::newRow("one beyond") << "922337203685478" << false << qint64(0);
    QTest::newRow("far beyond") << "99999999999999999999999" << false << qint64(0);
    QTest::newRow("empty") << "" << false << qint64(0);
    QTest::newRow("sign") << "-5" << false << qint64(0);
    QTest::newRow("decimal") << "2.5" << false << qint64(0);
}

void tst_Currency::stakeAsTyped()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(qint64, raw);
    const auto stake = Currency::fromDigits(typed.toStdString());
    QCOMPARE(stake.has_value(), accepted);
    if (accepted)
        QCOMPARE(stake->raw(), raw);
}

void tst_Currency::checkedArithmetic_data()
{
    QTest::addColumn<qint64>("a");
    QTest::addColumn<qint64>("b");
    QTest::addColumn<bool>("sumFits");
    QTest::addColumn<bool>("differenceFits");
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    constexpr qint64 kMin = std::numeric_limits<qint64>::min();
    QTest::newRow("ordinary") << qint64(80000) << qint64(30000) << true << true;
    QTest::newRow("sum at the top") << kMax - 1 << qint64(1) << true << true;
    QTest::newRow("sum beyond the top") << kMax << qint64(1) << false << true;
    QTest::newRow("difference below the bottom") << kMin << qint64(1) << true << false;
    QTest::newRow("difference of extremes") << kMax << kMin << true << false;
}

void tst_Currency::checkedArithmetic()
{
    QFETCH(qint64, a);
    QFETCH(qint64, b);
    QFETCH(bool, sumFits);
    QFETCH(bool, differenceFits);
    const auto sum = Currency::fromRaw(a).plus(Currency::fromRaw(b));
    const auto difference = Currency::fromRaw(a).minus(Currency::fromRaw(b));
    QCOMPARE(sum.has_value(), sumFits);
    QCOMPARE(difference.has_value(), differenceFits);
    if (sumFits)
        QCOMPARE(sum->raw(), a + b);
    if (differenceFits)
        QCOMPARE(difference->raw(), a - b);
}

void tst_Currency::doubleFormat_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("point");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 2511.0 << "."
                           << "2511";
    QTest::newRow("fraction") << 12.9 << "."
                              << "12.9";
    QTest::newRow("binary noise hidden") << 0.1 + 0.2 << "."
                                         << "0.3";
    QTest::newRow("italian separator") << -8.25 << ","
                                       << "-8,25";
    QTest::newRow("negative zero") << -0.0 << "."
                                   << "0";
    QTest::newRow("ten million and one") << 10000001.0 << "."
                                         << "10000001";
    QTest::newRow("huge") << 1e20 << "."
                          << "1E+20";
}

void tst_Currency::doubleFormat()
{
    QFETCH(double, value);
    QFETCH(QString, point);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(formatGeneral(value, point.at(0).toLatin1())), text);
}

QTEST_APPLESS_MAIN(tst_Currency)
#include "tst_currency.moc"
