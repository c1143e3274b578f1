#include "engine/estrazione.h"
#include "engine/valutazione.h"
#include "support/generatorescriptato.h"

#include <QTest>

#include <set>

// The prize evaluation as the player sees it: which wins are announced, in what order, and
// what each wheel credits.
class tst_Valutazione : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void factorTable_data();
    void factorTable();
    void exactFactorsKeepTheirPoints_data();
    void exactFactorsKeepTheirPoints();
    void workedExamples_data();
    void workedExamples();
    void combinationCounts_data();
    void combinationCounts();
    void drawFromScriptedValues();
    void everyDrawHasFiveDifferentNumbersPerWheel();
};

using Drawn = QMap<int, QList<int>>;
using Credits = QMap<int, double>;

namespace {

struct Ticket
{
    QList<int> numeri;
    QList<int> ruote;                  // wheel indexes set to 1 (10 for TUTTE)
    QList<QPair<int, qint64>> puntate; // bet type and raw stake, flag set to 1
};

Schedina make(const Ticket &t)
{
    Schedina s;
    for (int i = 0; i < t.numeri.size(); ++i)
        s.numeri[i] = std::int16_t(t.numeri[i]);
    for (int w : t.ruote)
        s.ruote[w] = 1;
    for (const auto &[type, raw] : t.puntate) {
        s.giocate[type] = 1;
        s.puntate[type] = Currency::fromRaw(raw);
    }
    return s;
}

// A draw with the given numbers first on some wheels and numbers 70.. elsewhere.
Estrazione draw(const Drawn &wheels)
{
    std::array<std::int16_t, 50> numbers{};
    for (int w = 0; w < 10; ++w) {
        const QList<int> given = wheels.value(w);
        int filler = 70 + w;
        for (int p = 0; p < 5; ++p) {
            if (p < given.size()) {
                numbers[w * 5 + p] = std::int16_t(given[p]);
                continue;
            }
            while (given.contains(filler))
                ++filler;
            numbers[w * 5 + p] = std::int16_t(filler++);
        }
    }
    Estrazione e;
    e.imposta(numbers);
    return e;
}

class Registro : public Annunciatore
{
public:
    void annuncia(std::size_t tipo, std::size_t ruota) override
    {
        annunci << QStringLiteral("%1 %2").arg(tipo).arg(ruota);
    }
    QStringList annunci;
};

// Wheel -> credited points, and the announcements, for one ticket.
QPair<Credits, QStringList> evaluate(const Ticket &t, const Estrazione &e)
{
    Registro registro;
    Credits credits;
    Valutazione::Combinazioni combinazioni{};
    Valutazione::valuta(make(t), e, combinazioni, registro, [&](std::size_t w, double v) {
        credits[int(w)] = Valutazione::credito(v);
    });
    return {credits, registro.annunci};
}

QList<int> firstNumbers(int n)
{
    QList<int> numbers;
    for (int i = 1; i <= n; ++i)
        numbers << i;
    return numbers;
}

} // namespace

Q_DECLARE_METATYPE(Ticket)

void tst_Valutazione::factorTable_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("k");
    QTest::addColumn<double>("credit");
    // A stake of 3 on one wheel with exactly k hits; several rows show the double arithmetic
    // (12743 for Terno with ten numbers, not 12744).
    const QList<QList<double>> rows = {
        {33},
        {33, 750},
        {33, 753, 12750},
        {33, 748, 12750, 240000},
        {18, 750, 12750, 240000, 3000000},
        {32, 747, 12750, 239998, 2999998},
        {33, 749, 12747, 239998, 30045708},
        {33, 747, 12734, 239987, 2999992},
        {32, 745, 12748, 239992, 2999997},
        {33, 742, 12743, 239966, 2243959},
    };
    for (int n = 1; n <= 10; ++n) {
        for (int k = 1; k <= std::min(n, 5); ++k)
            QTest::addRow("%d numbers, bet type %d", n, k) << n << k << rows[n - 1][k - 1];
    }
}

