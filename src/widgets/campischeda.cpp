#include "campischeda.h"

#include <QCheckBox>
#include <QLineEdit>

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

void CampiScheda::colora(QLineEdit *box, bool white)
{
    box->setStyleSheet(white ? QStringLiteral("background-color: #FFFFFF;")
                             : QStringLiteral("background-color: #C0C0C0;"));
}
