#include "engine/generatoremersenne.h"
#include "engine/profiloschedina.h"
#include "engine/schedinecompilate.h"
#include "engine/valutazione.h"
#include "storage/indiceinsieme.h"
#include "support/generatorescriptato.h"
#include "support/setfiles.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <numeric>
#include <set>

// The draw, the prize evaluation and the play turn: the wins announced and the points credited.
class tst_Valutazione : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void workedExamples_data();
    void workedExamples();
    void draws_data();
    void draws();
};

using Drawn = QMap<int, QList<int>>;
using Credits = QMap<int, double>;
Q_DECLARE_METATYPE(Schedina)

namespace {

// A draw with the given numbers first on their wheels and 60, 61... after them.
Estrazione draw(const Drawn &wheels)
{
    std::array<std::int16_t, 50> numbers{};
    std::ranges::copy(GeneratoreScriptato::numeriCon(wheels), numbers.begin());
    Estrazione e;
    e.imposta(numbers);
    return e;
}

struct Registro : Annunciatore
{
    void annuncia(std::size_t tipo, std::size_t ruota) override
    {
        annunci << QStringLiteral("%1 %2").arg(tipo).arg(ruota);
    }
    QStringList annunci;
};

QList<int> range(int first, int count)
{
    QList<int> numbers;
    for (int i = first; i < first + count; ++i)
        numbers << i;
    return numbers;
}

// Wheel -> credited points, with the announcements in the register.
Credits evaluate(const Schedina &ticket, const Estrazione &e, Registro &registro)
{
    Valutazione::Combinazioni combinazioni{};
    Credits credits;
    Valutazione::valuta(ticket, e, combinazioni, registro, [&](std::size_t w, double v) {
        credits[int(w)] = Valutazione::credito(v);
    });
    return credits;
}

} // namespace

