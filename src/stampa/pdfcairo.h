#pragma once

#include "stampa/impaginazione.h"

#include <optional>
#include <string>

// Writes a laid-out play plan as an A4 PDF file through cairo. Nothing when it was written
// whole; otherwise the system's reason, and no file is left at the path.
std::optional<std::string> scriviPdf(const Impaginazione &piano, const std::string &percorso);
