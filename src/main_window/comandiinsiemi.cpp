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
                               DialogoFile &dialogo, QObject *genitore)
    : QObject(genitore), m_lotto(lotto), m_partita(partita), m_modulo(modulo), m_dialogo(dialogo)
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
    m_modulo.presentatore().mostra(testo.toStdString(), std::string(catalogo::kTitoloErrore));
}

// Loading another set first gives back the stakes of the tickets chosen for play; a set that
// cannot be read leaves the game as it was, refund included.
void ComandiInsiemi::cmd_carica_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    dopo(m_modulo, this, [this] {
        Partita::Conti prima = m_partita.conti();
        const Partita::Mossa rimborso = m_partita.rimborsa();
        if (!mostraMossa(rimborso, true))
            return;
        // Tickets given back from a set that cannot be read stay given back.
        if (rimborso.esito == Partita::Mossa::Esito::Restituite)
            prima = m_partita.conti();
        dopo(m_modulo, this, [this, prima] { apriCaricato(prima); });
    });
}

// The dialog; a set that cannot be read puts the accounts back as they were before.
void ComandiInsiemi::apriCaricato(const Partita::Conti &prima)
{
    m_dialogo.impostaFiltro(DialogoFile::kFiltro);
    {
        const Presentatore::Attesa attesa(m_modulo.presentatore());
        m_dialogo.mostraApri();
    }
    const std::string nome = m_dialogo.nomeFile();
    if (nome == DialogoFile::kNomeIniziale || nome.empty())
        return;
    if (const auto errore = m_partita.apri(nome)) {
        MostraErroreFile(m_modulo, *errore);
        dopo(m_modulo, this, [this, prima] {
            m_partita.ripristina(prima);
            Q_EMIT statoCambiato();
        });
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
    dopo(m_modulo, this, [this] { scegliNuovoInsieme(); });
}

void ComandiInsiemi::scegliNuovoInsieme()
{
    m_dialogo.impostaFiltro(DialogoFile::kFiltro);
    {
        const Presentatore::Attesa attesa(m_modulo.presentatore());
        m_dialogo.mostraSalva();
    }
    const std::string nome = m_dialogo.nomeFile();
    if (nome == DialogoFile::kNomeIniziale)
        return;
    // The page names the open set whenever one is open.
    if (m_partita.insiemeAperto())
        return SuonaOMostra(m_modulo, Evento::InsiemeGiaAperto);
    if (nome.empty())
        return;
    const auto lunghezza = InsiemeSchede(nome).lunghezza();
    if (!lunghezza)
        return MostraErroreFile(m_modulo, lunghezza.errore());
    const auto crea = [this, nome] {
        m_partita.apriVuoto(nome);
        insiemeAperto();
    };
    if (lunghezza.valore() == 0)
        return crea();
    ChiediDopoSuono(m_modulo, Evento::FileEsistente,
                    allaRisposta(this, [this, nome, crea](bool si) {
                        if (!si) {
                            m_dialogo.impostaNomeFile("");
                            return scegliNuovoInsieme();
                        }
                        SuonaEvento(m_modulo, Evento::SovrascritturaConfermata);
                        dopo(m_modulo, this, [this, nome, crea] {
                            if (const auto eliminato = InsiemeSchede(nome).elimina(); !eliminato)
                                return MostraErroreFile(m_modulo, eliminato.errore());
                            crea();
                        });
                    }));
}

// Each arrow moves the tickets once its click is heard, the rows selected by then.
void ComandiInsiemi::cmd_destra_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    dopo(m_modulo, this, [this] {
        const QList<int> righe = m_lotto->righeSelezionate(PaginaLotto::Lista::Esistenti);
        mostraMossa(m_partita.scegli(righe), false);
    });
}

void ComandiInsiemi::cmd_all_destra_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    dopo(m_modulo, this, [this] { mostraMossa(m_partita.scegliTutte(), true); });
}

void ComandiInsiemi::cmd_sinistra_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    dopo(m_modulo, this, [this] {
        const QList<int> righe = m_lotto->righeSelezionate(PaginaLotto::Lista::DaGioca);
        mostraMossa(m_partita.restituisci(righe), false);
    });
}

void ComandiInsiemi::cmd_all_sinistra_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    dopo(m_modulo, this, [this] { mostraMossa(m_partita.restituisciTutte(), true); });
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
