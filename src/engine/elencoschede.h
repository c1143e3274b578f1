#pragma once

#include "base/allocatoregrande.h"
#include "base/currency.h"
#include "base/testocondiviso.h"

#include <cstdint>
#include <span>
#include <string_view>

// The entries of one ticket list: stored titles of 20 characters, in the order they were added.
// Appends and removals touch only their rows, and whoever shows the list is told of each before
// and after, so a list of a million entries changes at once and a view keeps its selection.
class ElencoSchede
{
public:
    // Entries with what goes with them: their titles as the set file stores them (20 bytes an
    // entry, one after the other), the record each was listed from (0: not known), where its
    // cost is found at once while that record keeps its title, and what each was charged (none
    // at all: nothing charged, as in the list of existing tickets).
    struct Voci
    {
        TestoCondiviso grezze;
        VettoreGrande<std::uint32_t> record;
        VettoreGrande<Currency> addebiti;
    };

    // Told of every change, around it: rows added at the end, rows taken out, or all of them.
    class Osservatore
    {
    public:
        virtual ~Osservatore() = default;
        virtual void primaDiAggiungere(std::size_t primo, std::size_t quante) = 0;
        virtual void dopoAverAggiunto() = 0;
        virtual void primaDiTogliere(std::size_t primo, std::size_t quante) = 0;
        virtual void dopoAverTolto() = 0;
        virtual void primaDiSvuotare() = 0;
        virtual void dopoAverSvuotato() = 0;
    };

    void osserva(Osservatore *osservatore) { m_osservatore = osservatore; }

    std::size_t conta() const;
    // Entry riga's 20 stored bytes.
    std::string_view voce(std::size_t riga) const;
    const TestoCondiviso &grezze() const { return m_voci.grezze; }
    const VettoreGrande<std::uint32_t> &record() const { return m_voci.record; }
    const Voci &tutte() const { return m_voci; }
    // The entries of the given rows (in increasing order).
    Voci prendi(std::span<const int> righe) const;
    // Every entry, taken out: the list is left empty.
    Voci prendiTutte();

    // Missing records and charges are 0; entries whose charges are missing may come with none.
    void aggiungi(Voci voci);
    // Rows in increasing order.
    void rimuovi(std::span<const int> righe);
    void svuota();

private:
    Voci m_voci;
    Osservatore *m_osservatore = nullptr;
};
