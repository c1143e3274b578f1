#include "interruzione.h"

#include <cstdlib>

namespace {

volatile std::sig_atomic_t g_segnale = 0;

extern "C" void ricorda(int segnale)
{
    if (g_segnale == 0)
        g_segnale = segnale;
}

} // namespace

Interruzione::Interruzione()
{
    struct sigaction azione
    {
    };
    azione.sa_handler = ricorda;
    sigemptyset(&azione.sa_mask);
    azione.sa_flags = SA_RESTART; // a read or a write under way goes on to its end
    for (int i = 0; i < 3; ++i)
        ::sigaction(kSegnali[i], &azione, &m_prima[i]);
}

// A signal that came while the work was ending, after its last look, still ends the program.
Interruzione::~Interruzione()
{
    for (int i = 0; i < 3; ++i)
        ::sigaction(kSegnali[i], &m_prima[i], nullptr);
    if (g_segnale != 0)
        termina();
}

int Interruzione::segnale()
{
    return g_segnale;
}

void Interruzione::termina()
{
    const int segnale = g_segnale;
    std::signal(segnale, SIG_DFL);
    std::raise(segnale);
    std::_Exit(128 + segnale); // the signal was blocked by whoever started the program
}
