#pragma once

#include <iosfwd>
#include <string>

// "zaffirone-cli export FILE [--formato F]": the set for a spreadsheet, one row per record in
// file order, after the header titolo,numeri,ruote,estratto,ambo,terno,quaterna,cinquina. F is
// "csv" (the default), "csv-foglio" (the same with a byte-order mark and the titles a
// spreadsheet would convert kept text by an apostrophe), "ods" or "xlsx" (typed cells).
int eseguiExport(const std::string &percorso, const std::string &formato, std::ostream &out,
                 std::ostream &err);
