#pragma once

#include "base/currency.h"
#include "engine/partita.h"

#include <QGroupBox>
#include <QHash>

#include <array>

class Estrazione;
class QLabel;
class QPushButton;

// The "Gioca" page: the play button, the points labels and the results board.
class PaginaGioca : public QGroupBox
{
    Q_OBJECT

public:
    explicit PaginaGioca(QWidget *genitore);

    // The game's values as the page shows them: the points (as last shown, which may lag
    // behind the accounts while a play credits its wins), the stake in play, the game's result
    // and the last play's winnings.
    void mostra(const Partita::Conti &conti, Currency punti);
    // The board blanked whole, then filled with the draw once it is all made.
    void mostraEstrazione(const Estrazione &estrazione);

Q_SIGNALS:
    // The play button was pressed.
    void giocaPremuto();

private:
    void creaEtichette();
    void creaTabellone();
    // Shows a drawn number on the board (nothing for an empty text).
    void scriviNumero(std::size_t indice, const QString &numero);

    QPushButton *m_gioca;
    QLabel *m_punti = nullptr;                   // lbl_punti
    QLabel *m_somma = nullptr;                   // lbl_somma
    QLabel *m_situazione = nullptr;              // lbl_situazione
    QLabel *m_vincita = nullptr;                 // lbl_vincita
    std::array<QLabel *, 50> m_numeri{};         // lbl_numeri: wheel w, position p at w * 5 + p
    QHash<const QLabel *, QString> m_didascalie; // each value's caption, its name when read
};
