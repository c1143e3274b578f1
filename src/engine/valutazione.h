#pragma once

#include "engine/annunciatore.h"
#include "engine/estrazione.h"
#include "storage/schedina.h"

#include <array>
#include <cstdint>
#include <functional>

// How a ticket is scored against a draw: the hits on each wheel it plays, and for each wheel
// with a hit the winning bet types, announced lowest first, and the amount of the highest.
class Valutazione
{
public:
    using Combinazioni = std::array<std::int16_t, 6>; // 1..5 used

    // n: the numbers played (boxes 0..9 holding a number other than 0).
    static std::int16_t numeriGiocati(const Schedina &s);
    // m: the wheels played; 10 when "TUTTE" is set.
    static std::int16_t ruoteGiocate(const Schedina &s);
    static bool ruotaValutata(const Schedina &s, std::size_t ruota);
    // Hits on one wheel, counted over the ticket's positions 0..n as they stand, repeats and
    // gaps included.
    static std::int16_t colpi(const Schedina &s, std::int16_t n, const Estrazione &estrazione,
                              std::size_t ruota);

    // C(n, k) for k = 1..min(n, 5); other counts keep their values. Nothing for n outside 1..10.
    static void ContaCombinazioni(std::int16_t n, Combinazioni &combinazioni);

    // The wheel's amount before its fraction is dropped; every winning bet type is announced
    // as it is found.
    static double CalcolaVincita(const Schedina &s, std::int16_t n, std::int16_t colpi,
                                 std::int16_t m, std::size_t ruota,
                                 const Combinazioni &combinazioni, Annunciatore &annunciatore);

    // The whole ticket: hits on every evaluated wheel, then each wheel with a hit paid in wheel
    // order, paga(ruota, amount) right after that wheel's announcements.
    static void valuta(const Schedina &s, const Estrazione &estrazione, Combinazioni &combinazioni,
                       Annunciatore &annunciatore,
                       const std::function<void(std::size_t ruota, double importo)> &paga);

    // The points a wheel amount credits: its integer part.
    static double credito(double importo);
};
