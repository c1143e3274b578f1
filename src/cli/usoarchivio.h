#pragma once

#include "estrazioni/archivioestrazioni.h"
#include "estrazioni/dataestrazione.h"

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

// Runs the command, turning an ErroreArchivio into its line on err and its exit code.
int esegui(std::ostream &err, const std::function<int()> &comando);

// The refusal of a command: its line on err, and exit code 2.
int rifiuta(std::ostream &err, const std::string &motivo);

} // namespace usoarchivio
