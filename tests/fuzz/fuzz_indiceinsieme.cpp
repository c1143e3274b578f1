// The play list is walked over the set's records in a circle, each entry from the record after
// the previous entry's: the play, the refund and the cost must all find the records a plain
// search finds, whatever the titles are (repeated, empty, NUL, C1 bytes), and a whole play turn
// must credit what the evaluation says. The records are held in memory here, as the game holds
// them once it has read the set, so that millions of lists can be tried.

#include "contenuto.h"
#include "verifica.h"

#include "engine/annunciatore.h"
#include "engine/estrazione.h"
#include "engine/profiloschedina.h"
#include "engine/turnodigioco.h"
#include "shared/avvisi.h"
#include "shared/modulo.h"
#include "sound/riproduttore.h"
#include "storage/indiceinsieme.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kVoce = IndiceInsieme::kVoce;
constexpr std::size_t kMassimoVoci = 64;

class Muto : public Riproduttore
{
public:
    void suona(const std::string &) override {}
};

class SenzaAvvisi : public Avvisi
{
public:
    void mostra(std::string_view, std::string_view) override {}
    bool chiedi(std::string_view, std::string_view) override { return false; }
};

class Annunci : public Annunciatore
{
public:
    void annuncia(std::size_t tipo, std::size_t ruota) override
    {
        VERIFICA(tipo < lotto::kTipiGiocata && ruota < lotto::kRuote);
        ++quanti;
    }
    std::size_t quanti = 0;
};

// Each wheel's credit comes right after that wheel's announcements: one for each winning bet
// type, and at least one whenever the wheel pays anything.
class Vista : public VistaTurno
{
public:
    explicit Vista(const Annunci &annunci) : m_annunci(annunci) {}
    void vincitaAccreditata(double totale) override
    {
        const std::size_t annunciati = m_annunci.quanti - m_annunciPrima;
        VERIFICA(annunciati <= lotto::kTipiGiocata);
        VERIFICA(totale == ultimo || annunciati >= 1);
        m_annunciPrima = m_annunci.quanti;
        accrediti.push_back(totale);
        ultimo = totale;
    }
    void schedinaLetta(double totale) override
    {
        VERIFICA(totale == ultimo);
        letture.push_back(totale);
    }
    double ultimo = 0;
    std::vector<double> accrediti;
    std::vector<double> letture;

private:
    const Annunci &m_annunci;
    std::size_t m_annunciPrima = 0;
};

// A draw as the game makes one: five different numbers from 1 to 90 on each wheel, here taken
// from the input's last bytes.
Estrazione estrazioneDa(const Contenuto &c)
{
    std::array<std::int16_t, lotto::kRuote * Estrazione::kPosizioni> numeri{};
    for (std::size_t w = 0; w < lotto::kRuote; ++w) {
        std::array<bool, 91> usato{};
        for (std::size_t p = 0; p < Estrazione::kPosizioni; ++p) {
            const std::size_t i = w * Estrazione::kPosizioni + p;
            const std::size_t byte = c.size == 0 ? i : c.data[c.size - 1 - i % c.size];
            std::size_t n = 1 + byte % 90;
            while (usato[n])
                n = n % 90 + 1;
            usato[n] = true;
            numeri[i] = static_cast<std::int16_t>(n);
        }
    }
    Estrazione e;
    e.imposta(numeri);
    return e;
}

// The play list: titles of records picked by each record's unused last byte, then the tail's
// first twenty bytes (a title no whole record may have), then perhaps a piece of an entry,
// which every walk of the list must pass over.
std::string vociDa(const Contenuto &c)
{
    std::string voci;
    const std::size_t n = c.conta();
    for (std::size_t k = 1; k <= n && k <= kMassimoVoci; ++k)
        voci += c.titolo(1 + c.record(k)[Contenuto::kRecord - 1] % n);
    if (c.coda().size() >= kVoce)
        voci += c.coda().substr(0, kVoce);
    if (c.size % 2 == 1)
        voci += c.tutto().substr(0, std::min<std::size_t>(c.size, 7));
    return voci;
}