void tst_Valutazione::factorTable()
{
    QFETCH(int, n);
    QFETCH(int, k);
    QFETCH(double, credit);
    const Ticket t{firstNumbers(n), {0}, {{k - 1, 30000}}};
    const auto [credits, announced] = evaluate(t, draw({{0, firstNumbers(k)}}));
    QCOMPARE(credits.value(0), credit);
    QCOMPARE(announced.last(), QStringLiteral("%1 0").arg(k - 1));
}

void tst_Valutazione::exactFactorsKeepTheirPoints_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("k");
    QTest::addColumn<qint64>("raw");
    QTest::addColumn<int>("m");
    QTest::addColumn<double>("credit");
    // Stakes for which a product taken as a double would lose a point.
    QTest::newRow("Ambo with 2 numbers") << 2 << 2 << qint64(40040) << 1 << 1001.0;
    QTest::newRow("Terno with 3 numbers") << 3 << 3 << qint64(1720) << 1 << 731.0;
    QTest::newRow("Quaterna with 4 numbers") << 4 << 4 << qint64(3) << 1 << 24.0;
    QTest::newRow("Ambo with 5 numbers, 7 wheels") << 5 << 2 << qint64(280) << 7 << 0.0;
    QTest::newRow("Terno with 5 numbers") << 5 << 3 << qint64(520) << 1 << 221.0;
    QTest::newRow("Quaterna with 5 numbers") << 5 << 4 << qint64(49) << 1 << 392.0;
    QTest::newRow("Cinquina with 5 numbers") << 5 << 5 << qint64(157) << 1 << 15700.0;
}

void tst_Valutazione::exactFactorsKeepTheirPoints()
{
    QFETCH(int, n);
    QFETCH(int, k);
    QFETCH(qint64, raw);
    QFETCH(int, m);
    QFETCH(double, credit);
    QList<int> wheels;
    for (int w = 0; w < m; ++w)
        wheels << w;
    const Ticket t{firstNumbers(n), wheels, {{k - 1, raw}}};
    QCOMPARE(evaluate(t, draw({{0, firstNumbers(k)}})).first.value(0), credit);
}

void tst_Valutazione::workedExamples_data()
{
    QTest::addColumn<Ticket>("ticket");
    QTest::addColumn<Drawn>("drawn");
    QTest::addColumn<Credits>("credits");
    QTest::addColumn<QStringList>("announced");
    const Ticket three{{11, 22, 33}, {0}, {{0, 100000}, {1, 100000}}};
    QTest::newRow("two of three on Bari: 2511, not the sum")
        << three << Drawn{{0, {22, 33}}} << Credits{{0, 2511}} << QStringList{"0 0", "1 0"};
    QTest::newRow("one of three on Bari: 111")
        << three << Drawn{{0, {33}}} << Credits{{0, 111}} << QStringList{"0 0"};
    QTest::newRow("Ambo on all wheels, both on Roma: 25")
        << Ticket{{5, 6}, {10}, {{1, 10000}}} << Drawn{{7, {6, 5}}, {2, {5}}}
        << Credits{{2, 0}, {7, 25}} << QStringList{"1 7"};
    QTest::newRow("ten wheels one by one play as TUTTE")
        << Ticket{{5, 6}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {{1, 10000}}} << Drawn{{7, {6, 5}}}
        << Credits{{7, 25}} << QStringList{"1 7"};
    QTest::newRow("seven numbers, cinquina: 10015236")
        << Ticket{{1, 2, 3, 4, 5, 6, 7}, {3}, {{4, 10000}}} << Drawn{{3, {7, 1, 5, 3, 2}}}
        << Credits{{3, 10015236}} << QStringList{"4 3"};
    QTest::newRow("three hits, only Ambo played: Ambo once")
        << Ticket{{1, 2, 3, 4}, {0}, {{1, 10000}}} << Drawn{{0, {1, 2, 3}}} << Credits{{0, 249}}
        << QStringList{"1 0"};
    QTest::newRow("one number, Estratto flag 0, still announced")
        << Ticket{{9}, {5}, {}} << Drawn{{5, {9}}} << Credits{{5, 0}} << QStringList{"0 5"};
    QTest::newRow("hits but no winning bet type: silent, pays 0")
        << Ticket{{1, 2, 3}, {0}, {{2, 10000}}} << Drawn{{0, {1, 2}}} << Credits{{0, 0}}
        << QStringList{};
    QTest::newRow("a number twice counts twice")
        << Ticket{{7, 7}, {0}, {{1, 10000}}} << Drawn{{0, {7}}} << Credits{{0, 250}}
        << QStringList{"1 0"};
    QTest::newRow("a gap: positions 0..n are counted")
        << Ticket{{0, 12, 34}, {0}, {{1, 10000}}} << Drawn{{0, {34, 12}}} << Credits{{0, 250}}
        << QStringList{"1 0"};
    QTest::newRow("Estratto, Ambo on Bari then Estratto on Roma")
        << Ticket{{1, 2, 3}, {0, 7}, {{0, 10000}, {1, 10000}}} << Drawn{{0, {1, 2}}, {7, {3}}}
        << Credits{{0, 125}, {7, 5}} << QStringList{"0 0", "1 0", "0 7"};
}

