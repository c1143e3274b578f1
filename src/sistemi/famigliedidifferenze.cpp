#include "famigliedidifferenze.h"

#include "sistemi/gruppoabeliano.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <set>

namespace {

using combinazioni::Blocchi;
using combinazioni::Blocco;

// Where a family is looked for: the group, and the subgroup whose cosets are blocks of their
// own ({0}: none).
struct Schema
{
    GruppoAbeliano gruppo;
    std::vector<int> sottogruppo{0};
};

// Past so many choices in all the search gives up on a group and tries the next. The tries
// between restarts follow Luby's sequence (1, 1, 2, 1, 1, 2, 4, ...) of so many choices for
// each element of the group: a family is found in a short try if they are many, and the long
// tries end the search of a group that has none.
constexpr long kMassimoNodi = 3'000'000;
constexpr long kNodiPerTentativo = 20;

long luby(long i)
{
    long potenza = 1;
    while (potenza * 2 - 1 < i)
        potenza *= 2;
    return potenza * 2 - 1 == i ? potenza : luby(i - potenza + 1);
}

Blocco traslato(const GruppoAbeliano &g, const std::vector<int> &punti, int di)
{
    Blocco b;
    for (int x : punti)
        b.push_back(static_cast<std::uint8_t>(g.somma(x, di)));
    std::sort(b.begin(), b.end());
    return b;
}

// Base blocks through 0, each started on the smallest difference still missing: a block holding
// it as y - x holds it as the difference of 0 and itself once moved by -x. Its other points are
// tried in an order drawn anew for each try from a generator of fixed seed, and a try that has
// made too many choices starts again: families are many, and a bad first choice is cheaper left
// than undone.
class Ricerca
{
public:
    Ricerca(const Schema &s, int k)
        : m_g(s.gruppo), m_k(k), m_iniziale(static_cast<std::size_t>(m_g.ordine()), false)
    {
        for (int x : s.sottogruppo)
            m_iniziale[static_cast<std::size_t>(x)] = true;
        for (int x = 0; x < m_g.ordine(); ++x)
            m_ordine.push_back(x);
    }

    std::optional<std::vector<std::vector<int>>> basi(int quante)
    {
        for (long tentativo = 1; m_nodi < kMassimoNodi; ++tentativo) {
            m_coperta = m_iniziale;
            m_basi.clear();
            rimescola();
            m_limite =
                std::min(kMassimoNodi, m_nodi + luby(tentativo) * kNodiPerTentativo * m_g.ordine());
            if (nuovoBlocco(quante))
                return m_basi;
            if (m_nodi <= m_limite)
                break; // every choice tried: the group has no such family
        }
        return std::nullopt;
    }

private:
    using Differenze = std::array<int, 2 * combinazioni::kMassimoK>;

    bool nuovoBlocco(int restanti)
    {
        if (restanti == 0)
            return true;
        const auto d = std::find(m_coperta.begin(), m_coperta.end(), false) - m_coperta.begin();
        std::vector<int> blocco{0};
        blocco.reserve(static_cast<std::size_t>(m_k));
        return prova(blocco, static_cast<int>(d), 0, restanti);
    }

    // x joins the block if its differences with the block's points are all new and apart; the
    // points after it come later in the order, so that each block is tried once.
    bool prova(std::vector<int> &blocco, int x, std::size_t dopo, int restanti)
    {
        Differenze nuove{};
        const std::size_t quante = 2 * blocco.size();
        for (std::size_t i = 0; i < blocco.size(); ++i) {
            nuove[2 * i] = m_g.differenza(x, blocco[i]);
            nuove[2 * i + 1] = m_g.differenza(blocco[i], x);
        }
        std::sort(nuove.begin(), nuove.begin() + quante);
        if (std::adjacent_find(nuove.begin(), nuove.begin() + quante) != nuove.begin() + quante ||
            std::any_of(nuove.begin(), nuove.begin() + quante,
                        [&](int d) { return m_coperta[static_cast<std::size_t>(d)]; }))
            return false;
        segna(nuove, quante, true);
        blocco.push_back(x);
        if (estendi(blocco, dopo, restanti))
            return true;
        blocco.pop_back();
        segna(nuove, quante, false);
        return false;
    }

