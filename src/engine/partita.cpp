#include "partita.h"

#include "base/codepage1252.h"
#include "base/text.h"
#include "engine/generatorecasuale.h"
#include "storage/bloccoinsieme.h"
#include "storage/indiceinsieme.h"
#include "storage/insiemeschede.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <limits>
#include <numeric>

namespace {

constexpr auto kMassimo = Currency::fromRaw(std::numeric_limits<std::int64_t>::max());
constexpr auto kMinimo = Currency::fromRaw(std::numeric_limits<std::int64_t>::min());

// The game's result moves with the points; held at the ends of its range rather than wrapping.
Currency sposta(Currency situazione, Currency somma, bool togli)
{
    const auto nuova = togli ? situazione.minus(somma) : situazione.plus(somma);
    return nuova.value_or((somma > Currency()) == togli ? kMinimo : kMassimo);
}

Partita::Mossa mossa(Partita::Mossa::Esito esito, Currency somma = {},
                     std::optional<ErroreFile> errore = std::nullopt)
{
    Partita::Mossa m;
    m.esito = esito;
    m.somma = somma;
    m.errore = std::move(errore);
    return m;
}

Partita::Turno soloTurno(Partita::Turno::Esito esito,
                         std::optional<ErroreFile> errore = std::nullopt)
{
    Partita::Turno t;
    t.esito = esito;
    t.errore = std::move(errore);
    return t;
}

std::vector<int> tutteLeRighe(std::size_t quante)
{
    std::vector<int> righe(quante);
    std::iota(righe.begin(), righe.end(), 0);
    return righe;
}

} // namespace

Partita::Partita() = default;

Esito<std::shared_ptr<const IndiceInsieme>> Partita::leggiInsieme() const
{
    return m_cache.leggi(m_insieme.value_or(std::string()));
}

// Without a set there is nothing to look in, and no file to open. A record that no longer has
// the title the set had when it was last read was written meanwhile: the set is read again.
Esito<std::optional<Partita::Trovata>> Partita::cerca(std::string_view voce) const
{
    for (int tentativo = 0; m_insieme && voce.size() == IndiceInsieme::kVoce; ++tentativo) {
        const auto letto = leggiInsieme();
        if (!letto)
            return letto.errore();
        const auto k = letto.valore()->primo(voce);
        if (!k)
            break;
        auto scheda = InsiemeSchede(*m_insieme).leggi(*k);
        if (!scheda)
            return scheda.errore();
        if (scheda.valore().titoloGrezzo() == voce)
            return std::optional(Trovata{*k, std::move(scheda).valore()});
        if (tentativo > 0)
            break;
    }
    return std::optional<Trovata>();
}

const ElencoSchede &Partita::elenco(Lista lista) const
{
    return lista == Lista::Esistenti ? m_esistenti : m_dagioca;
}

ElencoSchede &Partita::elenco(Lista lista)
{
    return lista == Lista::Esistenti ? m_esistenti : m_dagioca;
}

Partita::Fine Partita::fine(Currency punti)
{
    if (punti == Currency())
        return Fine::GameOver;
    if (punti > Currency::fromRaw(kTraguardo * Currency::kScale))
        return Fine::Vittoria;
    return Fine::InCorso;
}

Currency Partita::accredita(Currency punti, double vincita)
{
    constexpr double kLimite = 9.2e14; // well inside the currency range, in whole punti
    if (std::isnan(vincita))
        return punti;
    std::optional<Currency> nuovi;
    if (std::fabs(vincita) < kLimite)
        nuovi = punti.plus(*Currency::fromWhole(static_cast<std::int64_t>(vincita)));
    return nuovi.value_or(vincita > 0 ? kMassimo : kMinimo);
}

void Partita::nuova()
{
    m_dagioca.svuota();
    m_esistenti.svuota();
    m_insieme.reset();
    m_recordInModifica = 0;
    m_conti = Conti{};
    usaEstrazioniCasuali();
}

void Partita::usaEstrazioniVere(std::vector<EstrazioneVera> giorni)
{
    m_vere = Vere{std::move(giorni), 0};
}

void Partita::usaEstrazioniCasuali()
{
    m_vere.reset();
}

std::optional<std::string> Partita::prossimaData() const
{
    if (!m_vere || m_vere->prossima >= m_vere->giorni.size())
        return std::nullopt;
    return m_vere->giorni[m_vere->prossima].data;
}

