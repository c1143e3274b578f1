#include "comandiinsiemi.h"

#include "main_window/modelloschede.h"
#include "main_window/paginalotto.h"
#include "shared/dialogofile.h"
#include "shared/modulo.h"
#include "sound/suonaomostra.h"
#include "storage/cacheinsieme.h"
#include "storage/indiceinsieme.h"
#include "storage/insiemeschede.h"
#include "widgets/nelturno.h"
#include "widgets/stilegioco.h"
#include "widgets/testonumero.h"

#include <QLabel>
#include <QPushButton>

#include <numeric>
#include <span>

namespace {

using catalogo::Evento;

constexpr const char *kPuntiTroppi = "I punti supererebbero il massimo che il gioco può contare";
constexpr const char *kCostoTroppo =
    "Il costo di queste schedine supera il massimo che il gioco può contare";

} // namespace

ComandiInsiemi::ComandiInsiemi(PaginaLotto *lotto, ModelloSchede *esistenti, ModelloSchede *dagioca,
                               Modulo &modulo, DialogoFile &dialogo, CacheInsieme &insieme,
                               QObject *parent)
    : QObject(parent), m_lotto(lotto), m_esistenti(esistenti), m_dagioca(dagioca), m_modulo(modulo),
      m_dialogo(dialogo), m_insieme(insieme)
{
    connect(lotto, &PaginaLotto::caricaChiesto, this,
            nelTurno(m_modulo, this, &ComandiInsiemi::cmd_carica_Click));
    connect(lotto, &PaginaLotto::nuovoInsiemeChiesto, this,
            nelTurno(m_modulo, this, &ComandiInsiemi::cmd_newinsie_Click));
    connect(lotto, &PaginaLotto::frecciaPremuta, this,
            nelTurno(m_modulo, this, &ComandiInsiemi::freccia));
}

void ComandiInsiemi::freccia(PaginaLotto::Freccia freccia)
{
    using F = PaginaLotto::Freccia;
    switch (freccia) {
    case F::TutteAGioca:
        return cmd_all_destra_Click();
    case F::AGioca:
        return cmd_destra_Click();
    case F::AEsistenti:
        return cmd_sinistra_Click();
    case F::TutteAEsistenti:
        return cmd_all_sinistra_Click();
    }
}

void ComandiInsiemi::mostraErrore(const QString &testo)
{
    m_modulo.avvisi().mostra(testo.toStdString(), catalogo::kTitoloErrore);
}

// Loading another set first gives back the stakes of the tickets chosen for play.
void ComandiInsiemi::cmd_carica_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    Currency puntiPrima = m_modulo.punti;
    double situazionePrima = m_modulo.situazione;
    Currency postaPrima = m_modulo.posta;
    bool definitivo = false; // the tickets went back, from a set that cannot be read
    if (m_dagioca->conta() > 0 && !rimborsa(definitivo))
        return;
    if (definitivo) {
        puntiPrima = m_modulo.punti;
        situazionePrima = m_modulo.situazione;
        postaPrima = m_modulo.posta;
    }
    m_dialogo.impostaFiltro(DialogoFile::kFiltro);
    {
        const TurnoGiocatore::Attesa attesa(m_modulo.turno);
        m_dialogo.mostraApri();
    }
    const std::string name = m_dialogo.nomeFile();
    if (name == DialogoFile::kNomeIniziale || name.empty())
        return;
    if (caricaTitoli(name))
        return;
    // The new set could not be read: the game stays as it was, refund included.
    m_modulo.punti = puntiPrima;
    m_modulo.situazione = situazionePrima;
    m_modulo.posta = postaPrima;
    Q_EMIT statoCambiato();
}

