#include "aggiuntainblocco.h"

#include "cli/codiciuscita.h"
#include "cli/erroredifile.h"

#include <csignal>
#include <cstdlib>
#include <ostream>

namespace {

// Records written in one go: a megabyte.
constexpr std::size_t kPerScrittura = 8192 * Schedina::kDimensioneRecord;

// A test stops the companion here, with records written and nothing synced, to kill or
// interrupt it at a known point of its write.
void sostaDiProva()
{
    if (std::getenv("ZAFFIRONE_SOSTA_IN_SCRITTURA"))
        std::raise(SIGSTOP);
}

} // namespace

Esito<AggiuntaInBlocco> AggiuntaInBlocco::prendi(const std::string &percorso, std::ostream &err)
{
    auto interruzione = std::make_unique<Interruzione>();
    InsiemeSchede insieme(percorso);
    auto blocco = BloccoInsieme::prendi(percorso);
    if (!blocco)
        return blocco.errore();
    const auto fallita = [&](const ErroreFile &e) -> Esito<AggiuntaInBlocco> {
        if (blocco.valore().creato())
            ::unlink(percorso.c_str());
        return e;
    };
    auto guardia =
        GuardiaModifica::esclusiva(blocco.valore().fd(), percorso, GuardiaModifica::kAttesa);
    if (!guardia)
        return fallita(guardia.errore());
    auto prima = insieme.primaDellAggiunta(blocco.valore());
    if (!prima)
        return fallita(prima.errore());
    auto giornale = GiornaleRipristino::scrivi(percorso, blocco.valore().fd(), prima.valore());
    if (!giornale)
        return fallita(giornale.errore());
    return AggiuntaInBlocco(std::move(interruzione), err, std::move(insieme),
                            std::move(blocco).valore(), std::move(guardia).valore(),
                            std::move(prima).valore(), std::move(giornale).valore());
}

AggiuntaInBlocco::AggiuntaInBlocco(std::unique_ptr<Interruzione> interruzione, std::ostream &err,
                                   InsiemeSchede insieme, BloccoInsieme blocco,
                                   GuardiaModifica guardia, InsiemeSchede::PrimaDellAggiunta prima,
                                   GiornaleRipristino giornale)
    : m_interruzione(std::move(interruzione)), m_err(&err), m_insieme(std::move(insieme)),
      m_blocco(std::move(blocco)), m_guardia(std::move(guardia)), m_prima(std::move(prima)),
      m_giornale(std::move(giornale))
{}

// Whatever did not end in records that stand is taken back.
AggiuntaInBlocco::~AggiuntaInBlocco()
{
    if (m_blocco.fd() >= 0 && m_giornale)
        annulla();
}

bool AggiuntaInBlocco::aggiungi(const Schedina::Record &record)
{
    m_attesa.append(reinterpret_cast<const char *>(record.data()), record.size());
    return m_attesa.size() < kPerScrittura || svuota();
}

bool AggiuntaInBlocco::svuota()
{
    if (m_errore)
        return false;
    const std::uint64_t primo = InsiemeSchede::numeroPerAggiunta(m_prima.lunghezza) + m_scritte;
    if (auto scritto = m_insieme.scriviRecord(m_attesa, primo, m_blocco); !scritto)
        m_errore = scritto.errore();
    m_scritte += m_attesa.size() / Schedina::kDimensioneRecord;
    m_attesa.clear();
    puntoDiControllo();
    return !m_errore;
}

void AggiuntaInBlocco::puntoDiControllo()
{
    if (Interruzione::segnale() == 0)
        return;
    if (annulla())
        *m_err << "zaffirone-cli: interrotto: nessuna schedina scritta, il file è com'era\n";
    m_err->flush();
    Interruzione::termina();
}

int AggiuntaInBlocco::errore(const ErroreFile &e)
{
    const int codice = erroreDiFile(e, *m_err);
    annulla();
    return codice;
}

int AggiuntaInBlocco::concludi(const std::function<std::string(std::uint64_t, std::uint64_t)> &riga,
                               std::ostream &out)
{
    if (!m_attesa.empty())
        svuota();
    if (m_errore)
        return errore(*m_errore);
    sostaDiProva();
    puntoDiControllo();
    if (auto sincronizzato = m_insieme.sincronizza(m_blocco); !sincronizzato)
        return errore(sincronizzato.errore());
    const std::uint64_t primo = InsiemeSchede::numeroPerAggiunta(m_prima.lunghezza);
    if (!(out << riga(primo, primo + m_scritte - 1) << '\n' && out.flush())) {
        annulla(); // the output's failure is said by the caller
        return uscita::kErrore;
    }
    if (auto confermato = m_giornale->conferma(); !confermato)
        return errore(confermato.errore());
    m_giornale.reset();
    return uscita::kFatto;
}

bool AggiuntaInBlocco::annulla()
{
    if (!m_giornale)
        return true; // already as it should stay
    auto rimesso = m_insieme.annullaAggiunta(m_blocco, m_prima);
    auto tolto = rimesso ? m_giornale->conferma() : Esito<Fatto>(rimesso.errore());
    if (tolto) {
        m_giornale.reset();
        return true;
    }
    const std::uint64_t primo = InsiemeSchede::numeroPerAggiunta(m_prima.lunghezza);
    *m_err << "zaffirone-cli: " << tolto.errore().descrizione() << '\n';
    if (m_scritte > 0)
        *m_err << "zaffirone-cli: il file potrebbe contenere ancora le schedine scritte, dalla "
               << primo << " alla " << primo + m_scritte - 1
               << ": le toglierà chi lo aprirà per primo\n";
    m_giornale.reset();
    return false;
}
