// The companion's "dump" and "odds" read any file they are pointed at. On a file that exists
// they must finish with exit code 0 and write one well-formed JSON line per whole record, with
// the record's own values; on a missing file they must fail without creating it.

#include "filetemporaneo.h"
#include "verifica.h"

#include "cli/comandivalutazione.h"
#include "cli/comandodump.h"
#include "engine/annunciatore.h"
#include "engine/valutazione.h"
#include "storage/schedina.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kRecord = Schedina::kDimensioneRecord;
using Json = nlohmann::json;

std::vector<Json> righeJson(const std::string &testo)
{
    std::vector<Json> righe;
    std::size_t inizio = 0;
    while (inizio < testo.size()) {
        const auto fine = testo.find('\n', inizio);
        VERIFICA(fine != std::string::npos); // every line is ended
        Json riga = Json::parse(testo.begin() + std::ptrdiff_t(inizio),
                                testo.begin() + std::ptrdiff_t(fine), nullptr, false);
        VERIFICA(!riga.is_discarded() && riga.is_object());
        righe.push_back(std::move(riga));
        inizio = fine + 1;
    }
    return righe;
}

// An amount as the companion prints it, read back exactly.
std::optional<__int128> importo(const Json &j)
{
    if (!j.is_string())
        return std::nullopt;
    std::string_view t = j.get_ref<const std::string &>();
    const bool negativo = !t.empty() && t.front() == '-';
    if (negativo)
        t.remove_prefix(1);
    const auto punto = t.find('.');
    const std::string_view intero = t.substr(0, punto);
    const std::string_view frazione =
        punto == std::string_view::npos ? std::string_view{} : t.substr(punto + 1);
    if (intero.empty() || frazione.size() > 4 ||
        (punto != std::string_view::npos && frazione.empty()))
        return std::nullopt;
    __int128 v = 0;
    for (char c : intero) {
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + (c - '0');
    }
    for (std::size_t i = 0; i < 4; ++i) {
        const char c = i < frazione.size() ? frazione[i] : '0';
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return negativo ? -v : v;
}

template <std::size_t N>
bool stessiValori(const Json &j, const std::array<std::int16_t, N> &valori)
{
    if (!j.is_array() || j.size() != N)
        return false;
    for (std::size_t i = 0; i < N; ++i) {
        if (!j[i].is_number_integer() || j[i].get<std::int64_t>() != valori[i])
            return false;
    }
    return true;
}

void verificaCosto(const Json &j, const Schedina &s)
{
    const auto costo = s.costo();
    if (!costo) {
        VERIFICA(j.is_null());
    } else {
        VERIFICA(importo(j) == __int128{costo->raw()});
    }
}

class Silenzio : public Annunciatore
{
public:
    void annuncia(std::size_t, std::size_t) override {}
};

std::int64_t binomiale(int n, int k)
{
    if (k < 0 || k > n)
        return 0;
    std::int64_t v = 1;
    for (int i = 1; i <= k; ++i)
        v = v * (n - k + i) / i;
    return v;
}

// Points are whole 64-bit numbers: a credit beyond them counts as the largest.
std::int64_t punti(double credito)
{
    if (std::isnan(credito))
        return 0;
    if (credito >= 9.2e18)
        return std::numeric_limits<std::int64_t>::max();
    if (credito <= -9.2e18)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(credito);
}

// What one play of a ticket credits on average, counted another way than the companion counts
// it. Of the d different numbers on the ticket that can be drawn, a wheel draws exactly a given
// s of them in C(90 - d, 5 - s) of the C(90, 5) draws, and the hits are the positions holding
// those s numbers (a number written twice is hit twice). How many choices of s numbers give h
// hits is the coefficient of x^s y^h in the product over the numbers of (1 + x y^count). The
// sum is kept exact: credits of both signs may cancel.
double ritornoAtteso(const Schedina &s)
{
    const std::int16_t n = Valutazione::numeriGiocati(s);
    std::vector<int> visti;
    std::vector<int> volte;
    for (std::size_t i = 0; i <= std::size_t(n) && i < s.numeri.size(); ++i) {
        const int v = s.numeri[i];
        if (v < 1 || v > 90)
            continue;
        const auto j = std::find(visti.begin(), visti.end(), v);
        if (j == visti.end()) {
            visti.push_back(v);
            volte.push_back(1);
        } else {
            ++volte[std::size_t(j - visti.begin())];
        }
    }
    constexpr std::size_t kPosti = 12;
    // scelte[s][h]: the ways of choosing s of the numbers with h hits among them.
    std::array<std::array<std::int64_t, kPosti>, kPosti> scelte{};
    scelte[0][0] = 1;
    for (const int c : volte) {
        for (std::size_t k = kPosti - 1; k-- > 0;) {
            for (std::size_t h = kPosti; h-- > std::size_t(c);)
                scelte[k + 1][h] += scelte[k][h - std::size_t(c)];
        }
    }
    const int d = int(visti.size());
    const std::int16_t m = Valutazione::ruoteGiocate(s);
    int ruote = 0;
    for (std::size_t w = 0; w < lotto::kRuote; ++w)
        ruote += Valutazione::ruotaValutata(s, w) ? 1 : 0;
    Valutazione::Combinazioni combinazioni{};
    Valutazione::ContaCombinazioni(n, combinazioni);
    Silenzio silenzio;
    __int128 somma = 0;
    for (std::size_t h = 1; h < kPosti; ++h) {
        const std::int64_t credito = punti(Valutazione::credito(
            Valutazione::CalcolaVincita(s, n, std::int16_t(h), m, 0, combinazioni, silenzio)));
        for (std::size_t k = 1; k <= 5 && k <= std::size_t(d); ++k)
            somma += __int128{credito} * scelte[k][h] * binomiale(90 - d, 5 - int(k));
    }
    return double(somma) * ruote / double(binomiale(90, 5));
}

void verificaDump(const std::string &percorso, const std::uint8_t *data, std::size_t size)
{
    std::ostringstream out;
    std::ostringstream err;
    VERIFICA(eseguiDump(percorso, out, err) == 0);
    const std::vector<Json> righe = righeJson(out.str());
    VERIFICA(righe.size() == size / kRecord);
    bool costoNullo = false;
    for (std::size_t i = 0; i < righe.size(); ++i) {
        const Json &r = righe[i];
        const Schedina s = Schedina::decodifica(data + i * kRecord);
        VERIFICA(r.size() == 7);
        VERIFICA(r.at("record") == i + 1);
        VERIFICA(r.at("titolo") == s.titoloTesto());
        VERIFICA(stessiValori(r.at("ruote"), s.ruote));
        VERIFICA(stessiValori(r.at("numeri"), s.numeri));
        VERIFICA(stessiValori(r.at("giocate"), s.giocate));
        VERIFICA(r.at("puntate").is_array() && r.at("puntate").size() == s.puntate.size());
        for (std::size_t g = 0; g < s.puntate.size(); ++g)
            VERIFICA(importo(r.at("puntate").at(g)) == __int128{s.puntate[g].raw()});
        verificaCosto(r.at("costo"), s);
        costoNullo = costoNullo || !s.costo();
    }
    // The warnings: a cut tail by its length, and a cost that cannot be shown.
    const std::size_t coda = size % kRecord;
    const std::string avvisi = err.str();
    VERIFICA((coda != 0) ==
             (avvisi.find("termina con " + std::to_string(coda) + " byte") != std::string::npos));
    VERIFICA((coda != 0 || costoNullo) == !avvisi.empty());
}

void verificaOdds(const std::string &percorso, const std::uint8_t *data, std::size_t size)
{
    std::ostringstream out;
    std::ostringstream err;
    VERIFICA(eseguiOdds(percorso, out, err) == 0);
    VERIFICA(err.str().empty());
    const std::vector<Json> righe = righeJson(out.str());
    VERIFICA(righe.size() == size / kRecord);
    for (std::size_t i = 0; i < righe.size(); ++i) {
        const Json &r = righe[i];
        const Schedina s = Schedina::decodifica(data + i * kRecord);
        VERIFICA(r.at("record") == i + 1);
        VERIFICA(r.at("titolo") == s.titoloTesto());
        verificaCosto(r.at("costo"), s);
        VERIFICA(r.at("ritorno_atteso").is_number());
        const double ritorno = r.at("ritorno_atteso").get<double>();
        VERIFICA(std::isfinite(ritorno));
        const auto costo = s.costo();
        if (!costo || costo->raw() == 0) {
            VERIFICA(r.at("rendimento").is_null());
        } else {
            VERIFICA(r.at("rendimento").is_number());
            VERIFICA(r.at("rendimento").get<double>() == ritorno / costo->toDouble());
        }
        const double atteso = ritornoAtteso(s);
        VERIFICA(std::fabs(ritorno - atteso) <= 1e-12 * std::fabs(atteso));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const FileTemporaneo &file = fileTemporaneo();
    file.scrivi(data, size);
    verificaDump(file.percorso(), data, size);
    verificaOdds(file.percorso(), data, size);

    // A missing file is an error, exit code 1, and is never created by reading it.
    std::ostringstream nulla;
    VERIFICA(eseguiDump(file.mancante(), nulla, nulla) == 1);
    VERIFICA(eseguiOdds(file.mancante(), nulla, nulla) == 1);
    VERIFICA(!FileTemporaneo::esiste(file.mancante()));
    // So is a folder.
    VERIFICA(eseguiDump(file.cartella(), nulla, nulla) == 1);
    VERIFICA(eseguiOdds(file.cartella(), nulla, nulla) == 1);
    return 0;
}
