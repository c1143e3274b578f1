#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

// The companion's commands on the game's engine. Exit codes: 0 done, 1 the file is missing or
// cannot be read (nothing is ever created), 2 bad arguments.

// "evaluate FILE RECORD --estrazione N1,...,N50": one ticket against a given draw.
int eseguiEvaluate(const std::string &percorso, const std::string &record,
                   const std::string &estrazione, std::ostream &flusso, std::ostream &flussoErrori);

// "odds FILE": for each ticket, what one play returns on average.
int eseguiOdds(const std::string &percorso, std::ostream &flusso, std::ostream &flussoErrori);

// "simulate FILE --estrazioni N | --partite N [--seme S] [--turni T] [--thread K]": every
// ticket against N draws, or N whole games played with the set.
struct RichiestaSimulate
{
    std::string percorso;
    std::optional<std::string> estrazioni;
    std::optional<std::string> partite;
    std::optional<std::string> seme;
    std::optional<std::string> turni;
    std::optional<std::string> thread;
};
int eseguiSimulate(const RichiestaSimulate &richiesta, std::ostream &flusso,
                   std::ostream &flussoErrori);
// How "simulate" plays whole games, for its help: the game's own starting points and goal.
std::string aiutoPartite();
