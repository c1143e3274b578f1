#include "storage/schedina.h"
#include "support/setfiles.h"

#include <QTest>

#include <limits>

// The 126-byte record: what a ticket looks like on disk and what it costs.
class tst_Schedina : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void workedExampleBytes();
    void roundTripKeepsEveryField_data();
    void roundTripKeepsEveryField();
    void cost_data();
    void cost();
};

void tst_Schedina::workedExampleBytes()
{
    Schedina s;
    s.impostaTitolo("Prova");
    s.numeri[0] = 12;
    s.numeri[1] = 34;
    s.ruote[0] = 1;
    s.giocate[1] = 1;
    s.puntate[1] = *Currency::fromWhole(5);
    const auto record = s.codifica();
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(record.data()), 126), provaRecord());
    QCOMPARE(Schedina::decodifica(record.data()), s);
}

void tst_Schedina::roundTripKeepsEveryField_data()
{
    QTest::addColumn<QByteArray>("record");
    QByteArray withNul = provaRecord();
    withNul[3] = '\0';
    withNul[19] = static_cast<char>(0x9D);
    QByteArray negatives(126, '\xFF');
    QByteArray stakeTop = provaRecord();
    for (int i = 86; i < 93; ++i)
        stakeTop[i] = '\xFF';
    stakeTop[93] = '\x7F';
    QTest::newRow("worked example") << provaRecord();
    QTest::newRow("NUL and undefined byte in the title") << withNul;
    QTest::newRow("all bits set: negative numbers and flags") << negatives;
    QTest::newRow("largest stake") << stakeTop;
    QTest::newRow("all zero") << QByteArray(126, '\0');
}

void tst_Schedina::roundTripKeepsEveryField()
{
    QFETCH(QByteArray, record);
    const auto s = Schedina::decodifica(reinterpret_cast<const unsigned char *>(record.data()));
    const auto again = s.codifica();
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(again.data()), 126), record);
}

void tst_Schedina::cost_data()
{
    QTest::addColumn<QList<int>>("flags");
    QTest::addColumn<QList<qint64>>("stakes");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<qint64>("raw");
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    QTest::newRow("ambo at 5") << QList<int>{0, 1, 0, 0, 0, 0}
                               << QList<qint64>{0, 50000, 0, 0, 0, 0} << true << qint64(50000);
    QTest::newRow("stake kept on an unplayed bet type is free")
        << QList<int>{1, 0, 0, 0, 0, 0} << QList<qint64>{30000, 90000, 0, 0, 0, 0} << true
        << qint64(30000);
    QTest::newRow("only a flag of exactly 1 counts")
        << QList<int>{2, -1, 1, 0, 0, 0} << QList<qint64>{10000, 10000, 10000, 0, 0, 0} << true
        << qint64(10000);
    QTest::newRow("unused sixth element never counts")
        << QList<int>{0, 0, 0, 0, 1, 1} << QList<qint64>{0, 0, 0, 0, 20000, 70000} << true
        << qint64(20000);
    QTest::newRow("sum beyond the currency range")
        << QList<int>{1, 1, 0, 0, 0, 0} << QList<qint64>{kMax, 1, 0, 0, 0, 0} << false << qint64(0);
    QTest::newRow("negative stakes from a crafted record")
        << QList<int>{1, 1, 0, 0, 0, 0} << QList<qint64>{-50000, 20000, 0, 0, 0, 0} << true
        << qint64(-30000);
}

void tst_Schedina::cost()
{
    QFETCH(QList<int>, flags);
    QFETCH(QList<qint64>, stakes);
    QFETCH(bool, fits);
    QFETCH(qint64, raw);
    Schedina s;
    for (int i = 0; i < 6; ++i) {
        s.giocate[i] = static_cast<std::int16_t>(flags[i]);
        s.puntate[i] = Currency::fromRaw(stakes[i]);
    }
    const auto cost = s.costo();
    QCOMPARE(cost.has_value(), fits);
    if (fits)
        QCOMPARE(cost->raw(), raw);
}

QTEST_APPLESS_MAIN(tst_Schedina)
#include "tst_schedina.moc"
