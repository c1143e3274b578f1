#pragma once

#include "main_window/sceltastampante.h"

#include <QPrinter>
#include <QString>

// The printer's choice answered by the test: Qt's own PDF writer into a file, or a cancel.
struct FakeSceltaStampante : SceltaStampante
{
    explicit FakeSceltaStampante(QString pdf) : file(std::move(pdf)) {}
    bool scegli(QPrinter &stampante, int, QWidget *) override
    {
        ++volte;
        stampante.setOutputFormat(QPrinter::PdfFormat);
        stampante.setOutputFileName(file);
        return !annulla;
    }
    QString file;
    bool annulla = false;
    int volte = 0;
};
