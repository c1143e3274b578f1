#pragma once

#include "storage/esito.h"

#include <cstdint>
#include <optional>
#include <string>

// The rollback journal of a write of many records: what the set was (its length, and the tail
// the write covers), written and synced beside the set before the set is touched, and removed
// once the write stands. A writer stopped half-way by anything, a power loss included, leaves
// it behind; the next writer under the set's lock, or a reader that finds no writer at work,
// puts the set back from it.
class GiornaleRipristino
{
public:
    // The set as it was before the write.
    struct Stato
    {
        std::uint64_t lunghezza = 0;
        std::uint64_t inizioCoda = 0; // where the write begins
        std::string coda;             // the old bytes from there to the old end
        bool creato = false;          // there was no set: putting it back deletes it
    };

    // Beside the file the set's path names, links followed, so that every path to a set finds
    // the same journal.
    static std::string percorsoPer(const std::string &insieme);

    // Written and synced, its folder too, for the set open on fd.
    static Esito<GiornaleRipristino> scrivi(const std::string &insieme, int fd, const Stato &stato);
    // The write stands: the journal goes.
    Esito<Fatto> conferma();
    const std::string &percorso() const { return m_percorso; }

    // What a whole journal beside the set holds for the very file open on fd. Nothing when there
    // is none, when it was cut short (its writer had not touched the set yet) or when it was
    // made for another file.
    static Esito<std::optional<Stato>> leggi(const std::string &insieme, int fd);

    // Under the writers' lock: the set open on fd put back as its journal says, and the journal
    // removed, as is one cut short or made for another file. True when the stopped write had
    // made the set, which is now deleted.
    static Esito<bool> ripristina(const std::string &insieme, int fd);
    // The set cut back to its old length with its old tail, and synced; or deleted if it was
    // made for the write.
    static Esito<Fatto> rimetti(const std::string &insieme, int fd, const Stato &stato);

private:
    explicit GiornaleRipristino(std::string percorso) : m_percorso(std::move(percorso)) {}

    std::string m_percorso;
};
