#pragma once

#include <array>

class QCheckBox;
class QLineEdit;
class QWidget;

// The boxes of one ticket as the editor and the viewer both show it: the title, ten numbers,
// five bet types with their stakes, and the ten wheels with TUTTE. Each window makes and places
// its own controls; this holds them and clears them the same way.
struct CampiScheda
{
    QLineEdit *txt_titolo = nullptr;
    std::array<QLineEdit *, 10> txt_num{};
    std::array<QCheckBox *, 5> chk_giocata{};
    std::array<QLineEdit *, 5> txt_puntata{};
    std::array<QCheckBox *, 11> chk_ruote{};

    // Empty boxes: the first number open, the others grey and closed, Estratto alone ready,
    // nothing ticked.
    void svuota();

    // Number boxes are white when usable and grey when not, with dark numbers either way.
    static void colora(QLineEdit *box, bool white);
    // A stake box keeps the desktop's colours while it is open and turns the number boxes' grey
    // when closed, so that a closed one never looks open on a dark desktop.
    static void grigiaDaChiusa(QLineEdit *box);
    // The picture of a ticket behind a whole window, and the colour of what is written on it.
    static void sfondo(QWidget *window);
};