void tst_Valutazione::workedExamples_data()
{
    QTest::addColumn<Schedina>("ticket");
    QTest::addColumn<Drawn>("drawn");
    QTest::addColumn<Credits>("credits");
    QTest::addColumn<QStringList>("announced");
    QTest::addColumn<QString>("rules"); // "page: what the rules page says of this case"
    auto row = [](const char *name, const QList<int> &numbers, const QList<int> &wheels,
                  const QMap<int, qint64> &stakes, const Drawn &drawn, const Credits &credits,
                  const QStringList &announced, const char *rules = "") {
        QTest::newRow(name) << makeTicket(name, numbers, wheels, stakes) << drawn << credits
                            << announced << QString::fromUtf8(rules);
    };
    // The rules pages' own examples, 1,000 points a stake unless they say otherwise.
    const qint64 mille = 10000000;
    row("rules: an ambo at Napoli pays the ambo alone", {8, 23, 61}, {5}, {{0, mille}, {1, mille}},
        {{5, {23, 45, 8, 90, 12}}}, {{5, 251100}}, {"0 5", "1 5"},
        "2:qui l’ambo, 251.100 punti, e non anche i due estratti");
    row("rules: 2,000 on an ambo on all wheels, at Roma", {5, 9}, {10}, {{1, 2 * mille}},
        {{7, {9, 5}}}, {{7, 50000}}, {"1 7"}, "4:2.000 ÷ 10 × 250 = 50.000");
    row("rules: estratto", {7}, {0}, {{0, mille}}, {{0, {7}}}, {{0, 11200}}, {"0 0"},
        "4:da 1 numero: 11,23 volte (in questo gioco 11,2 volte)");
    row("rules: ambo", {1, 2}, {0}, {{1, mille}}, {{0, {1, 2}}}, {{0, 250000}}, {"1 0"},
        "4:da 2 numeri: 250 volte");
    row("rules: terno", {1, 2, 3}, {0}, {{2, mille}}, {{0, {1, 2, 3}}}, {{0, 4250000}}, {"2 0"},
        "4:da 3 numeri: 4.250 volte");
    row("rules: quaterna", {1, 2, 3, 4}, {0}, {{3, mille}}, {{0, {1, 2, 3, 4}}}, {{0, 80000000}},
        {"3 0"}, "4:da 4 numeri: 80.000 volte");
    row("rules: cinquina", {1, 2, 3, 4, 5}, {0}, {{4, mille}}, {{0, {1, 2, 3, 4, 5}}}, {{0, 1e9}},
        {"4 0"}, "4:da 5 numeri: 1.000.000 di volte");
    row("two of three on Bari: 2511, not the sum", {11, 22, 33}, {0}, {{0, 100000}, {1, 100000}},
        {{0, {22, 33}}}, {{0, 2511}}, {"0 0", "1 0"});
    row("Ambo on all wheels, both on Roma: 25", {5, 6}, {10}, {{1, 10000}}, {{7, {6, 5}}, {2, {5}}},
        {{2, 0}, {7, 25}}, {"1 7"});
    row("ten wheels one by one play as TUTTE", {5, 6}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {{1, 10000}},
        {{7, {6, 5}}}, {{7, 25}}, {"1 7"});
    row("three hits, only Ambo played: Ambo once", {1, 2, 3, 4}, {0}, {{1, 10000}},
        {{0, {1, 2, 3}}}, {{0, 249}}, {"1 0"});
    row("one number, Estratto flag 0: announced", {9}, {5}, {}, {{5, {9}}}, {{5, 0}}, {"0 5"});
    row("hits but no bet type won: silent", {1, 2, 3}, {0}, {{2, 10000}}, {{0, {1, 2}}}, {{0, 0}},
        {});
    row("a number twice counts twice", {7, 7}, {0}, {{1, 10000}}, {{0, {7}}}, {{0, 250}}, {"1 0"},
        "3:se esce conta per due numeri usciti, e da solo fa un ambo");
    row("six hits are no Cinquina", {1, 1, 2, 3, 4, 5}, {0}, {{4, 10000}}, {{0, {1, 2, 3, 4, 5}}},
        {{0, 0}}, {});
    row("a gap: positions 0..n are counted", {0, 12, 34}, {0}, {{1, 10000}}, {{0, {34, 12}}},
        {{0, 250}}, {"1 0"});
    row("Estratto, Ambo on Bari then Estratto on Roma", {1, 2, 3}, {0, 7}, {{0, 10000}, {1, 10000}},
        {{0, {1, 2}}, {7, {3}}}, {{0, 125}, {7, 5}}, {"0 0", "1 0", "0 7"});
    row("63, 64 and 90 on two wheels: Terno", {63, 64, 90}, {1, 9}, {{2, 10000}},
        {{1, {90, 64, 63}}, {9, {63, 1, 64, 90}}}, {{1, 2125}, {9, 2125}}, {"2 1", "2 9"});
    // A stake of 3 on one wheel, k hits, bet type k of n numbers (12743, not 12744, is a double).
    const QList<QList<double>> factors = {{33},
                                          {33, 750},
                                          {33, 753, 12750},
                                          {33, 748, 12750, 240000},
                                          {18, 750, 12750, 240000, 3000000},
                                          {32, 747, 12750, 239998, 2999998},
                                          {33, 749, 12747, 239998, 30045708},
                                          {33, 747, 12734, 239987, 2999992},
                                          {32, 745, 12748, 239992, 2999997},
                                          {33, 742, 12743, 239966, 2243959}};
    auto factor = [&](const char *name, int n, int k, qint64 stake, int wheels, double credit,
                      const char *rules = "") {
        row(name, range(1, n), range(0, wheels), {{k - 1, stake}}, {{0, range(1, k)}},
            {{0, credit}}, {QStringLiteral("%1 0").arg(k - 1)}, rules);
    };
    for (int n = 1; n <= 10; ++n) {
        for (int k = 1; k <= std::min(n, 5); ++k)
            factor(qPrintable(QStringLiteral("%1 numbers, bet type %2").arg(n).arg(k)), n, k, 30000,
                   1, factors[n - 1][k - 1]);
    }
    // Stakes for which a product taken as a double would lose a point.
    factor("exact: Ambo with 2 numbers", 2, 2, 40040, 1, 1001);
    factor("exact: Terno with 3 numbers", 3, 3, 1720, 1, 731);
    factor("exact: Quaterna with 4 numbers", 4, 4, 3, 1, 24);
    factor("exact: Ambo with 5 numbers, 7 wheels", 5, 2, 280, 7, 0);
    factor("exact: Terno with 5 numbers", 5, 3, 520, 1, 221);
    factor("exact: Quaterna with 5 numbers", 5, 4, 49, 1, 392);
    factor("exact: Cinquina with 5 numbers", 5, 5, 157, 1, 15700);
    factor("rules: 5, Estratto", 5, 1, 10000, 1, 6, "4:l’estratto con 5 numeri paga 6 volte");
    factor("rules: 3, Ambo", 3, 2, 100000, 1, 2511, "4:l’ambo con 3 numeri 251,1 volte");
    factor("rules: 7, Cinquina", 7, 5, 10000, 1, 10015236, "4:con 7 numeri 10.015.236 volte");
    factor("rules: 10, Cinquina", 10, 5, 10000, 1, 747986, "4:con 10 numeri 747.986 volte");
}