std::optional<ErroreFile> Partita::apri(const std::string &percorso)
{
    const auto letto = m_cache.leggi(percorso);
    if (!letto)
        return letto.errore();
    const IndiceInsieme &indice = *letto.valore();
    ElencoSchede::Voci voci;
    voci.grezze = indice.titoli();
    voci.record.resize(indice.conta());
    std::iota(voci.record.begin(), voci.record.end(), 1U);
    apriVuoto(percorso);
    m_esistenti.aggiungi(std::move(voci));
    return std::nullopt;
}

void Partita::apriVuoto(const std::string &percorso)
{
    m_insieme = percorso;
    m_esistenti.svuota();
    m_dagioca.svuota();
}

void Partita::aggiuntaSchedina(std::string_view titolo)
{
    ElencoSchede::Voci voci;
    std::string voce(titolo.substr(0, IndiceInsieme::kVoce));
    voce.resize(IndiceInsieme::kVoce, ' ');
    voci.grezze.append(voce);
    m_esistenti.aggiungi(std::move(voci));
}

void Partita::riscritta(std::string_view titoloVecchio)
{
    m_recordInModifica = 0;
    const std::string_view vecchio = trimSpaces(titoloVecchio);
    for (std::size_t riga = 0; riga < m_esistenti.conta(); ++riga) {
        if (trimSpaces(m_esistenti.voce(riga)) == vecchio) {
            const int r = int(riga);
            m_esistenti.rimuovi(std::span(&r, 1));
            return;
        }
    }
}

Esito<bool> Partita::titoloPresente(std::string_view titolo) const
{
    if (!m_insieme)
        return false;
    const auto trovato = InsiemeSchede(*m_insieme).trovaPerTitolo(titolo);
    if (!trovato)
        return trovato.errore();
    return trovato.valore().has_value();
}

Esito<bool> Partita::salva(const Schedina &schedina, std::string_view titolo,
                           std::string_view titoloVecchio)
{
    if (!m_insieme)
        return ErroreFile(ErroreFile::Tipo::Apertura, std::string(), ENOENT);
    const InsiemeSchede insieme(*m_insieme);
    const auto blocco = BloccoInsieme::prendi(*m_insieme);
    if (!blocco)
        return blocco.errore();
    const bool modifica = m_recordInModifica != 0;
    if (!modifica || trimSpaces(titolo) != trimSpaces(titoloVecchio)) {
        const auto trovato = insieme.trovaPerTitolo(titolo, blocco.valore());
        if (!trovato)
            return trovato.errore();
        if (trovato.valore())
            return false;
    }
    if (modifica) {
        if (const auto scritto = insieme.sovrascrivi(m_recordInModifica, schedina, blocco.valore());
            !scritto)
            return scritto.errore();
        riscritta(CodePage1252::encodeFromUtf8(titoloVecchio, Schedina::kLunghezzaTitolo));
    } else if (const auto aggiunto = insieme.aggiungi(schedina, blocco.valore()); !aggiunto) {
        return aggiunto.errore();
    }
    return true;
}

Partita::Mossa Partita::scegli(std::span<const int> righe)
{
    return sposta(Lista::Esistenti, righe, false);
}

Partita::Mossa Partita::scegliTutte()
{
    return sposta(Lista::Esistenti, {}, true);
}

Partita::Mossa Partita::restituisci(std::span<const int> righe)
{
    return sposta(Lista::DaGioca, righe, false);
}

Partita::Mossa Partita::restituisciTutte()
{
    return sposta(Lista::DaGioca, {}, true);
}