void verificaRicerche(const IndiceInsieme &indice, const Contenuto &c, std::string_view voci)
{
    const std::size_t n = c.conta();
    VERIFICA(indice.conta() == n);
    for (std::size_t k = 1; k <= n; ++k)
        VERIFICA(indice.scheda(k) == Schedina::decodifica(c.record(k)));

    // Each entry from the first record, from the last, and from one in between.
    for (std::size_t at = 0; at + kVoce <= voci.size(); at += kVoce) {
        const std::string_view voce = voci.substr(at, kVoce);
        VERIFICA(indice.primo(voce) == c.cercaInCerchio(voce, 1));
        if (n == 0)
            continue;
        for (const std::size_t k : {std::size_t{1}, n, 1 + at / kVoce % n}) {
            const auto trovato = indice.prossimo(voce, k);
            VERIFICA(trovato == c.cercaInCerchio(voce, k));
            VERIFICA(!trovato || indice.scheda(*trovato).titoloGrezzo() == voce);
        }
    }
    // Anything but a whole entry is never found.
    if (n > 0) {
        VERIFICA(!indice.primo(c.titolo(1).substr(0, kVoce - 1)));
        VERIFICA(!indice.primo(std::string(c.titolo(1)) + ' '));
    }

    // The cost: each entry at the first record with its title.
    std::optional<Currency> costo = Currency{};
    for (std::size_t at = 0; costo && at + kVoce <= voci.size(); at += kVoce) {
        if (const auto k = c.cercaInCerchio(voci.substr(at, kVoce), 1)) {
            const auto parte = indice.scheda(*k).costo();
            costo = parte ? costo->plus(*parte) : std::nullopt;
        }
    }
    VERIFICA(indice.costoVoci(voci) == costo);

    // The refund: each entry from the record after the previous entry's.
    std::optional<Currency> rimborso = Currency{};
    std::size_t da = 1;
    for (std::size_t at = 0; rimborso && at + kVoce <= voci.size(); at += kVoce) {
        if (const auto k = c.cercaInCerchio(voci.substr(at, kVoce), da)) {
            const auto parte = indice.scheda(*k).costo();
            rimborso = parte ? rimborso->plus(*parte) : std::nullopt;
            da = *k % n + 1;
        }
    }
    VERIFICA(indice.rimborso(voci) == rimborso);
}

void verificaTurno(const IndiceInsieme &indice, const Contenuto &c, std::string_view voci)
{
    const std::size_t n = c.conta();
    Muto muto;
    SenzaAvvisi avvisi;
    Modulo modulo(muto, avvisi);
    const Currency puntiPrima = modulo.punti;
    const Estrazione estrazione = estrazioneDa(c);
    Annunci annunci;
    Vista vista(annunci);
    const double totale = TurnoDiGioco::gioca(modulo, indice, voci, estrazione, annunci, vista);

    // The records the play went through, found the slow way.
    std::vector<std::size_t> giocate;
    std::size_t da = 1;
    for (std::size_t at = 0; at + kVoce <= voci.size(); at += kVoce) {
        if (const auto k = c.cercaInCerchio(voci.substr(at, kVoce), da)) {
            giocate.push_back(*k);
            da = *k % n + 1;
        }
    }
    VERIFICA(vista.letture.size() == giocate.size());
    VERIFICA(modulo.schedina == (giocate.empty() ? Schedina{} : indice.scheda(giocate.back())));
    VERIFICA(modulo.situazione == totale);
    VERIFICA(vista.letture.empty() ? totale == 0 : vista.letture.back() == totale);

    // While the sums stay small enough to be exact, each ticket credits what the evaluation
    // behind the odds and the simulation says it wins against the same draw, and the points
    // grow by exactly the total.
    constexpr double kEsatto = 1e13;
    bool esatto = std::all_of(vista.accrediti.begin(), vista.accrediti.end(),
                              [&](double t) { return std::fabs(t) < kEsatto; });
    std::int64_t somma = 0;
    for (std::size_t i = 0; esatto && i < giocate.size(); ++i) {
        const std::int64_t vinto = ProfiloSchedina(indice.scheda(giocate[i])).vincita(estrazione);
        esatto = std::fabs(static_cast<double>(vinto)) < kEsatto;
        if (!esatto)
            break;
        const double prima = i == 0 ? 0.0 : vista.letture[i - 1];
        VERIFICA(vista.letture[i] - prima == static_cast<double>(vinto));
        somma += vinto;
    }
    if (esatto) {
        VERIFICA(totale == static_cast<double>(somma));
        VERIFICA(modulo.punti.raw() == puntiPrima.raw() + somma * Currency::kScale);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const Contenuto c{data, size};
    std::vector<Schedina> schede;
    for (std::size_t k = 1; k <= c.conta(); ++k)
        schede.push_back(Schedina::decodifica(c.record(k)));
    const IndiceInsieme indice(std::move(schede));
    const std::string voci = vociDa(c);
    verificaRicerche(indice, c, voci);
    verificaTurno(indice, c, voci);
    return 0;
}
