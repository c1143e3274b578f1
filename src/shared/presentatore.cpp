#include "presentatore.h"

#include <utility>

Presentatore::Presentatore(Riproduttore &riproduttore, Avvisi &avvisi)
    : m_riproduttore(riproduttore), m_avvisi(avvisi)
{}

void Presentatore::suona(std::string percorso)
{
    accoda({Passo::Tipo::Registrazione, std::move(percorso), {}, {}, {}});
}

void Presentatore::mostra(std::string testo, std::string titolo)
{
    accoda({Passo::Tipo::Avviso, std::move(testo), std::move(titolo), {}, {}});
}

void Presentatore::chiedi(std::string testo, std::string titolo, std::function<void(bool)> risposta)
{
    accoda({Passo::Tipo::Domanda, std::move(testo), std::move(titolo), {}, std::move(risposta)});
}

void Presentatore::poi(std::function<void()> codice)
{
    accoda({Passo::Tipo::Codice, {}, {}, std::move(codice), {}});
}

void Presentatore::azione(std::function<void()> codice)
{
    // Code of the game's own, such as a box filled by code, runs its handlers in place.
    if (m_inCodice > 0 && m_attese == 0)
        return esegui(codice);
    m_coda.push_back({Passo::Tipo::Codice, {}, {}, std::move(codice), {}});
    avanza();
}

void Presentatore::accoda(Passo passo)
{
    if (m_inCodice > 0)
        m_coda.insert(m_coda.begin() + std::ptrdiff_t(m_inserimento++), std::move(passo));
    else
        m_coda.push_back(std::move(passo));
    avanza();
}

// One step at a time while nothing is awaited. A recording or a box that ends before its call
// returns lets the loop go on; one that ends later calls back into it.
void Presentatore::avanza()
{
    if (m_avanza || m_inCodice > 0)
        return;
    m_avanza = true;
    while (m_attese == 0 && !m_coda.empty()) {
        Passo passo = std::move(m_coda.front());
        m_coda.pop_front();
        switch (passo.tipo) {
        case Passo::Tipo::Codice:
            esegui(passo.codice);
            break;
        case Passo::Tipo::Registrazione:
            ++m_attese;
            m_riproduttore.suona(passo.testo, [this] { finito(); });
            break;
        case Passo::Tipo::Avviso:
            ++m_attese;
            m_avvisi.mostra(passo.testo, passo.titolo, [this] { finito(); });
            break;
        case Passo::Tipo::Domanda:
            ++m_attese;
            m_avvisi.chiedi(passo.testo, passo.titolo,
                            [this, risposta = std::move(passo.risposta)](bool si) {
                                --m_attese;
                                esegui([&] { risposta(si); });
                                avanza();
                            });
            break;
        }
    }
    m_avanza = false;
}

// What code run from inside other code asks for goes on after what that code asked before it.
void Presentatore::esegui(const std::function<void()> &codice)
{
    if (m_inCodice == 0)
        m_inserimento = 0;
    ++m_inCodice;
    codice();
    --m_inCodice;
}

void Presentatore::finito()
{
    --m_attese;
    avanza();
}

Presentatore::Attesa::Attesa(Presentatore &presentatore) : m_presentatore(presentatore)
{
    ++m_presentatore.m_attese;
}

Presentatore::Attesa::~Attesa()
{
    --m_presentatore.m_attese;
    m_presentatore.avanza();
}
