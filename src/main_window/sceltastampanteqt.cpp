#include "sceltastampanteqt.h"

#include <QPrintDialog>
#include <QPrinter>

bool SceltaStampanteQt::scegli(QPrinter &stampante, int pagine, QWidget *finestra)
{
    QPrintDialog dialogo(&stampante, finestra);
    dialogo.setWindowTitle(QStringLiteral("Stampa le schedine"));
    dialogo.setMinMax(1, pagine);
    dialogo.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialogo.setOption(QAbstractPrintDialog::PrintPageRange, true);
    return dialogo.exec() == QDialog::Accepted;
}
