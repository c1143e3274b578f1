#pragma once

#include <iosfwd>
#include <optional>
#include <string>

// "check", "history", "delays" and "stats": a set of tickets, or the numbers, against the
// archive of the real draws. Exit codes as for the other commands: 0 done, 1 a file could not be
// read, 2 a refusal or bad arguments.
struct RichiestaStorico
{
    std::optional<std::string> archivio;
    std::string percorso; // the set
    std::optional<std::string> data, colpi, dal, al, thread, ruota;
};
int eseguiCheck(const RichiestaStorico &r, std::ostream &out, std::ostream &err);
int eseguiHistory(const RichiestaStorico &r, std::ostream &out, std::ostream &err);
int eseguiDelays(const RichiestaStorico &r, std::ostream &out, std::ostream &err);
int eseguiStats(const RichiestaStorico &r, std::ostream &out, std::ostream &err);
