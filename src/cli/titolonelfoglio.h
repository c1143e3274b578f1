#pragma once

#include <string>
#include <string_view>

// What a spreadsheet does to a title: the titles it would take for a formula, a number, a date, a
// percentage or a truth value, the apostrophe that keeps them text in a CSV file, and the marks a
// spreadsheet's conversion leaves on a title it has already changed.
class TitoloNelFoglio
{
public:
    // Whether a spreadsheet opening a CSV file would read the title as something else than text:
    // it begins with = + - @ or an apostrophe, or it is made of digits and what numbers, dates,
    // times and percentages are written with, or it is a truth value.
    static bool sembraUnDato(std::string_view titolo);
    // The title with an apostrophe before it when a spreadsheet would convert it; leggi undoes it.
    static std::string proteggi(std::string_view titolo);
    // The title a field holds: an apostrophe before a title that proteggi would protect is
    // dropped, any other is kept.
    static std::string leggi(std::string_view campo);
    // The apostrophe the plain CSV export writes: only before a title leggi would otherwise
    // change, so that the plain export reads back exactly as it did before.
    static std::string soloSeNecessario(std::string_view titolo);
    // Why a title read from a file cannot be one a set held before a spreadsheet changed it
    // (UTF-8 read as Windows-1252 or Latin-1 and saved again, an error value in place of a
    // formula); empty when nothing shows.
    static std::string alterazione(std::string_view titolo);
};
