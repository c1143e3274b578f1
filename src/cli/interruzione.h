#pragma once

#include <csignal>

// SIGINT, SIGTERM and SIGHUP while the companion writes to a set: caught and remembered rather
// than ending the program at once, so that the writer can put the set back first and then end
// by the same signal. One at a time; the actions before it come back when it goes, and a signal
// that came after the writer's last look ends the program then.
class Interruzione
{
public:
    Interruzione();
    ~Interruzione();
    Interruzione(const Interruzione &) = delete;
    Interruzione &operator=(const Interruzione &) = delete;

    // The signal that came, 0 while none did.
    static int segnale();
    // Ends the program by the signal that came, as it would have ended without this catch.
    [[noreturn]] static void termina();

private:
    static constexpr int kSegnali[] = {SIGINT, SIGTERM, SIGHUP};
    struct sigaction m_prima[3];
};
