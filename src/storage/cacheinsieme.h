#pragma once

#include "storage/esito.h"
#include "storage/indiceinsieme.h"

#include <chrono>
#include <memory>
#include <string>
#include <sys/types.h>

// The last set read, kept while its file is the same file with the same contents: same device,
// inode, size, modification and change time, the last change at least two seconds before the
// read. Clicks on a large set then cost a look at the file's status, not a read of it; any
// write, by the game or another program, makes the next click read it anew.
class CacheInsieme
{
public:
    // File times tick coarsely (a few milliseconds here, whole seconds on some file systems): a
    // file changed this recently may change again without its times moving.
    static constexpr std::chrono::nanoseconds kMargine = std::chrono::seconds(2);

    explicit CacheInsieme(std::chrono::nanoseconds margine = kMargine) : m_margine(margine) {}

    Esito<std::shared_ptr<const IndiceInsieme>> leggi(const std::string &percorso);

private:
    struct Identita
    {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = -1;
        long long modified = 0; // nanoseconds
        long long changed = 0;
        bool operator==(const Identita &) const = default;
    };
    static std::optional<Identita> identita(const std::string &percorso);

    std::chrono::nanoseconds m_margine;
    std::string m_percorso;
    Identita m_identita;
    std::shared_ptr<const IndiceInsieme> m_indice;
};