    bool estendi(std::vector<int> &blocco, std::size_t dopo, int restanti)
    {
        if (static_cast<int>(blocco.size()) == m_k) {
            m_basi.push_back(blocco);
            if (nuovoBlocco(restanti - 1))
                return true;
            m_basi.pop_back();
            return false;
        }
        // Past the block's second point, the smallest difference missing, every point is a
        // larger difference from 0, and one still missing.
        for (std::size_t i = dopo; i < m_ordine.size() && m_nodi <= m_limite; ++i) {
            const int x = m_ordine[i];
            if (x <= blocco[1] || m_coperta[static_cast<std::size_t>(x)])
                continue;
            ++m_nodi;
            if (prova(blocco, x, i + 1, restanti))
                return true;
        }
        return false;
    }

    // Fisher and Yates on xorshift64: the same order on every machine and library.
    void rimescola()
    {
        for (std::size_t i = m_ordine.size(); i > 1; --i) {
            m_stato ^= m_stato << 13;
            m_stato ^= m_stato >> 7;
            m_stato ^= m_stato << 17;
            std::swap(m_ordine[i - 1], m_ordine[m_stato % i]);
        }
    }

    void segna(const Differenze &differenze, std::size_t quante, bool valore)
    {
        for (std::size_t i = 0; i < quante; ++i)
            m_coperta[static_cast<std::size_t>(differenze[i])] = valore;
    }

    GruppoAbeliano m_g;
    int m_k;
    std::vector<bool> m_iniziale;
    std::vector<bool> m_coperta;
    std::vector<int> m_ordine;
    std::vector<std::vector<int>> m_basi;
    std::uint64_t m_stato = 0x9E3779B97F4A7C15u;
    long m_nodi = 0;
    long m_limite = 0;
};

// Every translate of the base blocks, and the cosets of the subgroup when they are blocks.
Blocchi sviluppa(const Schema &s, const std::vector<std::vector<int>> &basi, bool cosetti = true)
{
    const int m = s.gruppo.ordine();
    std::set<Blocco> blocchi;
    for (int g = 0; g < m; ++g) {
        for (const auto &b : basi)
            blocchi.insert(traslato(s.gruppo, b, g));
        if (cosetti && s.sottogruppo.size() > 1)
            blocchi.insert(traslato(s.gruppo, s.sottogruppo, g));
    }
    return {blocchi.begin(), blocchi.end()};
}

// The groups of order v tried, in turn: their differences all in base blocks, or those of the
// elements of order dividing k in the short orbit of a subgroup, and the rest in base blocks.
std::vector<Schema> schemi(int v, int k)
{
    const int l = k * (k - 1);
    std::vector<Schema> s;
    for (const GruppoAbeliano &g : GruppoAbeliano::diOrdine(v)) {
        if ((v - 1) % l == 0)
            s.push_back({g});
        if (const auto h = g.torsione(k); static_cast<int>(h.size()) == k && (v - k) % l == 0)
            s.push_back({g, h});
    }
    return s;
}

// A family in Z_v whose base blocks are one block B and its multiples mB, m^2 B, ... by a unit
// m of order r, as many as the family needs: B's differences must then meet each orbit of
// x -> mx on the non-zero elements once. The orbits must all have r elements, and -1 must not
// be a power of m (d and -d would share an orbit). Far fewer choices than r blocks apart.
class RicercaConMoltiplicatore
{
public:
    RicercaConMoltiplicatore(int v, int k, int m, int r)
        : m_v(v), m_k(k), m_orbita(static_cast<std::size_t>(v), -1),
          m_usata(static_cast<std::size_t>(v), false)
    {
        int orbite = 0;
        for (int x = 1; x < v; ++x) {
            if (m_orbita[static_cast<std::size_t>(x)] >= 0)
                continue;
            for (int y = x, j = 0; j < r; ++j, y = y * m % v)
                m_orbita[static_cast<std::size_t>(y)] = orbite;
            ++orbite;
        }
        m_multipli = {1};
        for (int j = 1; j < r; ++j)
            m_multipli.push_back(m_multipli.back() * m % v);
    }

