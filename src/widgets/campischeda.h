#pragma once

#include <array>

class QCheckBox;
class QLineEdit;

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

    // Number boxes are white when usable and grey when not; the colour is set on its own.
    static void colora(QLineEdit *box, bool white);
};