// Costs are read from the set file as it is now, once for the whole move; a move that is refused
// changes nothing.
Partita::Mossa Partita::sposta(Lista da, std::span<const int> righe, bool tutte)
{
    const bool versoGioco = da == Lista::Esistenti;
    ElencoSchede &sorgente = elenco(da);
    ElencoSchede &destinazione = elenco(versoGioco ? Lista::DaGioca : Lista::Esistenti);
    if (tutte && sorgente.conta() == 0)
        return mossa(Mossa::Esito::Nulla);
    // The rows the list has, each once, in list order; a whole list is taken as it is.
    std::vector<int> scelteRighe(righe.begin(), righe.end());
    const auto fuori = [&](int r) {
        return r < 0 || std::size_t(r) >= sorgente.conta();
    };
    if (std::ranges::adjacent_find(scelteRighe, std::greater_equal<>()) != scelteRighe.end() ||
        std::ranges::any_of(scelteRighe, fuori)) {
        std::erase_if(scelteRighe, fuori);
        std::ranges::sort(scelteRighe);
        scelteRighe.erase(std::unique(scelteRighe.begin(), scelteRighe.end()), scelteRighe.end());
    }
    righe = scelteRighe;
    ElencoSchede::Voci scelte = tutte ? ElencoSchede::Voci{} : sorgente.prendi(righe);
    const ElencoSchede::Voci &voci = tutte ? sorgente.tutte() : scelte;
    VettoreGrande<Currency> addebiti;
    Currency somma;
    if (!voci.grezze.empty()) {
        const auto letto = leggiInsieme();
        if (!letto && !versoGioco)
            return restituisciAddebiti(tutte ? tutteLeRighe(sorgente.conta()) : scelteRighe,
                                       letto.errore());
        if (!letto)
            return mossa(Mossa::Esito::Illeggibile, {}, letto.errore());
        auto costi = letto.valore()->costoVoci(voci.grezze, voci.record, versoGioco);
        if (!costi)
            return mossa(Mossa::Esito::CostoTroppo);
        somma = costi->totale;
        // What each entry chosen for play is charged; the other list holds no charge.
        if (versoGioco)
            addebiti = std::move(costi->voci);
    }
    if (versoGioco && somma > m_conti.punti)
        return mossa(Mossa::Esito::PuntiInsufficienti, somma);
    if (!prenota(somma, versoGioco))
        return mossa(Mossa::Esito::PuntiTroppi);
    m_conti.posta = somma;
    ElencoSchede::Voci spostate = tutte ? sorgente.prendiTutte() : std::move(scelte);
    spostate.addebiti = std::move(addebiti);
    destinazione.aggiungi(std::move(spostate));
    if (!tutte)
        sorgente.rimuovi(righe);
    return mossa(Mossa::Esito::Fatta, somma);
}

// The set can no longer be read at all (a folder or a pipe in its place, unreadable, too big):
// the entries go back with what each was charged, so that no stake stays taken with no way to
// get it back.
Partita::Mossa Partita::restituisciAddebiti(std::span<const int> righe, const ErroreFile &errore)
{
    Currency somma;
    ElencoSchede::Voci voci = m_dagioca.prendi(righe);
    for (const Currency &addebito : voci.addebiti)
        somma = somma.plus(addebito).value_or(somma);
    voci.addebiti.clear(); // the list of existing tickets holds no charge
    if (!prenota(somma, false))
        return mossa(Mossa::Esito::PuntiTroppi);
    m_conti.posta = somma;
    m_esistenti.aggiungi(std::move(voci));
    m_dagioca.rimuovi(righe);
    return mossa(Mossa::Esito::Restituite, somma, errore);
}

Partita::Mossa Partita::rimborsa()
{
    if (m_dagioca.conta() == 0)
        return mossa(Mossa::Esito::Nulla);
    const auto letto = leggiInsieme();
    if (!letto)
        return restituisciAddebiti(tutteLeRighe(m_dagioca.conta()), letto.errore());
    const auto somma = letto.valore()->rimborso(m_dagioca.grezze(), m_dagioca.record());
    if (!somma)
        return mossa(Mossa::Esito::CostoTroppo);
    if (!prenota(*somma, false))
        return mossa(Mossa::Esito::PuntiTroppi);
    m_conti.posta = Currency();
    return mossa(Mossa::Esito::Fatta, *somma);
}

// Takes a sum from the points and the game's result, or gives it back.
bool Partita::prenota(Currency somma, bool togli)
{
    const auto punti = togli ? m_conti.punti.minus(somma) : m_conti.punti.plus(somma);
    if (!punti)
        return false;
    m_conti.punti = *punti;
    m_conti.situazione = ::sposta(m_conti.situazione, somma, togli);
    return true;
}

