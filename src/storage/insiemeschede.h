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
// does its work and closes it again; nothing stays open between two operations. Readers only
// read: a write of many records, or of one over another, never touches the set until its new
// version takes the set's place whole (see NuovaVersione); a record appended is written in one
// step.
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
    // The set as its writer has it open (the new version it is making), named by percorso in
    // what it says; the file must stay open while this is used.
    InsiemeSchede(std::string percorso, const DescrittoreFile &aperto);

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
    // The same under a writer's hold, the set never made by looking: nothing for a set not made
    // yet.
    Esito<std::optional<std::uint64_t>> trovaPerTitolo(std::string_view titolo,
                                                       const BloccoInsieme &blocco) const;

    // Writes as record number length / 126 + 1, rounded to the nearest whole number with halves
    // to the even one: right after the last whole record unless a long tail rounds it further.
    // Each write holds the set's lock for itself, unless given one already held. A set not made
    // yet is made whole with its record, never left empty.
    Esito<std::uint64_t> aggiungi(const Schedina &schedina) const;
    Esito<std::uint64_t> aggiungi(const Schedina &schedina, const BloccoInsieme &blocco) const;
    Esito<Fatto> sovrascrivi(std::uint64_t k, const Schedina &schedina) const;
    Esito<Fatto> sovrascrivi(std::uint64_t k, const Schedina &schedina,
                             const BloccoInsieme &blocco) const;

    // Deletes the whole set file, once no other writer is at work on it.
    Esito<Fatto> elimina() const;

    // The record number an append writes for a file of the given length.
    static std::uint64_t numeroPerAggiunta(std::uint64_t lunghezza);

    // Visits the whole records in order, reading the file in large blocks; the visitor returns
    // false to stop. Visitor: bool(std::uint64_t record, const unsigned char *bytes). The
    // length of the set it read.
    template <typename Visitor>
    Esito<std::uint64_t> scorri(Visitor &&visita) const;

private:
    // The set open for reading, and its length.
    struct Lettura
    {
        DescrittoreFile file;
        std::uint64_t lunghezza = 0;
    };
    Esito<DescrittoreFile> apri() const;
    Esito<Lettura> apriInLettura() const;
    Esito<std::uint64_t> leggiBlocco(const DescrittoreFile &file, std::uint64_t primo,
                                     std::uint64_t quanti,
                                     VettoreGrande<unsigned char> &blocco) const;
    Esito<std::vector<Schedina>> leggiUnoAUno(const std::vector<std::uint64_t> &ordinati) const;
    Esito<std::vector<Schedina>> leggiScorrendo(const std::vector<std::uint64_t> &ordinati) const;
    Esito<std::uint64_t> scriviSchedina(const BloccoInsieme &blocco, std::uint64_t k,
                                        const Schedina &schedina) const;
    template <typename Predicate>
    Esito<std::optional<std::uint64_t>> trovaPrimo(Predicate &&corrisponde) const;

    std::string m_percorso;
    Apertura m_apertura;
    int m_aperto = -1;
};

template <typename Visitor>
Esito<std::uint64_t> InsiemeSchede::scorri(Visitor &&visita) const
{
    auto aperto = apriInLettura();
    if (!aperto)
        return aperto.errore();
    // Large sets are read a megabyte at a time; a small one in a buffer of its own size.
    const std::uint64_t lunghezza = aperto.valore().lunghezza;
    const std::uint64_t records = lunghezza / Schedina::kDimensioneRecord;
    const std::uint64_t perBlocco = std::max<std::uint64_t>(std::min(records, kRecordPerBlocco), 1);
    VettoreGrande<unsigned char> blocco(perBlocco * Schedina::kDimensioneRecord);
    for (std::uint64_t primo = 1; primo <= records; primo += perBlocco) {
        const std::uint64_t quanti = std::min(perBlocco, records - primo + 1);
        const auto letti = leggiBlocco(aperto.valore().file, primo, quanti, blocco);
        if (!letti)
            return letti.errore();
        for (std::uint64_t i = 0; i < letti.valore(); ++i) {
            if (!visita(primo + i, blocco.data() + i * Schedina::kDimensioneRecord))
                return lunghezza;
        }
        if (letti.valore() < quanti)
            break; // cut short by another program since it was measured
    }
    return lunghezza;
}

template <typename Predicate>
Esito<std::optional<std::uint64_t>> InsiemeSchede::trovaPrimo(Predicate &&corrisponde) const
{
    std::optional<std::uint64_t> trovato;
    auto esito = scorri([&](std::uint64_t k, const unsigned char *byte) {
        if (!corrisponde(
                std::string_view(reinterpret_cast<const char *>(byte), Schedina::kLunghezzaTitolo)))
            return true;
        trovato = k;
        return false;
    });
    if (!esito)
        return esito.errore();
    return trovato;
}
