#pragma once

#include <span>

class Annunciatore;
class Estrazione;
class Modulo;
struct Schedina;

// What the main window shows while a play credits its wins.
class VistaTurno
{
public:
    virtual ~VistaTurno() = default;
    // After each wheel's credit: the play's total so far and the game's result.
    virtual void vincitaAccreditata(double totale) = 0;
    // After each ticket: the play's total, the points and the caption.
    virtual void schedinaLetta(double totale) = 0;
};

// One play of the tickets on the play list against a draw already made.
class TurnoDiGioco
{
public:
    // The records the play list's entries were found at, in the order found (see
    // IndiceInsieme::Giro), each evaluated in the shared buffer. Every wheel's integer part is
    // credited to the points and the game's result as soon as it is known. Returns the play's
    // total.
    static double gioca(Modulo &modulo, std::span<const Schedina> schede,
                        const Estrazione &estrazione, Annunciatore &annunci, VistaTurno &vista);

    // Adds a whole number of points, held at the largest amount the points can hold rather
    // than wrapping.
    static void accredita(Modulo &modulo, double vincita);
};
