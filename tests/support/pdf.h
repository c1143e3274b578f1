#pragma once

#include <QString>
#include <QStringList>

// What a printed PDF shows, read back with poppler-utils: each page's text as pdftotext lays it
// out, blanks run together; then "A4" when pdfinfo gives every page that size, and for each page
// pdftoppm renders, "bianco" when nothing is drawn in its bottom or right margin.
struct LetturaPdf
{
    QStringList pagine;
    QString formato;
    QStringList margini;
    QStringList facce; // the fonts embedded, as pdffonts names them without their subset tag
};
LetturaPdf leggiPdf(const QString &path);

// Whether every ticket's block and the totals begin and end on one page: a title line "N. ..."
// is followed on its page by its "Costo" line, and "Totali" by "Puntata totale". The first page
// that breaks it, or an empty text.
QString bloccoDiviso(const QStringList &pagine);
