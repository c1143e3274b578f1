#pragma once

#include "cli/interruzione.h"
#include "storage/bloccoinsieme.h"
#include "storage/insiemeschede.h"
#include "storage/nuovaversione.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

// Many tickets added to a set as one, whatever stops the program. The set's lock is taken before
// anything is checked against it and held to the end; the records go, as they come, into a new
// version of the set beside it, which takes the set's place only once it is whole and synced,
// and the line that says so is printed only then. A refusal, a failure, SIGINT, SIGTERM or SIGHUP
// before that leave the set as it was, and so does anything else that stops the program: the set
// itself is never touched until the new version replaces it.
class AggiuntaInBlocco
{
public:
    // err: where a failure is said, whenever it happens.
    static Esito<AggiuntaInBlocco> prendi(const std::string &percorso, std::ostream &err);
    AggiuntaInBlocco(AggiuntaInBlocco &&) = default;

    // The set as the hold found it, read through the new version: nothing for a set not made yet.
    const InsiemeSchede &insieme() const { return m_insieme; }
    // The whole records the set held before.
    std::uint64_t schedine() const
    {
        return m_versione->lunghezzaPrima() / Schedina::kDimensioneRecord;
    }

    // One more record, written with those before it a megabyte at a time. False once a write
    // has failed: nothing more is written, and concludi says why.
    bool aggiungi(const Schedina::Record &record);
    // Where a long piece of work looks whether the player stopped the program: if so, the new
    // version is dropped and the program ends by the player's signal.
    void puntoDiControllo();
    // Writes the rest, syncs, puts the new version in the set's place, and only then prints the
    // line made from the first and last record numbers. The exit code.
    int concludi(const std::function<std::string(std::uint64_t, std::uint64_t)> &riga,
                 std::ostream &out);

private:
    AggiuntaInBlocco(std::unique_ptr<Interruzione> interruzione, std::ostream &err,
                     InsiemeSchede insieme, std::unique_ptr<BloccoInsieme> blocco,
                     NuovaVersione versione);
    bool svuota();
    int errore(const ErroreFile &errore);
    std::uint64_t primo() const
    {
        return InsiemeSchede::numeroPerAggiunta(m_versione->lunghezzaPrima());
    }

    std::unique_ptr<Interruzione> m_interruzione; // let go last
    std::ostream *m_err;
    InsiemeSchede m_insieme;
    std::unique_ptr<BloccoInsieme> m_blocco; // where the new version points
    std::optional<NuovaVersione> m_versione;
    std::string m_attesa;        // records not yet written
    std::uint64_t m_scritte = 0; // records written
    std::optional<ErroreFile> m_errore;
};
