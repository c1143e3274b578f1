#pragma once

#include "storage/bloccoinsieme.h"
#include "storage/descrittorefile.h"
#include "storage/esito.h"

#include <cstdint>
#include <string>
#include <string_view>

// A new version of a set, made beside it where no reader looks: the set's bytes as the hold
// found them, then the records written here. Only once it is whole and on the disk does it take
// the set's place, in one step: a rename over the set, or for a set not made yet a link that
// replaces nothing. Until then, whatever stops the program, the set is untouched under every
// name it has, and a copy of its folder holds the set as it was. Nothing but the writer that
// holds the set ever reads it, and dropped unconfirmed it leaves nothing behind.
class NuovaVersione
{
public:
    // The set's bytes copied under the hold. A set with other names (hard links), and another
    // user's set that would become ours, are refused here, before any work is done.
    static Esito<NuovaVersione> prepara(const BloccoInsieme &blocco);
    NuovaVersione(NuovaVersione &&other) noexcept;
    NuovaVersione &operator=(NuovaVersione &&) = delete;
    ~NuovaVersione();

    // The new version, open: InsiemeSchede reads the set as the hold found it through it.
    const DescrittoreFile &file() const { return m_file; }
    // What the set held when the hold was taken.
    std::uint64_t lunghezzaPrima() const { return m_lunghezzaPrima; }
    // Whole encoded records written as record primo and on.
    Esito<Fatto> scrivi(std::string_view record, std::uint64_t primo);
    // On the disk: the slow part, after which sostituisci takes moments.
    Esito<Fatto> sincronizza();
    // In the set's place, then its folder synced. Refused with the set untouched when the path
    // no longer names the locked set; once sostituita() is true the change stands, even when
    // the folder's sync then fails.
    Esito<Fatto> sostituisci();
    bool sostituita() const { return m_sostituita; }

private:
    NuovaVersione(const BloccoInsieme &blocco, DescrittoreFile file, std::string nome);
    Esito<Fatto> copia(std::uint64_t lunghezza);
    Esito<Fatto> daiNome();
    ErroreFile errore(int codice) const;

    const BloccoInsieme *m_blocco;
    DescrittoreFile m_file;
    std::string m_nome; // its name in the set's folder; empty while it has none
    std::uint64_t m_lunghezzaPrima = 0;
    bool m_sostituita = false;
};