bool ComandiInsiemi::rimborsa(bool &definitivo)
{
    const auto letto = m_insieme.leggi(m_modulo.file_insieme);
    if (!letto) {
        QList<int> all(m_dagioca->conta());
        std::iota(all.begin(), all.end(), 0);
        restituisciAddebiti(all, letto.errore());
        definitivo = true;
        return true;
    }
    const auto &index = letto.valore();
    const auto refund = index->rimborso(m_dagioca->grezze(), m_dagioca->record());
    if (!refund) {
        mostraErrore(QString::fromUtf8(kCostoTroppo));
        return false;
    }
    if (!prenota(*refund, false))
        return false;
    m_modulo.somma = *refund;
    m_modulo.posta = Currency();
    Q_EMIT statoCambiato();
    return true;
}

// The set read once: its titles for the list, each with the record it comes from, and its
// index, kept for the clicks that follow.
bool ComandiInsiemi::caricaTitoli(const std::string &percorso)
{
    const auto letto = m_insieme.leggi(percorso);
    if (!letto) {
        MostraErroreFile(m_modulo, letto.errore());
        return false;
    }
    const IndiceInsieme &indice = *letto.valore();
    ModelloSchede::Voci voci;
    voci.grezze = indice.titoli();
    voci.record.resize(indice.conta());
    std::iota(voci.record.begin(), voci.record.end(), 1U);
    apriInsieme(percorso, std::move(voci));
    return true;
}

void ComandiInsiemi::apriInsieme(const std::string &percorso, ModelloSchede::Voci titoli)
{
    m_modulo.file_insieme = percorso;
    m_lotto->suggerisci(PaginaLotto::kMessaggioDoppioClic);
    m_esistenti->svuota();
    m_dagioca->svuota();
    m_esistenti->aggiungi(std::move(titoli));
    m_lotto->mostra(m_modulo);
}

// A new set is made only while no set is shown as loaded; an existing file is emptied only
// after the player confirms it.
void ComandiInsiemi::cmd_newinsie_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    if (const auto chosen = scegliNuovoInsieme())
        apriInsieme(*chosen, {});
}

std::optional<std::string> ComandiInsiemi::scegliNuovoInsieme()
{
    for (;;) {
        m_dialogo.impostaFiltro(DialogoFile::kFiltro);
        {
            const TurnoGiocatore::Attesa attesa(m_modulo.turno);
            m_dialogo.mostraSalva();
        }
        const std::string name = m_dialogo.nomeFile();
        if (name == DialogoFile::kNomeIniziale)
            return std::nullopt;
        // The page names the open set whenever one is open.
        if (m_modulo.insiemeAperto()) {
            SuonaOMostra(m_modulo, Evento::InsiemeGiaAperto);
            return std::nullopt;
        }
        if (name.empty())
            return std::nullopt;
        const InsiemeSchede set(name);
        const auto length = set.lunghezza();
        if (!length) {
            MostraErroreFile(m_modulo, length.errore());
            return std::nullopt;
        }
        if (length.valore() == 0)
            return name;
        if (!ChiediDopoSuono(m_modulo, Evento::FileEsistente)) {
            m_dialogo.impostaNomeFile("");
            continue;
        }
        SuonaEvento(m_modulo, Evento::SovrascritturaConfermata);
        if (const auto deleted = set.elimina(); !deleted) {
            MostraErroreFile(m_modulo, deleted.errore());
            return std::nullopt;
        }
        return name;
    }
}

void ComandiInsiemi::cmd_destra_Click()
{
    sposta(Verso::VersoGioco, false);
}

void ComandiInsiemi::cmd_all_destra_Click()
{
    sposta(Verso::VersoGioco, true);
}

void ComandiInsiemi::cmd_sinistra_Click()
{
    sposta(Verso::VersoEsistenti, false);
}

void ComandiInsiemi::cmd_all_sinistra_Click()
{
    sposta(Verso::VersoEsistenti, true);
}

