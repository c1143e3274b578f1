#pragma once

#include "engine/estrazione.h"
#include "engine/turnodigioco.h"
#include "sound/annuncivincite.h"
#include "storage/esito.h"
#include "storage/schedina.h"

#include <QObject>

#include <vector>

class CacheInsieme;
class GeneratoreCasuale;
class ModelloSchede;
class Modulo;
class PaginaGioca;

// The play button: a new draw on the board, every chosen ticket played against it with its
// wins announced and credited, the tickets given back, and the end of the game checked.
class ComandoGioca : public QObject, private VistaTurno
{
    Q_OBJECT

public:
    // The command of the page given, on the two lists' entries.
    ComandoGioca(PaginaGioca *gioca, ModelloSchede *esistenti, ModelloSchede *dagioca,
                 Modulo &modulo, GeneratoreCasuale &generatore, CacheInsieme &insieme,
                 QObject *parent);

    void cmd_gioca_Click();

Q_SIGNALS:
    // The points, the stake in play, the game's result or the winnings changed.
    void statoCambiato();
    // A wheel's win was credited: the winnings and the game's result are shown at once, the
    // points once the ticket has been played.
    void vincitaCambiata();
    // The points passed the goal: a new game begins.
    void partitaVinta();

private:
    void vincitaAccreditata(double totale) override;
    void schedinaLetta(double totale) override;
    Esito<std::vector<Schedina>> schedeGiocate();
    void restituisciSchedine();
    void fineGioco();

    PaginaGioca *m_gioca;
    ModelloSchede *m_esistenti;
    ModelloSchede *m_dagioca;
    Modulo &m_modulo;
    GeneratoreCasuale &m_generatore;
    CacheInsieme &m_insieme;
    Estrazione m_estratti;
    AnnunciVincite m_annunci;
};
