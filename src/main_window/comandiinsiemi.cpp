#include "comandiinsiemi.h"

#include "main_window/paginalotto.h"
#include "shared/dialogofile.h"
#include "shared/modulo.h"
#include "sound/suonaomostra.h"
#include "storage/insiemeschede.h"
#include "widgets/nelturno.h"
#include "widgets/stilegioco.h"
#include "widgets/testonumero.h"

#include <QLabel>
#include <QPushButton>

namespace {

using catalogo::Evento;

constexpr const char *kPuntiTroppi = "I punti supererebbero il massimo che il gioco può contare";
constexpr const char *kCostoTroppo =
    "Il costo di queste schedine supera il massimo che il gioco può contare";

} // namespace

ComandiInsiemi::ComandiInsiemi(PaginaLotto *lotto, Partita &partita, Modulo &modulo,
                               DialogoFile &dialogo, QObject *parent)
    : QObject(parent), m_lotto(lotto), m_partita(partita), m_modulo(modulo), m_dialogo(dialogo)
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

// Loading another set first gives back the stakes of the tickets chosen for play; a set that
// cannot be read leaves the game as it was, refund included.
void ComandiInsiemi::cmd_carica_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    Partita::Conti prima = m_partita.conti();
    const Partita::Mossa rimborso = m_partita.rimborsa();
    if (!mostraMossa(rimborso, true))
        return;
    // Tickets given back from a set that cannot be read stay given back.
    if (rimborso.esito == Partita::Mossa::Esito::Restituite)
        prima = m_partita.conti();
    m_dialogo.impostaFiltro(DialogoFile::kFiltro);
    {
        const TurnoGiocatore::Attesa attesa(m_modulo.turno());
        m_dialogo.mostraApri();
    }
    const std::string nome = m_dialogo.nomeFile();
    if (nome == DialogoFile::kNomeIniziale || nome.empty())
        return;
    if (const auto errore = m_partita.apri(nome)) {
        MostraErroreFile(m_modulo, *errore);
        m_partita.ripristina(prima);
        Q_EMIT statoCambiato();
        return;
    }
    insiemeAperto();
}

void ComandiInsiemi::insiemeAperto()
{
    m_lotto->suggerisci(PaginaLotto::kMessaggioDoppioClic);
    m_lotto->mostra(m_partita.insieme());
}

// A new set is made only while no set is shown as loaded; an existing file is emptied only
// after the player confirms it.
void ComandiInsiemi::cmd_newinsie_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    if (const auto scelto = scegliNuovoInsieme()) {
        m_partita.apriVuoto(*scelto);
        insiemeAperto();
    }
}

std::optional<std::string> ComandiInsiemi::scegliNuovoInsieme()
{
    for (;;) {
        m_dialogo.impostaFiltro(DialogoFile::kFiltro);
        {
            const TurnoGiocatore::Attesa attesa(m_modulo.turno());
            m_dialogo.mostraSalva();
        }
        const std::string nome = m_dialogo.nomeFile();
        if (nome == DialogoFile::kNomeIniziale)
            return std::nullopt;
        // The page names the open set whenever one is open.
        if (m_partita.insiemeAperto()) {
            SuonaOMostra(m_modulo, Evento::InsiemeGiaAperto);
            return std::nullopt;
        }
        if (nome.empty())
            return std::nullopt;
        const InsiemeSchede insieme(nome);
        const auto lunghezza = insieme.lunghezza();
        if (!lunghezza) {
            MostraErroreFile(m_modulo, lunghezza.errore());
            return std::nullopt;
        }
        if (lunghezza.valore() == 0)
            return nome;
        if (!ChiediDopoSuono(m_modulo, Evento::FileEsistente)) {
            m_dialogo.impostaNomeFile("");
            continue;
        }
        SuonaEvento(m_modulo, Evento::SovrascritturaConfermata);
        if (const auto eliminato = insieme.elimina(); !eliminato) {
            MostraErroreFile(m_modulo, eliminato.errore());
            return std::nullopt;
        }
        return nome;
    }
}

void ComandiInsiemi::cmd_destra_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    const QList<int> righe = m_lotto->righeSelezionate(PaginaLotto::Lista::Esistenti);
    mostraMossa(m_partita.scegli(righe), false);
}

void ComandiInsiemi::cmd_all_destra_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    mostraMossa(m_partita.scegliTutte(), true);
}

void ComandiInsiemi::cmd_sinistra_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    const QList<int> righe = m_lotto->righeSelezionate(PaginaLotto::Lista::DaGioca);
    mostraMossa(m_partita.restituisci(righe), false);
}

void ComandiInsiemi::cmd_all_sinistra_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    mostraMossa(m_partita.restituisciTutte(), true);
}

bool ComandiInsiemi::mostraMossa(const Partita::Mossa &mossa, bool tutte)
{
    using E = Partita::Mossa::Esito;
    switch (mossa.esito) {
    case E::Nulla:
        return true;
    case E::Fatta:
        Q_EMIT statoCambiato();
        return true;
    case E::PuntiInsufficienti: {
        const std::string seguito = (testoNumero(m_partita.conti().punti) +
                                     testoQt(catalogo::kTeNeServono) + testoNumero(mossa.somma))
                                        .toStdString();
        SuonaOMostra(m_modulo, tutte ? Evento::PuntiInsufficientiTutte : Evento::PuntiInsufficienti,
                     seguito);
        return false;
    }
    case E::CostoTroppo:
        mostraErrore(QString::fromUtf8(kCostoTroppo));
        return false;
    case E::PuntiTroppi:
        mostraErrore(QString::fromUtf8(kPuntiTroppi));
        return false;
    case E::Illeggibile:
        MostraErroreFile(m_modulo, *mossa.errore);
        return false;
    case E::Restituite:
        Q_EMIT statoCambiato();
        mostraErrore(QString::fromStdString(mossa.errore->nonSiPuoLeggere()) +
                     QStringLiteral(": ti ho restituito ") + testoNumero(mossa.somma) +
                     QStringLiteral(" punti"));
        return true;
    }
    return false;
}
