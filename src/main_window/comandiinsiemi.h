#pragma once

#include "engine/partita.h"
#include "main_window/paginalotto.h"

#include <QObject>

class DialogoFile;
class Modulo;
class PaginaLotto;

// The "Lotto" page's commands on sets and lists: load and create a set, and move tickets to
// and from the play list. The game takes or gives back their stakes; these tell the player.
class ComandiInsiemi : public QObject
{
    Q_OBJECT

public:
    ComandiInsiemi(PaginaLotto *lotto, Partita &partita, Modulo &modulo, DialogoFile &dialogo,
                   QObject *genitore);

    void cmd_carica_Click();
    void cmd_newinsie_Click();
    void cmd_destra_Click();
    void cmd_all_destra_Click();
    void cmd_sinistra_Click();
    void cmd_all_sinistra_Click();

Q_SIGNALS:
    // The points, the stake in play or the game's result changed and must be shown.
    void statoCambiato();

private:
    void freccia(PaginaLotto::Freccia freccia);
    // Tells the player what a move did; whether it went through.
    bool mostraMossa(const Partita::Mossa &mossa, bool tutte);
    // The save dialog, until the player names a set that can be made or gives up.
    void scegliNuovoInsieme();
    void apriCaricato(const Partita::Conti &prima);
    void insiemeAperto();
    void mostraErrore(const QString &testo);

    PaginaLotto *m_lotto;
    Partita &m_partita;
    Modulo &m_modulo;
    DialogoFile &m_dialogo;
};