// The game's evaluation, and the simulator's bit masks on that draw and then one of others.
void tst_Valutazione::workedExamples()
{
    QFETCH(Schedina, ticket);
    QFETCH(Drawn, drawn);
    QFETCH(Credits, credits);
    QFETCH(QStringList, announced);
    QFETCH(QString, rules);
    if (!rules.isEmpty()) {
        QFile page(
            QStringLiteral(ZAFFIRONE_REGOLAMENTO "/pagina%1.html").arg(rules.section(':', 0, 0)));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString text =
            QString::fromUtf8(page.readAll()).remove(QRegularExpression("<[^>]*>")).simplified();
        QVERIFY2(text.contains(rules.section(':', 1)), qPrintable(rules));
    }
    const Estrazione e = draw(drawn);
    Registro registro;
    QCOMPARE(evaluate(ticket, e, registro), credits);
    QCOMPARE(registro.annunci, announced);
    const double total = std::accumulate(credits.begin(), credits.end(), 0.0);
    QCOMPARE(ProfiloSchedina(ticket).vincita(e), std::int64_t(total));
    const SchedineCompilate set({ticket, ticket});
    QVERIFY(set.vincite(e) == 2 * __int128(total));
}

void tst_Valutazione::draws_data()
{
    QTest::addColumn<QList<float>>("values");
    QTest::addColumn<QList<int>>("numbers"); // drawn after the values, wheel by wheel
    QTest::addColumn<int>("draws");
    QTest::addColumn<QList<int>>("first"); // Bari and Cagliari in the last draw; empty: any
    // Bari: 0 gives 1, the largest value below 1 gives 90, a repeat is drawn again at the same
    // position; Cagliari may repeat Bari's numbers.
    QTest::newRow("one draw") << QList<float>{0.0f,        0.99999994f, 0.0f, 0.5f,
                                              0.99999994f, 0.1f,        0.2f, 0.0f}
                              << QList<int>{1, 90, 7, 8, 9} << 1
                              << QList<int>{1, 90, 46, 10, 19, 1, 90, 7, 8, 9};
    // Numbers still in the table from the first draw must not make the second draw again.
    QTest::newRow("a second draw starts from a clear table")
        << QList<float>{}
        << GeneratoreScriptato::numeriCon({{0, {1, 2, 3, 4, 5}}}) +
               GeneratoreScriptato::numeriCon({{0, {5, 4, 3, 2, 1}}})
        << 2 << QList<int>{5, 4, 3, 2, 1, 60, 61, 62, 63, 64};
    QTest::newRow("fifty draws, many repeats to draw again")
        << QList<float>{} << QList<int>{} << 50 << QList<int>{};
    // No values: the game's own generator, seeded from the clock at every draw. In 2000 draws
    // each number comes out on each wheel all but surely (missing one: e^-111).
    QTest::newRow("the game's generator reaches every number")
        << QList<float>{} << QList<int>{} << -2000 << QList<int>{};
}

void tst_Valutazione::draws()
{
    QFETCH(QList<float>, values);
    QFETCH(QList<int>, numbers);
    QFETCH(int, draws);
    QFETCH(QList<int>, first);
    GeneratoreScriptato scripted; // after the values it counts on through [0, 1)
    scripted.valori(values);
    scripted.estrazione(numbers);
    GeneratoreMersenne game;
    GeneratoreCasuale &generatore = draws < 0 ? static_cast<GeneratoreCasuale &>(game) : scripted;
    QList<std::set<int>> seen(10);
    Estrazione e;
    auto wheel = [&](std::size_t w) {
        return QList<int>{e.numero(w, 0), e.numero(w, 1), e.numero(w, 2), e.numero(w, 3),
                          e.numero(w, 4)};
    };
    for (int round = 0; round < std::abs(draws); ++round) {
        e.estrai(generatore);
        for (std::size_t w = 0; w < 10; ++w) {
            const QList<int> numbers = wheel(w);
            const std::set<int> different(numbers.begin(), numbers.end());
            QVERIFY(different.size() == 5 && *different.begin() >= 1 && *different.rbegin() <= 90);
            seen[qsizetype(w)].insert(different.begin(), different.end());
        }
    }
    QCOMPARE(scripted.semine, std::max(draws, 0));
    for (const std::set<int> &wheelSeen : seen)
        QVERIFY(draws >= 0 || wheelSeen.size() == 90);
    QVERIFY(first.isEmpty() || wheel(0) + wheel(1) == first);
}

QTEST_APPLESS_MAIN(tst_Valutazione)
#include "tst_valutazione.moc"
