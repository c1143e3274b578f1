#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// The companion's commands on the archive of the real draws. Exit codes: 0 done, 1 a file could
// not be read or written, 2 a refusal or bad arguments (nothing written).

// "draws import FILE... | add DATE --ruota NOME=N,N,N,N,N... | show [DATE]", with
// "--archivio FILE" for an archive other than the player's own.
struct RichiestaDraws
{
    std::optional<std::string> archivio;
    std::vector<std::string> file;
    std::string data;
    std::vector<std::string> ruote;
    std::optional<std::string> colpi;
};
int eseguiDrawsImport(const RichiestaDraws &r, std::ostream &out, std::ostream &err);
int eseguiDrawsAdd(const RichiestaDraws &r, std::ostream &out, std::ostream &err);
int eseguiDrawsShow(const RichiestaDraws &r, std::ostream &out, std::ostream &err);