    std::optional<Blocchi> cerca()
    {
        m_blocco = {0};
        if (!estendi(1))
            return std::nullopt;
        std::set<Blocco> blocchi;
        for (int a : m_multipli)
            for (int g = 0; g < m_v; ++g) {
                Blocco b;
                for (int x : m_blocco)
                    b.push_back(static_cast<std::uint8_t>((a * x + g) % m_v));
                std::sort(b.begin(), b.end());
                blocchi.insert(b);
            }
        return Blocchi(blocchi.begin(), blocchi.end());
    }

private:
    bool estendi(int da)
    {
        if (static_cast<int>(m_blocco.size()) == m_k)
            return true;
        for (int x = da; x < m_v && m_nodi < kMassimoNodi; ++x) {
            ++m_nodi;
            std::array<int, 2 * combinazioni::kMassimoK> nuove{};
            std::size_t quante = 0;
            bool libera = true;
            for (int y : m_blocco) {
                for (int d : {(x - y) % m_v, (y - x + m_v) % m_v}) {
                    const int o = m_orbita[static_cast<std::size_t>(d)];
                    libera = libera && !m_usata[static_cast<std::size_t>(o)] &&
                             std::find(nuove.begin(), nuove.begin() + quante, o) ==
                                 nuove.begin() + quante;
                    nuove[quante++] = o;
                }
            }
            if (!libera)
                continue;
            for (std::size_t i = 0; i < quante; ++i)
                m_usata[static_cast<std::size_t>(nuove[i])] = true;
            m_blocco.push_back(x);
            if (estendi(x + 1))
                return true;
            m_blocco.pop_back();
            for (std::size_t i = 0; i < quante; ++i)
                m_usata[static_cast<std::size_t>(nuove[i])] = false;
        }
        return false;
    }

    int m_v, m_k;
    std::vector<int> m_orbita;
    std::vector<bool> m_usata;
    std::vector<int> m_multipli;
    std::vector<int> m_blocco;
    long m_nodi = 0;
};

} // namespace

// The units of odd order r, every orbit of r elements, in Z_v: the multipliers worth a try, the
// first few of them.
std::optional<Blocchi> FamiglieDiDifferenze::steinerConMoltiplicatore(int v, int k)
{
    constexpr int kMoltiplicatori = 3;
    const int r = (v - 1) / (k * (k - 1));
    if (k < 3 || r < 2 || r % 2 == 0 || (v - 1) % (k * (k - 1)) != 0 ||
        v > 2 * combinazioni::kMassimoN)
        return std::nullopt;
    for (int m = 2, provati = 0; m < v && provati < kMoltiplicatori; ++m) {
        bool adatto = std::gcd(m, v) == 1;
        for (int j = 1, p = m; adatto && j <= r; ++j, p = p * m % v)
            adatto = (j < r) == (p != 1) && std::gcd(p - 1 + v, v) == (j < r ? 1 : v);
        if (adatto) {
            ++provati;
            if (auto d = RicercaConMoltiplicatore(v, k, m, r).cerca())
                return d;
        }
    }
    return std::nullopt;
}

std::optional<Blocchi> FamiglieDiDifferenze::steiner(int v, int k)
{
    if (k < 3 || v <= k || v > combinazioni::kMassimoN)
        return std::nullopt;
    for (const Schema &s : schemi(v, k)) {
        const auto quante =
            (s.gruppo.ordine() - static_cast<int>(s.sottogruppo.size())) / (k * (k - 1));
        if (auto basi = Ricerca(s, k).basi(quante))
            return sviluppa(s, *basi);
    }
    return std::nullopt;
}

std::optional<Blocchi> FamiglieDiDifferenze::divisibile(int v, int k, int g)
{
    if (k < 3 || g < 1 || v <= k || v % g != 0 || v / g < k || (v - g) % (k * (k - 1)) != 0 ||
        v > combinazioni::kMassimoN)
        return std::nullopt;
    Schema s{GruppoAbeliano({v}), {}};
    for (int x = 0; x < v; x += v / g)
        s.sottogruppo.push_back(x);
    if (auto basi = Ricerca(s, k).basi((v - g) / (k * (k - 1))))
        return sviluppa(s, *basi, false);
    return std::nullopt;
}
