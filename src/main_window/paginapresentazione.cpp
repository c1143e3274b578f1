#include "paginapresentazione.h"

#include "main_window/immagine.h"
#include "main_window/stilegioco.h"
#include "main_window/twips.h"

PaginaPresentazione::PaginaPresentazione(QWidget *parent)
    : QGroupBox(QStringLiteral("Presentazione"), parent)
{
    setObjectName(QStringLiteral("frmLotto_0"));
    setFont(stile::comic());
    auto *picture = new Immagine(QStringLiteral(":/immagini/presentazione.svg"),
                                 QStringLiteral("Il nuovo lotto: presentazione del gioco"), this);
    picture->setObjectName(QStringLiteral("Image2"));
    picture->setGeometry(twipsRect(0, 0, 10215, 6615));
}
