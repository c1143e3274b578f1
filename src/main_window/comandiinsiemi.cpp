#include "comandiinsiemi.h"

#include "main_window/listaschede.h"
#include "main_window/modelloschede.h"
#include "main_window/paginagioca.h"
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

// The titles of a set's whole records in file order, as the set stores them, with the record
// each comes from.
Esito<ModelloSchede::Voci> titoli(const InsiemeSchede &insieme)
{
    const auto count = insieme.contaEntroIlLimite();
    if (!count)
        return count.errore();
    ModelloSchede::Voci voci;
    voci.grezze.reserve(count.valore() * Schedina::kLunghezzaTitolo);
    voci.record.reserve(qsizetype(count.valore()));
    auto esito = insieme.scorri([&](std::uint64_t k, const unsigned char *record) {
        voci.grezze.append(reinterpret_cast<const char *>(record), Schedina::kLunghezzaTitolo);
        voci.record << quint32(k);
        return true;
    });
    if (!esito)
        return esito.errore();
    return voci;
}

} // namespace

ComandiInsiemi::ComandiInsiemi(PaginaLotto *lotto, PaginaGioca *gioca, Modulo &modulo,
                               DialogoFile &dialogo, CacheInsieme &insieme, QObject *parent)
    : QObject(parent), m_lotto(lotto), m_gioca(gioca), m_modulo(modulo), m_dialogo(dialogo),
      m_insieme(insieme), m_esistenti(lotto->lst_esistenti), m_dagioca(lotto->lst_dagioca)
{
    const auto collega = [this](QPushButton *button, void (ComandiInsiemi::*gestore)()) {
        connect(button, &QPushButton::clicked, this, nelTurno(m_modulo, this, gestore));
    };
    collega(lotto->cmd_carica, &ComandiInsiemi::cmd_carica_Click);
    collega(lotto->cmd_newinsie, &ComandiInsiemi::cmd_newinsie_Click);
    collega(lotto->cmd_destra, &ComandiInsiemi::cmd_destra_Click);
    collega(lotto->cmd_all_destra, &ComandiInsiemi::cmd_all_destra_Click);
    collega(lotto->cmd_sinistra, &ComandiInsiemi::cmd_sinistra_Click);
    collega(lotto->cmd_all_sinistra, &ComandiInsiemi::cmd_all_sinistra_Click);
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
    QString sommaPrima = m_gioca->lbl_somma->text();
    bool definitivo = false; // the tickets went back, from a set that cannot be read
    if (m_dagioca->count() > 0 && !rimborsa(definitivo))
        return;
    if (definitivo) {
        puntiPrima = m_modulo.punti;
        situazionePrima = m_modulo.situazione;
        sommaPrima = m_gioca->lbl_somma->text();
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
    stile::scrivi(m_gioca->lbl_situazione, testoNumero(situazionePrima));
    stile::scrivi(m_gioca->lbl_somma, sommaPrima);
    Q_EMIT puntiCambiati();
}

bool ComandiInsiemi::rimborsa(bool &definitivo)
{
    const auto letto = m_insieme.leggi(m_modulo.file_insieme);
    if (!letto) {
        QList<int> all(m_dagioca->count());
        std::iota(all.begin(), all.end(), 0);
        restituisciAddebiti(all, letto.errore());
        definitivo = true;
        return true;
    }
    const auto &index = letto.valore();
    const auto refund = index->rimborso(m_dagioca->modello()->grezze());
    if (!refund) {
        mostraErrore(QString::fromUtf8(kCostoTroppo));
        return false;
    }
    if (!prenota(*refund, false))
        return false;
    m_modulo.somma = *refund;
    stile::scrivi(m_gioca->lbl_somma, QStringLiteral("0"));
    return true;
}

bool ComandiInsiemi::caricaTitoli(const std::string &percorso)
{
    const auto titles = titoli(InsiemeSchede(percorso));
    if (!titles) {
        MostraErroreFile(m_modulo, titles.errore());
        return false;
    }
    apriInsieme(percorso, std::move(titles).valore());
    return true;
}

void ComandiInsiemi::apriInsieme(const std::string &percorso, ModelloSchede::Voci titoli)
{
    m_modulo.file_insieme = percorso;
    stile::scrivi(m_lotto->lbl_messaggio, QString::fromUtf8(PaginaLotto::kMessaggioDoppioClic));
    m_esistenti->modello()->svuota();
    m_dagioca->modello()->svuota();
    m_esistenti->modello()->aggiungi(std::move(titoli));
    stile::scrivi(m_lotto->lbl_filelottoschede,
                  QString::fromUtf8(PaginaLotto::kFileCaricato) + QString::fromStdString(percorso));
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
    const QString loaded = QString::fromUtf8(PaginaLotto::kFileCaricato) +
                           QString::fromStdString(m_modulo.file_insieme);
    for (;;) {
        m_dialogo.impostaFiltro(DialogoFile::kFiltro);
        {
            const TurnoGiocatore::Attesa attesa(m_modulo.turno);
            m_dialogo.mostraSalva();
        }
        const std::string name = m_dialogo.nomeFile();
        if (name == DialogoFile::kNomeIniziale)
            return std::nullopt;
        if (m_modulo.insiemeAperto() && m_lotto->lbl_filelottoschede->text() == loaded) {
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
    ListaSchede *from = toPlay ? m_esistenti : m_dagioca;
    ListaSchede *to = toPlay ? m_dagioca : m_esistenti;
    if (tutte && from->count() == 0)
        return;
    QList<int> rows;
    if (!tutte)
        rows = from->righeSelezionate();
    ModelloSchede::Voci entries = tutte ? from->modello()->tutte() : from->modello()->prendi(rows);

    Currency somma;
    if (!entries.grezze.empty()) {
        const auto letto = m_insieme.leggi(m_modulo.file_insieme);
        if (!letto && !toPlay) {
            if (tutte) {
                rows.resize(from->count());
                std::iota(rows.begin(), rows.end(), 0);
            }
            return restituisciAddebiti(rows, letto.errore());
        }
        if (!letto)
            return MostraErroreFile(m_modulo, letto.errore());
        const auto costi = letto.valore()->costoVoci(
            entries.grezze, std::span(entries.record.constData(), entries.record.size()));
        if (!costi)
            return mostraErrore(QString::fromUtf8(kCostoTroppo));
        somma = costi->totale;
        // What each entry chosen for play is charged; the other list holds no charge.
        entries.addebiti =
            toPlay ? QList<Currency>(costi->voci.begin(), costi->voci.end()) : QList<Currency>();
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
    stile::scrivi(m_gioca->lbl_somma, testoNumero(somma));
    to->modello()->aggiungi(std::move(entries));
    if (tutte)
        from->modello()->svuota();
    else
        from->modello()->rimuovi(rows);
}

// The set can no longer be read at all (a folder or a pipe in its place, unreadable, too big):
// the entries chosen go back with what each was charged, so that no stake stays taken with no
// way to get it back.
void ComandiInsiemi::restituisciAddebiti(const QList<int> &righe, const ErroreFile &errore)
{
    Currency somma;
    ModelloSchede::Voci entries = m_dagioca->modello()->prendi(righe);
    for (const Currency &addebito : entries.addebiti)
        somma = somma.plus(addebito).value_or(somma);
    entries.addebiti.clear(); // the list of existing tickets holds no charge
    if (!prenota(somma, false))
        return;
    m_modulo.somma = somma;
    stile::scrivi(m_gioca->lbl_somma, testoNumero(somma));
    m_esistenti->modello()->aggiungi(std::move(entries));
    m_dagioca->modello()->rimuovi(righe);
    mostraErrore(QString::fromStdString(errore.nonSiPuoLeggere()) +
                 QStringLiteral(": ti ho restituito ") + testoNumero(somma) +
                 QStringLiteral(" punti"));
}

// Takes a sum from the points and the game's result, or gives it back, and shows both.
bool ComandiInsiemi::prenota(Currency somma, bool togli)
{
    const auto points = togli ? m_modulo.punti.minus(somma) : m_modulo.punti.plus(somma);
    if (!points) {
        mostraErrore(QString::fromUtf8(kPuntiTroppi));
        return false;
    }
    m_modulo.punti = *points;
    m_modulo.situazione += togli ? -somma.toDouble() : somma.toDouble();
    stile::scrivi(m_gioca->lbl_situazione, testoNumero(m_modulo.situazione));
    Q_EMIT puntiCambiati();
    return true;
}
