#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// "zaffirone-cli system": an integral system (every combination of its numbers), or a reduced
// one with a guarantee, written to a set as one block of tickets.
struct RichiestaSystem
{
    std::string percorso;
    std::string numeri; // "3,17,25"
    int classe = 0;     // numbers per ticket
    std::string ruote;
    std::vector<std::string> giocate;
    std::string titolo = "Sistema";      // the prefix of every title
    std::optional<std::string> garanzia; // ambo, terno, quaterna or cinquina
    std::optional<int> se;               // how many of the numbers drawn the guarantee is for
    int tempo = 10;                      // seconds the search for fewer tickets may take
};

// The longest search a player may ask for, in seconds.
inline constexpr int kMassimoTempo = 600;

// The most tickets one command writes.
inline constexpr unsigned kMassimoPerComando = 1000000;

// Exit codes: 0 written, 1 the set could not be read or written, 2 refused (nothing written).
int eseguiSystem(const RichiestaSystem &richiesta, std::ostream &flusso,
                 std::ostream &flussoErrori);
