#pragma once

#include "base/currency.h"
#include "storage/schedina.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The printed play plan of a set, laid out once for every painter: which lines of text stand
// where on which A4 page, in millimetres from the page's top-left corner. One block a ticket
// (its title, numbers, wheels, each bet type with its stake, its cost), never split across two
// pages, then the totals; a header with the set's name and "Pagina N di M" on every page. The
// text is in one fixed-pitch face, so that a line's width is known here without its font.
class Impaginazione
{
public:
    static constexpr double kLarghezza = 210; // A4, in millimetres
    static constexpr double kAltezza = 297;
    static constexpr double kMargine = 18;
    static constexpr const char *kCarattere = "DejaVu Sans Mono";
    // The face's advance, in ems; every character of it has the same.
    static constexpr double kAvanzamento = 0.6021;
    static constexpr double kMillimetriPerPunto = 25.4 / 72;

    struct Testo
    {
        double x = 0;      // the left end, or the right end for a line set to the right
        double y = 0;      // the baseline
        std::string testo; // UTF-8
        double corpo = 10; // in points
        bool grassetto = false;
        bool aDestra = false;
    };
    // A thin rule across the page.
    struct Filetto
    {
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    };
    struct Pagina
    {
        std::vector<Testo> testi;
        std::vector<Filetto> filetti;
    };

    // The tickets in the order given, under the name of the set's file (its folder left out).
    // Stakes are written with the decimal point given, as the game writes them.
    Impaginazione(std::string_view percorsoInsieme, std::span<const Schedina> schede,
                  char separatoreDecimale = ',');

    const std::vector<Pagina> &pagine() const { return m_pagine; }
    std::size_t schedine() const { return m_schedine; }
    // The tickets' stakes together: nothing when the sum leaves the currency range.
    const std::optional<Currency> &totale() const { return m_totale; }

    // How much of the page the text may cover, from the top: a block never reaches past it.
    static constexpr double kFondo = kAltezza - kMargine;

private:
    struct Blocco
    {
        std::vector<Testo> testi; // y from the block's top
        double altezza = 0;
    };
    Blocco bloccoSchedina(std::size_t numero, const Schedina &s) const;
    Blocco bloccoTotali() const;
    void colloca(Blocco blocco);
    void intestazioni(std::string_view nomeInsieme);
    std::string importo(const std::optional<Currency> &valore) const;

    char m_separatore;
    std::size_t m_schedine = 0;
    std::optional<Currency> m_totale = Currency();
    std::vector<Pagina> m_pagine;
    double m_y = 0; // where the next block starts on the last page
};