// Costs are read from the set file as it is now, once for the whole click.
void ComandiInsiemi::sposta(Verso verso, bool tutte)
{
    SuonaEvento(m_modulo, Evento::Click);
    const bool toPlay = verso == Verso::VersoGioco;
    ModelloSchede *from = toPlay ? m_esistenti : m_dagioca;
    ModelloSchede *to = toPlay ? m_dagioca : m_esistenti;
    if (tutte && from->conta() == 0)
        return;
    QList<int> rows;
    if (tutte) {
        rows.resize(from->conta());
        std::iota(rows.begin(), rows.end(), 0);
    } else {
        rows = m_lotto->righeSelezionate(toPlay ? PaginaLotto::Lista::Esistenti
                                                : PaginaLotto::Lista::DaGioca);
    }
    // A whole list is costed where it is, and moved only once the move is allowed.
    ModelloSchede::Voci scelte = tutte ? ModelloSchede::Voci{} : from->prendi(rows);
    const ModelloSchede::Voci &entries = tutte ? from->tutte() : scelte;
    VettoreGrande<Currency> addebiti;
    Currency somma;
    if (!entries.grezze.empty()) {
        const auto letto = m_insieme.leggi(m_modulo.file_insieme);
        if (!letto && !toPlay)
            return restituisciAddebiti(rows, letto.errore());
        if (!letto)
            return MostraErroreFile(m_modulo, letto.errore());
        auto costi = letto.valore()->costoVoci(entries.grezze, entries.record, toPlay);
        if (!costi)
            return mostraErrore(QString::fromUtf8(kCostoTroppo));
        somma = costi->totale;
        // What each entry chosen for play is charged; the other list holds no charge.
        if (toPlay)
            addebiti = std::move(costi->voci);
    }
    m_modulo.somma = somma;
    if (toPlay && somma > m_modulo.punti) {
        const std::string tail =
            (testoNumero(m_modulo.punti) + testoQt(catalogo::kTeNeServono) + testoNumero(somma))
                .toStdString();
        SuonaOMostra(m_modulo, tutte ? Evento::PuntiInsufficientiTutte : Evento::PuntiInsufficienti,
                     tail);
        return;
    }
    if (!prenota(somma, toPlay))
        return;
    m_modulo.posta = somma;
    Q_EMIT statoCambiato();
    ModelloSchede::Voci moved = tutte ? from->prendiTutte() : std::move(scelte);
    moved.addebiti = std::move(addebiti);
    to->aggiungi(std::move(moved));
    if (!tutte)
        from->rimuovi(rows);
}

// The set can no longer be read at all (a folder or a pipe in its place, unreadable, too big):
// the entries chosen go back with what each was charged, so that no stake stays taken with no
// way to get it back.
void ComandiInsiemi::restituisciAddebiti(const QList<int> &righe, const ErroreFile &errore)
{
    Currency somma;
    ModelloSchede::Voci entries = m_dagioca->prendi(righe);
    for (const Currency &addebito : entries.addebiti)
        somma = somma.plus(addebito).value_or(somma);
    entries.addebiti.clear(); // the list of existing tickets holds no charge
    if (!prenota(somma, false))
        return;
    m_modulo.somma = somma;
    m_modulo.posta = somma;
    Q_EMIT statoCambiato();
    m_esistenti->aggiungi(std::move(entries));
    m_dagioca->rimuovi(righe);
    mostraErrore(QString::fromStdString(errore.nonSiPuoLeggere()) +
                 QStringLiteral(": ti ho restituito ") + testoNumero(somma) +
                 QStringLiteral(" punti"));
}

// Takes a sum from the points and the game's result, or gives it back; the caller shows them.
bool ComandiInsiemi::prenota(Currency somma, bool togli)
{
    const auto points = togli ? m_modulo.punti.minus(somma) : m_modulo.punti.plus(somma);
    if (!points) {
        mostraErrore(QString::fromUtf8(kPuntiTroppi));
        return false;
    }
    m_modulo.punti = *points;
    m_modulo.situazione += togli ? -somma.toDouble() : somma.toDouble();
    return true;
}
