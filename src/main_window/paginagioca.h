#pragma once

#include <QGroupBox>

#include <array>

class QLabel;
class QPushButton;

// The "Gioca" page: the play button, the points labels and the results board.
class PaginaGioca : public QGroupBox
{
    Q_OBJECT

public:
    explicit PaginaGioca(QWidget *parent);

    // Shows a drawn number on the board (nothing for an empty text).
    void scriviNumero(std::size_t indice, const QString &numero);

    QPushButton *cmd_gioca;
    QLabel *lbl_punti;
    QLabel *lbl_somma;
    QLabel *lbl_situazione;
    QLabel *lbl_vincita;
    std::array<QLabel *, 50> lbl_numeri; // wheel w, position p at w * 5 + p

private:
    void creaTabellone();
};
