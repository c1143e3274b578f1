#pragma once

#include "estrazioni/archivioestrazioni.h"
#include "estrazioni/dataestrazione.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

// What the commands on the archive of draws share: where the archive is, the days the player
// writes, and the archive's errors said as the companion says them.
namespace usoarchivio {

// The file of --archivio, or the player's own archive.
std::string percorso(const std::optional<std::string> &archivio);

// A day as the player writes it (2025-04-29, 2025/04/29, 29/04/2025); the refusal is said on err.
std::optional<DataEstrazione> data(const std::string &testo, std::ostream &err);

// A whole number from minimo to massimo, written in decimal digits alone.
std::optional<std::uint64_t> intero(const std::string &testo, std::uint64_t minimo,
                                    std::uint64_t massimo);

// --colpi, how many days of draws from the first: 1 when not given; the refusal is said on err.
std::optional<std::uint64_t> colpi(const std::optional<std::string> &testo, std::ostream &err);

// Runs the command, turning an ErroreArchivio into its line on err and its exit code.
int esegui(std::ostream &err, const std::function<int()> &comando);

// The refusal of a command: its line on err, and exit code 2.
int rifiuta(std::ostream &err, const std::string &motivo);

} // namespace usoarchivio
