#pragma once

#include "engine/partita.h"
#include "sound/annuncivincite.h"

#include <QDate>
#include <QObject>

#include <optional>

class Compagno;
class GeneratoreCasuale;
class Modulo;
class PaginaGioca;

// The play button: the game plays a turn, and this shows it to the player in order: the new
// draw on the board, every win announced with the winnings shown as they are credited, and the
// end of the game.
class ComandoGioca : public QObject
{
    Q_OBJECT

public:
    ComandoGioca(PaginaGioca *gioca, Partita &partita, Modulo &modulo,
                 GeneratoreCasuale &generatore, Compagno &compagno, QObject *genitore);

    static constexpr const char *kFineDelleVere =
        "Nell'archivio non ci sono altre estrazioni dopo quella del %1: scegli un altro giorno o "
        "gioca a caso";

    void cmd_gioca_Click();

Q_SIGNALS:
    // The accounts as they stand at this point of the play; the points too, or not yet.
    void contiCambiati(const Partita::Conti &conti, bool ancheIPunti);
    // The points passed the goal: a new game begins.
    void partitaVinta();

private:
    void presenta(const Partita::Evento &evento);
    // The real days from the one chosen, read from the archive; without one, the random draw.
    void sceltaFonte(std::optional<QDate> dal);

    PaginaGioca *m_gioca;
    Partita &m_partita;
    Modulo &m_modulo;
    GeneratoreCasuale &m_generatore;
    Compagno &m_compagno;
    AnnunciVincite m_annunci;
};
