#pragma once

#include "engine/annuncivincite.h"
#include "engine/estrazione.h"
#include "engine/turnodigioco.h"

#include <QObject>

class Form_gioco;
class GeneratoreCasuale;
class Modulo;

// The play button: a new draw on the board, every chosen ticket played against it with its
// wins announced and credited, the tickets given back, and the end of the game checked.
class ComandoGioca : public QObject, private VistaTurno
{
    Q_OBJECT

public:
    ComandoGioca(Form_gioco *window, Modulo &modulo, GeneratoreCasuale &generatore);

    void cmd_gioca_Click();
    // The last draw (all zeros before the first play).
    const Estrazione &estratti() const { return m_estratti; }

private:
    void vincitaAccreditata(double totale) override;
    void schedinaLetta(double totale) override;
    void mostraEstrazione();
    void restituisciSchedine();
    void fineGioco();

    Form_gioco *m_window;
    Modulo &m_modulo;
    GeneratoreCasuale &m_generatore;
    Estrazione m_estratti;
    AnnunciVincite m_annunci;
};
