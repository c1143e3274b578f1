#pragma once

#include <string>
#include <vector>

// The text of a file given to import: each file held in a zip, or the file itself when it is
// plain text (either may come through any compression the system's libarchive reads).
class TestoImportato
{
public:
    // The largest text read from one file, whatever it unpacks to.
    static constexpr std::size_t kMassimo = std::size_t(256) << 20;

    struct Parte
    {
        std::string nome; // the file, then ":" and the entry of the archive
        std::string testo;
    };

    // Throws ErroreArchivio when the file cannot be read or unpacked.
    static std::vector<Parte> leggi(const std::string &percorso);
};
