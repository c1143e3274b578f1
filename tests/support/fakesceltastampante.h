#pragma once

#include "main_window/sceltastampanteqt.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScopeGuard>
#include <QString>
#include <QTimer>

// The printer's choice answered by the test: Qt's own PDF writer into a file, or a cancel; or
// Qt's own print dialog, where the file is typed and "Stampa" pressed as a player does.
struct FakeSceltaStampante : SceltaStampante
{
    explicit FakeSceltaStampante(QString pdf) : file(std::move(pdf)) {}
    bool scegli(QPrinter &stampante, int pagine, QWidget *finestra) override
    {
        ++volte;
        if (dialogoVero) {
            QTimer::singleShot(0, [this] {
                auto *dialogo = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
                const auto chiudi = qScopeGuard([dialogo] {
                    if (dialogo && dialogo->isVisible())
                        dialogo->reject(); // never a dialog nobody answers
                });
                if (!dialogo || dialogo->windowTitle() != "Stampa le schedine")
                    return;
                // Never a real printer, should the machine have one.
                auto *stampanti = dialogo->findChild<QComboBox *>("printers");
                const int pdf = stampanti->findText("Stampa su file (PDF)");
                if (pdf < 0)
                    return;
                stampanti->setCurrentIndex(pdf);
                dialogo->findChild<QLineEdit *>("filename")->setText(file);
                auto *tasti = dialogo->findChild<QDialogButtonBox *>();
                if (tasti->button(QDialogButtonBox::Ok)->text() == "Stam&pa")
                    tasti->button(QDialogButtonBox::Ok)->click();
            });
            return SceltaStampanteQt().scegli(stampante, pagine, finestra);
        }
        stampante.setOutputFormat(QPrinter::PdfFormat);
        stampante.setOutputFileName(file);
        return !annulla;
    }
    QString file;
    bool annulla = false;
    bool dialogoVero = false;
    int volte = 0;
};
