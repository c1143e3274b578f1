#pragma once

#include "storage/descrittorefile.h"
#include "storage/esito.h"

#include <chrono>
#include <cstdint>
#include <string>

// One writer's hold on a set, against every other writer, the game's or the companion's, until
// the object goes: the set's file open for writing and locked (flock); for a set not made yet,
// its folder locked instead, so that two writers never make it twice. Readers take no lock. The
// lock is on the file the path names once it is held: when the path was given another file
// meanwhile (a set deleted and made anew, a new version put in its place), that one is opened
// and locked instead. Nothing is made or changed by taking the hold.
class BloccoInsieme
{
public:
    static constexpr std::chrono::milliseconds kAttesaMassima{5000};

    // Another writer's hold longer than the wait gives the error InUso.
    static Esito<BloccoInsieme> prendi(const std::string &percorso,
                                       std::chrono::milliseconds attesa = kAttesaMassima);

    const std::string &percorso() const { return m_percorso; }
    // The set open for writing; -1 for a set not made yet.
    int fd() const { return m_file.fd(); }
    bool nuovo() const { return m_file.fd() < 0; }
    // The set's length as held: 0 for a set not made yet.
    Esito<std::uint64_t> lunghezza() const;
    // The set's folder, and the name in it that a new version takes: the file the path leads
    // to once links are followed, so that a link keeps leading to the set.
    int cartella() const { return m_cartella.fd(); }
    const std::string &destinazione() const { return m_destinazione; }

    // Before a new version takes the set's place: the path still names the locked file, and
    // that file no other (a hard link would keep the old version under its other name); for a
    // new set, the path still names nothing.
    Esito<Fatto> controllaPosto() const;

private:
    BloccoInsieme(std::string percorso, DescrittoreFile file, DescrittoreFile cartella,
                  std::string destinazione)
        : m_percorso(std::move(percorso)), m_file(std::move(file)), m_cartella(std::move(cartella)),
          m_destinazione(std::move(destinazione))
    {}

    std::string m_percorso;
    DescrittoreFile m_file;
    DescrittoreFile m_cartella;
    std::string m_destinazione;
};
