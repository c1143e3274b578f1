#pragma once

#include "estrazioni/dataestrazione.h"
#include "estrazioni/estrazionedelgiorno.h"
#include "estrazioni/letturastorico.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

// The archive of the real draws, one SQLite database: a row for each day and wheel drawn.
// Every change is one transaction, taken before anything is read for it, so that a change is
// written whole or not at all (a program killed half-way leaves it as it was, by SQLite's own
// journal) and two programs adding at once each see the other's rows.
class ArchivioEstrazioni
{
public:
    enum class Modo
    {
        Lettura,  // the file must exist; nothing is created
        Scrittura // the file and its folder are made when missing
    };

    // $XDG_DATA_HOME/zaffirone/estrazioni.sqlite, or under ~/.local/share without it.
    static std::string percorsoPredefinito();

    // Throws ErroreArchivio when the file is missing (Lettura), cannot be opened, or is not an
    // archive of draws.
    ArchivioEstrazioni(std::string percorso, Modo modo);
    ~ArchivioEstrazioni();
    ArchivioEstrazioni(const ArchivioEstrazioni &) = delete;
    ArchivioEstrazioni &operator=(const ArchivioEstrazioni &) = delete;

    // A line to add, and where it was read, for the refusals.
    struct Voce
    {
        LetturaStorico::Riga riga;
        std::uint32_t luogo = 0; // which file, for the caller
        std::uint64_t numero = 0;
    };
    struct Bilancio
    {
        std::uint64_t doppie = 0;     // lines that repeat another exactly
        std::uint64_t nuove = 0;      // days added
        std::uint64_t estrazioni = 0; // days in the archive after it
        std::uint64_t incomplete = 0; // days with fewer than the ten wheels, Nazionale apart
        std::optional<DataEstrazione> dal, al;
        bool scritta = false; // false: nothing was written
    };
    using Rifiuto = std::function<void(const Voce &, const std::string &motivo)>;
    // The lines, each day and wheel once: a line repeating one before it is counted in doppie
    // and left out; one giving a wheel and day other numbers than a line before it is refused.
    static std::vector<Voce> unifica(const std::vector<Voce> &voci, std::uint64_t &doppie,
                                     const Rifiuto &rifiuta);
    // Adds lines that unifica gave, in one transaction; those the archive holds already are
    // passed over, one giving a wheel and day other numbers than the archive's is refused, and
    // then nothing is written. With scrivi false the lines are only checked (something else was
    // refused already).
    Bilancio aggiungi(const std::vector<Voce> &voci, bool scrivi, const Rifiuto &rifiuta);

    std::optional<DataEstrazione> ultima() const;
    std::optional<EstrazioneDelGiorno> estrazione(DataEstrazione data) const;
    // The days from dal to al, both included, in order.
    std::vector<EstrazioneDelGiorno> leggi(std::optional<DataEstrazione> dal = std::nullopt,
                                           std::optional<DataEstrazione> al = std::nullopt) const;

private:
    void esegui(const char *sql) const;
    [[noreturn]] void errore(const std::string &cosa) const;
    bool nostro() const;
    bool tabella() const;
    Bilancio conta() const;

    std::string m_percorso;
    sqlite3 *m_db = nullptr;
};
