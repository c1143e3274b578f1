#include "campischeda.h"

#include "widgets/immagine.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPalette>

void CampiScheda::svuota()
{
    txt_titolo->clear();
    txt_num[0]->clear();
    txt_num[0]->setEnabled(true);
    for (QCheckBox *wheel : chk_ruote)
        wheel->setChecked(false);
    for (std::size_t i = 1; i < txt_num.size(); ++i) {
        txt_num[i]->clear();
        txt_num[i]->setEnabled(false);
        colora(txt_num[i], false);
    }
    for (std::size_t k = 0; k < chk_giocata.size(); ++k) {
        chk_giocata[k]->setEnabled(k == 0);
        txt_puntata[k]->setEnabled(k == 0);
        chk_giocata[k]->setChecked(false);
        txt_puntata[k]->clear();
    }
}

namespace {

const QColor kBianca(0xFF, 0xFF, 0xFF);
const QColor kGrigia(0xC0, 0xC0, 0xC0);
const QColor kNumeri(0x00, 0x00, 0x00);

} // namespace

// The box's own colour comes with the colour of its text: a dark desktop would otherwise write
// its light text on the white box. Through the palette, not a style sheet, so that the box keeps
// its window's font rather than the desktop's.
void CampiScheda::colora(QLineEdit *box, bool white)
{
    QPalette colori = box->palette();
    for (const auto gruppo : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colori.setColor(gruppo, QPalette::Base, white ? kBianca : kGrigia);
        colori.setColor(gruppo, QPalette::Text, kNumeri);
    }
    box->setPalette(colori);
}

void CampiScheda::grigiaDaChiusa(QLineEdit *box)
{
    QPalette colori = box->palette();
    colori.setColor(QPalette::Disabled, QPalette::Base, kGrigia);
    colori.setColor(QPalette::Disabled, QPalette::Text, kNumeri);
    box->setPalette(colori);
}

void CampiScheda::sfondo(QWidget *window)
{
    auto *background = new Immagine(QStringLiteral(":/immagini/sfondo_scheda.svg"),
                                    QStringLiteral("Sfondo della schedina"), window);
    background->setGeometry(window->rect());
    // What is written straight on the light picture (captions, frames' titles, the check boxes'
    // names) is dark whatever the desktop's colours; buttons and boxes keep the desktop's own
    // pairs of colours, drawn on their own backgrounds.
    QPalette palette = window->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::WindowText, QColor(0x1A, 0x1A, 0x1A));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x6A, 0x6A, 0x6A));
    window->setPalette(palette);
}
