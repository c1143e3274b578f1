#pragma once

#include "base/currency.h"
#include "shared/avvisiinattesa.h"
#include "shared/riproduttore.h"
#include "shared/turnogiocatore.h"
#include "storage/schedina.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The one program-wide game state that every window reads and writes, with the program's only
// way of playing a recording. It lives for the whole run.
class Modulo
{
public:
    static constexpr std::string_view kNessunFile = "Nessun file caricato";
    static constexpr std::int64_t kPuntiIniziali = 10000;

    Modulo(Riproduttore &riproduttore, Avvisi &avvisi);

    Currency punti = Currency::fromRaw(kPuntiIniziali * Currency::kScale);
    std::string file_insieme{kNessunFile};
    double situazione = 0;
    Currency somma;
    // What the "Gioca" page shows beside "Posta in gioco:" and "Hai vinto:": the last move's
    // `somma` (0 after a refund, a play or a new game), and the last play's winnings.
    Currency posta;
    double vincita = 0;
    std::uint64_t pos_modifica = 0;
    int blocca_eventi = 0;
    std::int16_t suoni_attivi = 1;
    std::int16_t suoni_spiritosi = 0;
    std::array<std::int16_t, 6> combinazioni{}; // 1..5: ways of choosing k of the numbers
    Schedina schedina;                          // the shared buffer every record read fills
    TurnoGiocatore turno;                       // the player's actions, one at a time

    bool insiemeAperto() const { return file_insieme != kNessunFile; }

    // Plays a recording (its full path from the catalogue) to its end, unless sounds are off;
    // the windows take no action meanwhile.
    void SuonaFile(std::string_view percorso);
    // The message boxes; while one is open the windows take no action.
    Avvisi &avvisi() { return m_avvisi; }

private:
    Riproduttore &m_riproduttore;
    AvvisiInAttesa m_avvisi;
};
