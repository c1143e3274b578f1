#include "engine/sistemaridotto.h"

#include <QTest>

#include <bit>
#include <numeric>

// Reduced systems: whatever p of the n numbers are drawn, some ticket holds v of them. The
// guarantee is checked here by brute force over bit masks, apart from the system's own check.
class tst_SistemaRidotto : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void guaranteeHolds_data();
    void guaranteeHolds();
};

namespace {

using Blocchi = std::vector<SistemaRidotto::Blocco>;

bool bruteForce(const SistemaRidotto::Parametri &s, const Blocchi &blocchi)
{
    std::vector<std::uint64_t> masks;
    for (const auto &b : blocchi)
        masks.push_back(std::accumulate(b.begin(), b.end(), std::uint64_t(0),
                                        [](std::uint64_t m, int x) { return m | 1ULL << x; }));
    for (std::uint64_t drawn = 0; drawn < 1ULL << s.n; ++drawn) {
        if (std::popcount(drawn) != s.p)
            continue;
        if (std::none_of(masks.begin(), masks.end(),
                         [&](std::uint64_t m) { return std::popcount(m & drawn) >= s.v; }))
            return false;
    }
    return true;
}

std::uint64_t choose(int n, int k)
{
    return k == 0 ? 1 : choose(n - 1, k - 1) * std::uint64_t(n) / std::uint64_t(k);
}

} // namespace

void tst_SistemaRidotto::guaranteeHolds_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("p");
    QTest::addColumn<int>("v");
    QTest::newRow("7 in terzine, ambo se 2") << 7 << 3 << 2 << 2;
    QTest::newRow("12 in sestine, terno se 4") << 12 << 6 << 4 << 3;
    QTest::newRow("12 in cinquine, quaterna se 5") << 12 << 5 << 5 << 4;
    QTest::newRow("10 in sestine, cinquina se 5") << 10 << 6 << 5 << 5;
    QTest::newRow("20 in decine, ambo se 5") << 20 << 10 << 5 << 2;
    QTest::newRow("5 in cinquine: one ticket") << 5 << 5 << 3 << 3;
}

// Fewer tickets than the integral system, each of k different numbers in order, the same
// tickets every time; and the system's own check agrees with brute force, also once any one of
// the first tickets is taken away.
void tst_SistemaRidotto::guaranteeHolds()
{
    QFETCH(int, n);
    QFETCH(int, k);
    QFETCH(int, p);
    QFETCH(int, v);
    const SistemaRidotto::Parametri s{n, k, p, v};
    const Blocchi blocchi = SistemaRidotto::costruisci(s);
    QVERIFY(blocchi.size() <= choose(n, k) && (k < n || blocchi.size() == 1));
    QVERIFY(std::is_sorted(blocchi.begin(), blocchi.end()));
    for (const auto &b : blocchi)
        QVERIFY(int(b.size()) == k &&
                std::adjacent_find(b.begin(), b.end(), std::greater_equal<>()) == b.end() &&
                b.back() < n);
    QVERIFY(bruteForce(s, blocchi));
    QVERIFY(SistemaRidotto::verifica(s, blocchi));
    QCOMPARE(SistemaRidotto::costruisci(s), blocchi);
    for (std::size_t i = 0; i < std::min<std::size_t>(blocchi.size(), 12); ++i) {
        Blocchi fewer = blocchi;
        fewer.erase(fewer.begin() + qsizetype(i));
        QCOMPARE(SistemaRidotto::verifica(s, fewer), bruteForce(s, fewer));
    }
}

QTEST_GUILESS_MAIN(tst_SistemaRidotto)
#include "tst_sistemaridotto.moc"
