#pragma once

#include <cstdint>
#include <string>

// What went wrong with a set file, in words a player can read.
class ErroreFile
{
public:
    // The most tickets a set may hold for the commands that keep a whole set in memory (listing,
    // moving, playing): 252 MB of records. Larger files are refused rather than exhausting memory.
    static constexpr std::uint64_t kMassimoSchede = 2000000;
    static constexpr const char *kInUso = "Il file delle schedine è in uso da un altro programma";

    enum class Tipo
    {
        Apertura,
        Lettura,
        Scrittura,
        Eliminazione,
        RecordInesistente,
        TroppoGrande,
        InUso,                  // another writer held the set past the wait
        CollegamentoInterrotto, // a symbolic link to a file, or into a folder, that is missing
        Spostato,               // moved, deleted or made by another program during a write
        AltriNomi,        // hard links, which a new version would leave behind (record: how many)
        AltroProprietario // another user's set, which a new version would make ours
    };

    // codice is the system's errno; 0 for a transfer that moved fewer bytes than asked.
    ErroreFile(Tipo tipo, std::string percorso, int codice, std::uint64_t record = 0);

    Tipo tipo() const { return m_tipo; }
    int codice() const { return m_codice; }
    const std::string &percorso() const { return m_percorso; }
    // The system's reason, in Italian.
    std::string motivo() const;
    // One sentence naming the file and the reason.
    std::string descrizione() const;
    // What the game tells when the set it holds can no longer be read at all.
    std::string nonSiPuoLeggere() const
    {
        return "Il file delle schedine non si può leggere (" + motivo() + ")";
    }

private:
    Tipo m_tipo;
    std::string m_percorso;
    int m_codice;
    std::uint64_t m_record;
};
