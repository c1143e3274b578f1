#pragma once

#include "storage/descrittorefile.h"
#include "storage/esito.h"

#include <chrono>
#include <string>

// One writer's hold on a set file: the file open for writing and locked (flock) against every
// other writer, the game's or the companion's, until the object goes. Readers take no lock.
// The lock is on the file the path names once it is held: when the path was given another file
// meanwhile (a set deleted and made anew), that one is opened and locked instead. A write of many
// records stopped half-way is taken back, from its journal, before the hold is given.
class BloccoInsieme
{
public:
    static constexpr std::chrono::milliseconds kAttesaMassima{5000};

    // Opens (making it if missing) and locks; another writer's hold longer than the wait gives
    // the error InUso, and nothing is made or written.
    static Esito<BloccoInsieme> prendi(const std::string &percorso,
                                       std::chrono::milliseconds attesa = kAttesaMassima);
    // The hold of a reader that found a stopped write's journal: at once or not at all, on a set
    // that exists and that it may write.
    static Esito<BloccoInsieme> prendiSeLibero(const std::string &percorso);

    int fd() const { return m_file.fd(); }
    // The file did not exist before this hold made it.
    bool creato() const { return m_creato; }

private:
    BloccoInsieme(DescrittoreFile file, bool creato) : m_file(std::move(file)), m_creato(creato) {}
    static Esito<BloccoInsieme> prendi(const std::string &percorso,
                                       std::chrono::milliseconds attesa, bool crea);

    DescrittoreFile m_file;
    bool m_creato;
};
