#pragma once

#include "cli/interruzione.h"
#include "storage/guardiamodifica.h"
#include "storage/insiemeschede.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// Many tickets added to a set as one, whatever stops the program. The set's lock is taken before
// anything is checked against it and held to the end; the set's state goes to its journal
// before anything else; the records are written as they come, synced at the end, and let stand
// only once their numbers are printed. A refusal, a failure, SIGINT, SIGTERM or SIGHUP put the set
// back byte for byte (and no file where there was none); anything else that stops the program
// leaves the journal, from which the next reader or writer puts the set back. Readers see the
// set as it was until the records stand.
class AggiuntaInBlocco
{
public:
    // err: where a failure to put the set back is said, whenever it happens.
    static Esito<AggiuntaInBlocco> prendi(const std::string &percorso, std::ostream &err);
    AggiuntaInBlocco(AggiuntaInBlocco &&) = default;
    ~AggiuntaInBlocco();

    const InsiemeSchede &insieme() const { return m_insieme; }
    // The whole records the set held before.
    std::uint64_t schedine() const { return m_prima.lunghezza / Schedina::kDimensioneRecord; }

    // One more record, written with those before it a megabyte at a time. False once a write
    // has failed: nothing more is written, and concludi says why.
    bool aggiungi(const Schedina::Record &record);
    // Where a long piece of work looks whether the player stopped the program: if so, the set is
    // put back and the program ends by the player's signal.
    void puntoDiControllo();
    // Writes the rest and syncs; prints the line made from the first and last record numbers,
    // and only then lets the records stand. Anything failing takes them back. The exit code.
    int concludi(const std::function<std::string(std::uint64_t, std::uint64_t)> &riga,
                 std::ostream &out);

private:
    AggiuntaInBlocco(std::unique_ptr<Interruzione> interruzione, std::ostream &err,
                     InsiemeSchede insieme, BloccoInsieme blocco, GuardiaModifica guardia,
                     InsiemeSchede::PrimaDellAggiunta prima, GiornaleRipristino giornale);
    bool svuota();
    int errore(const ErroreFile &errore);
    // The set as it was and the journal gone; false (and said) when that failed.
    bool annulla();

    std::unique_ptr<Interruzione> m_interruzione; // let go last
    std::ostream *m_err;
    InsiemeSchede m_insieme;
    BloccoInsieme m_blocco;
    std::optional<GuardiaModifica> m_guardia;
    InsiemeSchede::PrimaDellAggiunta m_prima;
    std::optional<GiornaleRipristino> m_giornale; // gone once the set is as it should stay
    std::string m_attesa;                         // records not yet written
    std::uint64_t m_scritte = 0;                  // records written
    std::optional<ErroreFile> m_errore;
};
