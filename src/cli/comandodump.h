#pragma once

#include <iosfwd>
#include <string>

// "zaffirone-cli dump FILE": one JSON object per record, one per line, in file order.
int eseguiDump(const std::string &percorso, std::ostream &out, std::ostream &err);
