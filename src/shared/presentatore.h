#pragma once

#include "shared/avvisi.h"
#include "shared/riproduttore.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <string>

// What the game says, one thing after another: recordings heard to their end, message boxes
// answered, and the code that must come after them. Nothing waits in place: a step that says
// something is started, and the steps behind it run when it is over.
//
// Steps asked for by the code of a step come straight after it, in the order asked, as if that
// code had waited on each; the player's actions that come while the game speaks or a box is
// open wait behind everything already asked, and run one at a time, in the order they came.
class Presentatore
{
public:
    Presentatore(Riproduttore &riproduttore, Avvisi &avvisi);
    Presentatore(const Presentatore &) = delete;
    Presentatore &operator=(const Presentatore &) = delete;

    // A recording, by its full path from the catalogue.
    void suona(std::string percorso);
    // An OK box, with no icon.
    void mostra(std::string testo, std::string titolo);
    // A Yes/No box; the answer (true for Yes) goes to the code given, in its place.
    void chiedi(std::string testo, std::string titolo, std::function<void(bool)> risposta);
    // Code that comes after what was asked before it.
    void poi(std::function<void()> codice);
    // A player's action: at once when the game is free, or from code the game runs; otherwise
    // after everything asked so far.
    void azione(std::function<void()> codice);

    // The game waits on the player: something is being said, a box or a dialog is open.
    bool inAttesa() const { return m_attese > 0; }
    // Something is being said or waits to be.
    bool occupato() const { return m_attese > 0 || !m_coda.empty() || m_inCodice > 0; }

    // A wait that is not a step, for as long as the object lives: a dialog the toolkit keeps
    // open in place. What comes meanwhile waits for its end.
    class Attesa
    {
    public:
        explicit Attesa(Presentatore &presentatore);
        ~Attesa();
        Attesa(const Attesa &) = delete;
        Attesa &operator=(const Attesa &) = delete;

    private:
        Presentatore &m_presentatore;
    };

private:
    struct Passo
    {
        enum class Tipo
        {
            Codice,
            Registrazione,
            Avviso,
            Domanda
        } tipo;
        std::string testo; // the recording's path, or the box's text
        std::string titolo;
        std::function<void()> codice;
        std::function<void(bool)> risposta;
    };

    void accoda(Passo passo);
    void avanza();
    void esegui(const std::function<void()> &codice);
    void finito();

    Riproduttore &m_riproduttore;
    Avvisi &m_avvisi;
    std::deque<Passo> m_coda;
    std::size_t m_inserimento = 0; // where the code running now puts what it asks for
    int m_inCodice = 0;            // steps' code running, one inside the other
    int m_attese = 0;
    bool m_avanza = false; // the steps are being run
};
