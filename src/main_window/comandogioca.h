#pragma once

#include "engine/estrazione.h"
#include "engine/turnodigioco.h"
#include "sound/annuncivincite.h"

#include <QObject>

class CacheInsieme;
class GeneratoreCasuale;
class Modulo;
class PaginaGioca;
class PaginaLotto;

// The play button: a new draw on the board, every chosen ticket played against it with its
// wins announced and credited, the tickets given back, and the end of the game checked.
class ComandoGioca : public QObject, private VistaTurno
{
    Q_OBJECT

public:
    ComandoGioca(PaginaGioca *gioca, PaginaLotto *lotto, Modulo &modulo,
                 GeneratoreCasuale &generatore, CacheInsieme &insieme, QObject *parent);

    void cmd_gioca_Click();
    // The last draw (all zeros before the first play).
    const Estrazione &estratti() const { return m_estratti; }

Q_SIGNALS:
    // The points changed and must be shown.
    void puntiCambiati();
    // The points passed the goal: a new game begins.
    void partitaVinta();

private:
    void vincitaAccreditata(double totale) override;
    void schedinaLetta(double totale) override;
    void mostraEstrazione();
    void restituisciSchedine();
    void fineGioco();

    PaginaGioca *m_gioca;
    PaginaLotto *m_lotto;
    Modulo &m_modulo;
    GeneratoreCasuale &m_generatore;
    CacheInsieme &m_insieme;
    Estrazione m_estratti;
    AnnunciVincite m_annunci;
};
