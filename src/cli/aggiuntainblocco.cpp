#include "aggiuntainblocco.h"

#include "cli/codiciuscita.h"
#include "cli/erroredifile.h"

#include <ostream>

namespace {

// Records written in one go: a megabyte.
constexpr std::size_t kPerScrittura = 8192 * Schedina::kDimensioneRecord;

} // namespace

Esito<AggiuntaInBlocco> AggiuntaInBlocco::prendi(const std::string &percorso, std::ostream &err)
{
    auto interruzione = std::make_unique<Interruzione>();
    auto blocco = BloccoInsieme::prendi(percorso);
    if (!blocco)
        return blocco.errore();
    auto tenuto = std::make_unique<BloccoInsieme>(std::move(blocco).valore());
    auto versione = NuovaVersione::prepara(*tenuto);
    if (!versione)
        return versione.errore();
    InsiemeSchede insieme(percorso, versione.valore().file());
    return AggiuntaInBlocco(std::move(interruzione), err, std::move(insieme), std::move(tenuto),
                            std::move(versione).valore());
}

AggiuntaInBlocco::AggiuntaInBlocco(std::unique_ptr<Interruzione> interruzione, std::ostream &err,
                                   InsiemeSchede insieme, std::unique_ptr<BloccoInsieme> blocco,
                                   NuovaVersione versione)
    : m_interruzione(std::move(interruzione)), m_err(&err), m_insieme(std::move(insieme)),
      m_blocco(std::move(blocco)), m_versione(std::move(versione))
{}

bool AggiuntaInBlocco::aggiungi(const Schedina::Record &record)
{
    m_attesa.append(reinterpret_cast<const char *>(record.data()), record.size());
    return m_attesa.size() < kPerScrittura || svuota();
}

bool AggiuntaInBlocco::svuota()
{
    if (m_errore)
        return false;
    if (auto scritto = m_versione->scrivi(m_attesa, primo() + m_scritte); !scritto)
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
    m_versione.reset();
    *m_err << "zaffirone-cli: interrotto: nessuna schedina scritta, il file è com'era\n";
    m_err->flush();
    Interruzione::termina();
}

int AggiuntaInBlocco::errore(const ErroreFile &e)
{
    m_versione.reset();
    return erroreDiFile(e, *m_err);
}

int AggiuntaInBlocco::concludi(const std::function<std::string(std::uint64_t, std::uint64_t)> &riga,
                               std::ostream &out)
{
    if (!m_attesa.empty())
        svuota();
    if (m_errore)
        return errore(*m_errore);
    if (auto sincronizzata = m_versione->sincronizza(); !sincronizzata)
        return errore(sincronizzata.errore());
    puntoDiControllo(); // the last moment a signal takes the write back
    const std::uint64_t ultimo = primo() + m_scritte - 1;
    const auto sostituita = m_versione->sostituisci();
    if (!sostituita && !m_versione->sostituita())
        return errore(sostituita.errore());
    const auto nelFile = [&](const char *ma) {
        *m_err << "zaffirone-cli: le schedine sono nel file, dalla " << primo() << " alla "
               << ultimo << ", " << ma << '\n';
        return uscita::kErrore;
    };
    if (!sostituita) {
        erroreDiFile(sostituita.errore(), *m_err);
        return nelFile("ma un'interruzione di corrente potrebbe ancora toglierle");
    }
    if (!(out << riga(primo(), ultimo) << '\n' && out.flush()))
        return nelFile("ma non si è potuto dirlo");
    return uscita::kFatto;
}