Partita::Turno Partita::gioca(GeneratoreCasuale &generatore)
{
    Turno turno;
    if (m_dagioca.conta() == 0)
        return soloTurno(Turno::Esito::NessunaSchedina);
    if (m_vere) {
        if (m_vere->prossima >= m_vere->giorni.size())
            return soloTurno(Turno::Esito::FineDelleVere);
        const EstrazioneVera &giorno = m_vere->giorni[m_vere->prossima++];
        m_estrazione = giorno.estrazione;
        m_dataEstrazione = giorno.data;
    } else {
        m_estrazione.estrai(generatore);
        m_dataEstrazione.reset();
    }
    // Every ticket played is read before anything is credited, so a set that cannot be read
    // costs the player nothing: the tickets stay chosen with their stakes, to be played or
    // taken back.
    const auto schede = schedeGiocate();
    if (!schede)
        return soloTurno(Turno::Esito::Illeggibile, schede.errore());
    m_conti.vincita = Currency();
    double totale = 0;
    for (const Schedina &schedina : schede.valore()) {
        // A wheel a real day left undrawn neither wins nor pays.
        struct Annunci : Annunciatore
        {
            Turno &turno;
            const Conti &conti;
            const Estrazione &estrazione;
            Annunci(Turno &t, const Conti &c, const Estrazione &e)
                : turno(t), conti(c), estrazione(e)
            {}
            void annuncia(std::size_t giocata, std::size_t ruota) override
            {
                if (estrazione.estratta(ruota))
                    turno.eventi.push_back({Evento::Tipo::Vincita, giocata, ruota, conti});
            }
        } annunci(turno, m_conti, m_estrazione);
        Valutazione::valuta(schedina, m_estrazione, m_combinazioni, annunci,
                            [&](std::size_t ruota, double importo) {
                                if (!m_estrazione.estratta(ruota))
                                    return;
                                const double vincita = Valutazione::credito(importo);
                                totale += vincita;
                                m_conti.vincita = accredita(Currency(), totale);
                                m_conti.situazione = accredita(m_conti.situazione, vincita);
                                m_conti.punti = accredita(m_conti.punti, vincita);
                                turno.eventi.push_back({Evento::Tipo::Accredito, 0, 0, m_conti});
                            });
        turno.eventi.push_back({Evento::Tipo::Giocata, 0, 0, m_conti});
    }
    // The played tickets go back to the existing ones, their charges spent.
    ElencoSchede::Voci giocate = m_dagioca.prendiTutte();
    giocate.addebiti.clear();
    m_esistenti.aggiungi(std::move(giocate));
    m_conti.posta = Currency();
    turno.eventi.push_back({Evento::Tipo::Finito, 0, 0, m_conti});
    if (const Fine f = fine(m_conti.punti); f != Fine::InCorso)
        turno.eventi.push_back(
            {f == Fine::GameOver ? Evento::Tipo::GameOver : Evento::Tipo::Vittoria, 0, 0, m_conti});
    return turno;
}

std::vector<std::uint64_t> Partita::recordGiocati(const IndiceInsieme &indice) const
{
    IndiceInsieme::Giro giro(indice, m_dagioca.grezze(), m_dagioca.record());
    std::vector<std::uint64_t> numeri;
    while (const auto trovato = giro.prossimo())
        numeri.push_back(*trovato);
    return numeri;
}

Esito<Partita::Giocate> Partita::giocate() const
{
    const auto letto = leggiInsieme();
    if (!letto)
        return letto.errore();
    Giocate giocate{recordGiocati(*letto.valore()), Currency()};
    // Never more than the points they were taken from.
    for (const Currency &addebito : m_dagioca.tutte().addebiti)
        giocate.posta = giocate.posta.plus(addebito).value_or(giocate.posta);
    return giocate;
}

Esito<std::vector<Schedina>> Partita::schedeDaStampare()
{
    if (m_dagioca.conta() == 0)
        return InsiemeSchede(m_insieme.value_or(std::string())).leggiTutte();
    return schedeGiocate();
}

// The play list's entries found in a circle of the set, and their records read from the file in
// one opening. A record that no longer has the title the set had when it was last read was
// written meanwhile: the set is read again, once, and the entries looked for anew.
Esito<std::vector<Schedina>> Partita::schedeGiocate()
{
    for (int tentativo = 0;; ++tentativo) {
        const auto letto = leggiInsieme();
        if (!letto)
            return letto.errore();
        const IndiceInsieme &indice = *letto.valore();
        const std::vector<std::uint64_t> numeri = recordGiocati(indice);
        auto schede = InsiemeSchede(m_insieme.value_or(std::string())).leggiRecord(numeri);
        if (!schede || tentativo > 0)
            return schede;
        bool uguali = true;
        for (std::size_t i = 0; i < numeri.size() && uguali; ++i)
            uguali = schede.valore()[i].titoloGrezzo() ==
                     std::string_view(indice.titoli())
                         .substr((numeri[i] - 1) * IndiceInsieme::kVoce, IndiceInsieme::kVoce);
        if (uguali)
            return schede;
    }
}
