#include "storage/indiceinsieme.h"

#include <QTest>

// One read of a set serves every entry of a click: costs by first title, and the refund's
// search in a circle.
class tst_IndiceInsieme : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void costOfEntries_data();
    void costOfEntries();
    void refundSearchesInACircle_data();
    void refundSearchesInACircle();
    void costBeyondCurrencyIsNothing();
};

namespace {

Schedina ticket(const char *title, std::int64_t cost)
{
    Schedina s;
    s.impostaTitolo(title);
    s.giocate[0] = 1;
    s.puntate[0] = Currency::fromRaw(cost * Currency::kScale);
    return s;
}

// Records 1..5: A costs 5, B 3, A again 7, C 2, B again 11.
IndiceInsieme fiveRecords()
{
    return IndiceInsieme(
        {ticket("A", 5), ticket("B", 3), ticket("A", 7), ticket("C", 2), ticket("B", 11)});
}

std::string entries(const QStringList &titles)
{
    std::vector<std::string> utf8;
    for (const QString &t : titles)
        utf8.push_back(t.toStdString());
    return IndiceInsieme::codificaVoci(utf8);
}

} // namespace

void tst_IndiceInsieme::costOfEntries_data()
{
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<qint64>("cost");
    QTest::newRow("none") << QStringList{} << qint64(0);
    QTest::newRow("first record of a repeated title") << QStringList{"A"} << qint64(5);
    QTest::newRow("repeated entries each cost the first") << QStringList{"A", "A"} << qint64(10);
    QTest::newRow("entry without a record costs 0") << QStringList{"Z", "C"} << qint64(2);
    QTest::newRow("all") << QStringList{"A", "B", "A", "C", "B"} << qint64(18);
}

void tst_IndiceInsieme::costOfEntries()
{
    QFETCH(QStringList, titles);
    QFETCH(qint64, cost);
    QCOMPARE(fiveRecords().costoVoci(entries(titles)),
             std::optional(Currency::fromRaw(cost * Currency::kScale)));
}

void tst_IndiceInsieme::refundSearchesInACircle_data()
{
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<qint64>("refund");
    QTest::newRow("in file order") << QStringList{"A", "B", "A", "C", "B"} << qint64(28);
    QTest::newRow("after B at 2, A is found at 3") << QStringList{"B", "A"} << qint64(10);
    QTest::newRow("after C at 4, B at 5, then round to A at 1")
        << QStringList{"C", "B", "A"} << qint64(18);
    QTest::newRow("missing entry keeps the search where it was")
        << QStringList{"B", "Z", "A"} << qint64(10);
    QTest::newRow("the same title twice takes both records") << QStringList{"B", "B"} << qint64(14);
    QTest::newRow("only missing entries") << QStringList{"Z", "Y"} << qint64(0);
}

void tst_IndiceInsieme::refundSearchesInACircle()
{
    QFETCH(QStringList, titles);
    QFETCH(qint64, refund);
    QCOMPARE(fiveRecords().rimborso(entries(titles)),
             std::optional(Currency::fromRaw(refund * Currency::kScale)));
    QCOMPARE(IndiceInsieme({}).rimborso(entries(titles)), std::optional(Currency()));
}

void tst_IndiceInsieme::costBeyondCurrencyIsNothing()
{
    Schedina huge = ticket("H", 0);
    huge.puntate[0] = Currency::fromRaw(INT64_MAX);
    const IndiceInsieme index({huge, ticket("A", 1)});
    QCOMPARE(index.costoVoci(entries({"H"})), std::optional(Currency::fromRaw(INT64_MAX)));
    QCOMPARE(index.costoVoci(entries({"H", "A"})), std::nullopt);
    QCOMPARE(index.rimborso(entries({"A", "H"})), std::nullopt);
}

QTEST_APPLESS_MAIN(tst_IndiceInsieme)
#include "tst_indiceinsieme.moc"
