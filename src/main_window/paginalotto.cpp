#include "paginalotto.h"

#include "main_window/pulsanteacapo.h"
#include "widgets/immagine.h"
#include "widgets/stilegioco.h"
#include "widgets/twips.h"

#include "main_window/listaschede.h"
#include <QLabel>

#include <QPushButton>

PaginaLotto::PaginaLotto(QWidget *parent) : QGroupBox(QStringLiteral("Lotto"), parent)
{
    setObjectName(QStringLiteral("frmLotto_2"));
    setFont(stile::comic());
    resize(twips(10215), twips(6615));
    auto *decorazione = new Immagine(QStringLiteral(":/immagini/decorazione_lotto.svg"),
                                     QStringLiteral("Decorazione della pagina Lotto"), this);
    decorazione->setObjectName(QStringLiteral("Image3"));
    decorazione->setGeometry(stile::sottoIlTitolo(this));

    cmd_scheda = pulsante("cmd_scheda", "COMPILA NUOVA SCHEDA", 4560, 480, 1695, 495);
    cmd_carica = pulsante("cmd_carica", "CARICA INSIEME DI SCHEDE", 6360, 480, 1695, 495);
    cmd_newinsie = pulsante("cmd_newinsie", "NUOVO INSIEME DI SCHEDE", 8160, 480, 1695, 495);
    lbl_filelottoschede =
        stile::etichetta(QStringLiteral("lbl_filelottoschede"), QStringLiteral("File Caricato:"),
                         360, 1080, stile::kGialloPallido, this);
    lst_esistenti = lista("lst_esistenti", "lbl_Esistenti", "Schede Esistenti", 5880);
    lst_dagioca = lista("lst_dagioca", "lbl_giocate", "Schede Giocate", 8280);

    cmd_all_destra = pulsante("cmd_all_destra", ">>", 7680, 2160, 495, 375);
    cmd_destra = pulsante("cmd_destra", ">", 7680, 2520, 495, 375);
    cmd_sinistra = pulsante("cmd_sinistra", "<", 7680, 5040, 495, 375);
    cmd_all_sinistra = pulsante("cmd_all_sinistra", "<<", 7680, 5400, 495, 375);
    cmd_all_destra->setAccessibleDescription(QStringLiteral("Gioca tutte le schedine"));
    cmd_destra->setAccessibleDescription(QStringLiteral("Gioca le schedine selezionate"));
    cmd_sinistra->setAccessibleDescription(
        QStringLiteral("Togli le schedine selezionate dal gioco"));
    cmd_all_sinistra->setAccessibleDescription(QStringLiteral("Togli tutte le schedine dal gioco"));
    for (QPushButton *arrow : {cmd_all_destra, cmd_destra, cmd_sinistra, cmd_all_sinistra})
        arrow->setFont(QFont());
    // Tab goes through the page as it reads: the buttons, the tickets not chosen, the arrows
    // from top to bottom, the tickets to play.
    const QList<QWidget *> order{cmd_scheda,    cmd_carica,       cmd_newinsie,
                                 lst_esistenti, cmd_all_destra,   cmd_destra,
                                 cmd_sinistra,  cmd_all_sinistra, lst_dagioca};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    stile::pulsantiConInvio(this);

    lbl_messaggio =
        stile::etichetta(QStringLiteral("lbl_messaggio"), QString::fromUtf8(kMessaggioIniziale),
                         360, 6120, stile::kGialloPallido, this);
}

QPushButton *PaginaLotto::pulsante(const char *name, const char *caption, int left, int top,
                                   int width, int height)
{
    auto *button = new PulsanteACapo(QString::fromUtf8(caption), this);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(stile::comic(8));
    button->setGeometry(twipsRect(left, top, width, height));
    return button;
}

ListaSchede *PaginaLotto::lista(const char *name, const char *labelName, const char *caption,
                                int left)
{
    const QString title = QString::fromUtf8(caption);
    QLabel *label = stile::etichetta(QString::fromLatin1(labelName), title, left, 1800,
                                     stile::kGialloPallido, this);
    auto *list = new ListaSchede(QString::fromLatin1(name), this);
    list->setGeometry(twipsRect(left, 2160, 1695, 3570));
    list->setAccessibleName(title);
    label->setBuddy(list);
    return list;
}
