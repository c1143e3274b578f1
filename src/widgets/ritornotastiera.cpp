#include "ritornotastiera.h"

#include <QEvent>
#include <QWidget>

void RitornoTastiera::installa(QWidget *finestra)
{
    finestra->installEventFilter(new RitornoTastiera(finestra));
}

bool RitornoTastiera::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (evento->type() == QEvent::Hide) {
        if (QWidget *genitore = static_cast<QWidget *>(oggetto)->parentWidget())
            genitore->activateWindow();
    }
    return false;
}
