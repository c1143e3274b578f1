#pragma once

#include <iosfwd>
#include <string>

// "zaffirone-cli export FILE": the set as CSV for a spreadsheet, one row per record in file
// order, after the header titolo,numeri,ruote,estratto,ambo,terno,quaterna,cinquina.
int eseguiExport(const std::string &percorso, std::ostream &out, std::ostream &err);
