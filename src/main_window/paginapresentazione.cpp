#include "paginapresentazione.h"

#include "widgets/immagine.h"
#include "widgets/stilegioco.h"
#include "widgets/twips.h"

PaginaPresentazione::PaginaPresentazione(QWidget *parent)
    : QGroupBox(QStringLiteral("Presentazione"), parent)
{
    setObjectName(QStringLiteral("frmLotto_0"));
    setFont(stile::comic());
    resize(twips(10215), twips(6615));
    auto *picture = new Immagine(QStringLiteral(":/immagini/presentazione.svg"),
                                 QStringLiteral("Il nuovo lotto: presentazione del gioco"), this,
                                 QStringLiteral(":/pronte/presentazione.z56s"));
    picture->setObjectName(QStringLiteral("Image2"));
    // Tab reaches the picture, so that the page is not empty to the keyboard or a screen reader.
    picture->setFocusPolicy(Qt::TabFocus);
    picture->setGeometry(stile::sottoIlTitolo(this));
}