void tst_Valutazione::workedExamples()
{
    QFETCH(Ticket, ticket);
    QFETCH(Drawn, drawn);
    QFETCH(Credits, credits);
    QFETCH(QStringList, announced);
    const auto [paid, said] = evaluate(ticket, draw(drawn));
    QCOMPARE(paid, credits);
    QCOMPARE(said, announced);
}

void tst_Valutazione::combinationCounts_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QList<int>>("counts");
    QTest::newRow("three") << 3 << QList<int>{-1, 3, 3, 1, -1, -1};
    QTest::newRow("ten") << 10 << QList<int>{-1, 10, 45, 120, 210, 252};
    QTest::newRow("none for 0") << 0 << QList<int>{-1, -1, -1, -1, -1, -1};
    QTest::newRow("none for 11") << 11 << QList<int>{-1, -1, -1, -1, -1, -1};
}

void tst_Valutazione::combinationCounts()
{
    QFETCH(int, n);
    QFETCH(QList<int>, counts);
    Valutazione::Combinazioni c;
    c.fill(-1);
    Valutazione::ContaCombinazioni(std::int16_t(n), c);
    QCOMPARE(QList<int>(c.begin(), c.end()), counts);
}

void tst_Valutazione::drawFromScriptedValues()
{
    GeneratoreScriptato generatore;
    // Bari: 0 gives 1, the largest value below 1 gives 90, a repeat is drawn again at the same
    // position; Cagliari may repeat Bari's numbers.
    generatore.valori({0.0f, 0.99999994f, 0.0f, 0.5f, 0.99999994f, 0.1f, 0.2f, 0.0f});
    generatore.estrazione({1, 90, 7, 8, 9});
    Estrazione e;
    e.estrai(generatore);
    QCOMPARE(generatore.semine, 1);
    const QList<int> bari = {e.numero(0, 0), e.numero(0, 1), e.numero(0, 2), e.numero(0, 3),
                             e.numero(0, 4)};
    QCOMPARE(bari, (QList<int>{1, 90, 46, 10, 19}));
    const QList<int> cagliari = {e.numero(1, 0), e.numero(1, 1), e.numero(1, 2), e.numero(1, 3),
                                 e.numero(1, 4)};
    QCOMPARE(cagliari, (QList<int>{1, 90, 7, 8, 9}));
}

void tst_Valutazione::everyDrawHasFiveDifferentNumbersPerWheel()
{
    GeneratoreScriptato generatore; // counts on through [0, 1): many repeats to retry
    Estrazione e;
    for (int round = 0; round < 50; ++round) {
        e.estrai(generatore);
        for (std::size_t w = 0; w < 10; ++w) {
            std::set<int> wheel;
            for (std::size_t p = 0; p < 5; ++p) {
                QVERIFY(e.numero(w, p) >= 1 && e.numero(w, p) <= 90);
                wheel.insert(e.numero(w, p));
            }
            QCOMPARE(wheel.size(), std::size_t(5));
        }
    }
}

QTEST_APPLESS_MAIN(tst_Valutazione)
#include "tst_valutazione.moc"
