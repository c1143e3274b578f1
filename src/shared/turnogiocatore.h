#pragma once

#include <deque>
#include <functional>

// One action of the player at a time. While the game waits on the player (a recording playing
// to its end, a message box or the file dialog open), the windows take no action: one that
// arrives then, from a screen reader or any other way around the held mouse and keys, is kept
// and run, in the order it came, as soon as the action under way has ended.
class TurnoGiocatore
{
public:
    // A wait on the player, for as long as the object lives; waits may nest.
    class Attesa
    {
    public:
        explicit Attesa(TurnoGiocatore &turno);
        ~Attesa();
        Attesa(const Attesa &) = delete;
        Attesa &operator=(const Attesa &) = delete;

    private:
        TurnoGiocatore &m_turno;
    };

    // Runs the action now, or keeps it for later while the game waits.
    void esegui(std::function<void()> azione);
    bool inAttesa() const { return m_attese > 0; }

private:
    void svuota();

    int m_attese = 0;
    int m_azioni = 0; // actions running, one inside the other when code starts a handler
    std::deque<std::function<void()>> m_tenute;
};
