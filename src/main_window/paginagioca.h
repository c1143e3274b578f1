#pragma once

#include "base/currency.h"
#include "engine/partita.h"

#include <QDate>
#include <QGroupBox>
#include <QHash>

#include <array>
#include <optional>
#include <string>

class Estrazione;
class QComboBox;
class QDateEdit;
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
    // The board blanked whole, then filled with the draw once it is all made; a real day's draw
    // shows its day above it.
    void mostraEstrazione(const Estrazione &estrazione, const std::optional<std::string> &data);
    // Where the draws come from, as the game now has it: at random, or real from a day. The
    // choice can be made again at once; while real days are being read it cannot.
    void mostraFonte(bool vere);
    void attendiFonte(bool attendi);

Q_SIGNALS:
    // The play button was pressed.
    void giocaPremuto();
    // The player chose the draw's source: real draws from this day, or (none) the random draw.
    void fonteScelta(std::optional<QDate> dal);

private:
    void creaEtichette();
    void creaTabellone();
    void creaFonte();
    void sceltaFonte();
    // Shows a drawn number on the board (nothing for an empty text).
    void scriviNumero(std::size_t indice, const QString &numero);

    QPushButton *m_gioca;
    QLabel *m_punti = nullptr;                   // lbl_punti
    QLabel *m_somma = nullptr;                   // lbl_somma
    QLabel *m_situazione = nullptr;              // lbl_situazione
    QLabel *m_vincita = nullptr;                 // lbl_vincita
    std::array<QLabel *, 50> m_numeri{};         // lbl_numeri: wheel w, position p at w * 5 + p
    QComboBox *m_fonte = nullptr;                // cmb_fonte: 0 at random, 1 real draws
    QDateEdit *m_dal = nullptr;                  // txt_dal: the first real day
    QLabel *m_dataEstrazione = nullptr;          // lbl_data_estrazione
    QHash<const QLabel *, QString> m_didascalie; // each value's caption, its name when read
};
