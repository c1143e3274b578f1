#pragma once

#include "base/allocatoregrande.h"
#include "storage/bloccoinsieme.h"
#include "storage/descrittorefile.h"
#include "storage/esito.h"
#include "storage/schedina.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// One set file of 126-byte ticket records, numbered from 1. Every operation opens the file,
// does its work and closes it again; nothing stays open between two operations.
class InsiemeSchede
{
public:
    // The game opens a missing path as a new empty set; the companion's reading commands must
    // never create a file.
    enum class Apertura
    {
        CreaSeManca,
        SoloSeEsiste
    };

    static constexpr std::uint64_t kRecordPerBlocco = 8192;

    explicit InsiemeSchede(std::string percorso, Apertura apertura = Apertura::CreaSeManca);

    const std::string &percorso() const { return m_percorso; }

    Esito<std::uint64_t> lunghezza() const;
    // Whole records only: a tail shorter than a record is never read.
    Esito<std::uint64_t> conta() const;
    Esito<Schedina> leggi(std::uint64_t k) const;
    // All whole records at once; refused for a set of more than ErroreFile::kMassimoSchede.
    Esito<std::vector<Schedina>> leggiTutte() const;
    // The records of the given numbers, in the order given (a number may come more than once),
    // from one opening of the file.
    Esito<std::vector<Schedina>> leggiRecord(std::span<const std::uint64_t> numeri) const;
    // The same limit, checked before a command reads a whole set into memory.
    Esito<std::uint64_t> contaEntroIlLimite() const;

    // The first record whose title, trimmed, equals the trimmed text (case-sensitive).
    Esito<std::optional<std::uint64_t>> trovaPerTitolo(std::string_view titolo) const;
    // The first record whose stored 20 characters equal a list entry exactly.
    Esito<std::optional<std::uint64_t>> trovaPerVoce(std::string_view voce) const;

    // Writes as record number length / 126 + 1, rounded to the nearest whole number with halves
    // to the even one: right after the last whole record unless a long tail rounds it further.
    // Each write holds the set's lock for itself, unless given one already held.
    Esito<std::uint64_t> aggiungi(const Schedina &schedina) const;
    Esito<std::uint64_t> aggiungi(const Schedina &schedina, const BloccoInsieme &blocco) const;
    Esito<Fatto> sovrascrivi(std::uint64_t k, const Schedina &schedina) const;
    Esito<Fatto> sovrascrivi(std::uint64_t k, const Schedina &schedina,
                             const BloccoInsieme &blocco) const;
    // The file as an append under the lock will find it: its length, and the tail the append
    // will write over; with it annullaAggiunta takes the append back, the file byte for byte as
    // it was, or gone if the lock's open made it.
    struct PrimaDellAggiunta
    {
        std::uint64_t lunghezza = 0;
        std::uint64_t inizioCoda = 0;
        std::string coda;
    };
    Esito<PrimaDellAggiunta> primaDellAggiunta(const BloccoInsieme &blocco) const;
    Esito<Fatto> annullaAggiunta(const BloccoInsieme &blocco, const PrimaDellAggiunta &prima) const;
    // Whole encoded records appended in one write where an append goes, after primaDellAggiunta
    // under the same lock; the number of the first. On any failure the file is put back as it
    // was before.
    Esito<std::uint64_t> aggiungiRecord(std::string_view record, const BloccoInsieme &blocco,
                                        const PrimaDellAggiunta &prima) const;

    // Deletes the whole set file, once no other writer is at work on it.
    Esito<Fatto> elimina() const;

    // The record number an append writes for a file of the given length.
    static std::uint64_t numeroPerAggiunta(std::uint64_t lunghezza);

    // Visits the whole records in order, reading the file in large blocks; the visitor returns
    // false to stop. Visitor: bool(std::uint64_t record, const unsigned char *bytes).
    template <typename Visitor>
    Esito<Fatto> scorri(Visitor &&visit) const;

private:
    Esito<DescrittoreFile> apri(int flags) const;
    Esito<std::uint64_t> dimensione(const DescrittoreFile &file) const;
    Esito<std::uint64_t> leggiBlocco(const DescrittoreFile &file, std::uint64_t primo,
                                     VettoreGrande<unsigned char> &blocco) const;
    Esito<std::vector<Schedina>> leggiUnoAUno(const std::vector<std::uint64_t> &ordinati) const;
    Esito<std::vector<Schedina>> leggiScorrendo(const std::vector<std::uint64_t> &ordinati) const;
    Esito<Fatto> scriviRecord(int fd, std::uint64_t k, const Schedina &schedina, bool allaFine,
                              std::uint64_t *scritto) const;
    template <typename Predicate>
    Esito<std::optional<std::uint64_t>> trovaPrimo(Predicate &&matches) const;

    std::string m_percorso;
    Apertura m_apertura;
};

template <typename Visitor>
Esito<Fatto> InsiemeSchede::scorri(Visitor &&visit) const
{
    auto file = apri(0);
    if (!file)
        return file.errore();
    // Large sets are read a megabyte at a time; a small one in a buffer of its own size.
    const auto size = dimensione(file.valore());
    if (!size)
        return size.errore();
    const std::uint64_t records = size.valore() / Schedina::kDimensioneRecord;
    VettoreGrande<unsigned char> blocco(std::max<std::uint64_t>(
        std::min(records + 1, kRecordPerBlocco) * Schedina::kDimensioneRecord, 1));
    const std::uint64_t perBlocco = blocco.size() / Schedina::kDimensioneRecord;
    for (std::uint64_t primo = 1;; primo += perBlocco) {
        const auto letti = leggiBlocco(file.valore(), primo, blocco);
        if (!letti)
            return letti.errore();
        for (std::uint64_t i = 0; i < letti.valore(); ++i) {
            if (!visit(primo + i, blocco.data() + i * Schedina::kDimensioneRecord))
                return Fatto{};
        }
        if (letti.valore() * Schedina::kDimensioneRecord < blocco.size())
            return Fatto{};
    }
}

template <typename Predicate>
Esito<std::optional<std::uint64_t>> InsiemeSchede::trovaPrimo(Predicate &&matches) const
{
    std::optional<std::uint64_t> trovato;
    auto esito = scorri([&](std::uint64_t k, const unsigned char *bytes) {
        if (!matches(std::string_view(reinterpret_cast<const char *>(bytes),
                                      Schedina::kLunghezzaTitolo)))
            return true;
        trovato = k;
        return false;
    });
    if (!esito)
        return esito.errore();
    return trovato;
}
