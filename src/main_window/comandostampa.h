#pragma once

#include <QObject>

class Impaginazione;
class Modulo;
class Partita;
class QPrinter;
class SceltaStampante;
class QWidget;

// "Stampa le schedine..." in the File menu: the play plan of the tickets chosen for play, or of
// the whole set when none is chosen, laid out as the companion's PDF is and printed where the
// player chooses.
class ComandoStampa : public QObject
{
    Q_OBJECT

public:
    static constexpr const char *kTitolo = "Stampa";

    ComandoStampa(Partita &partita, Modulo &modulo, SceltaStampante &scelta, QWidget *finestra);

    void stampa();

private:
    // Every page of the plan, or those of the range the player asked for; false when the
    // printer refused.
    static bool disegna(const Impaginazione &piano, QPrinter &stampante);

    Partita &m_partita;
    Modulo &m_modulo;
    SceltaStampante &m_scelta;
    QWidget *m_finestra;
};
