#include "cacheinsieme.h"

#include "storage/insiemeschede.h"

#include <chrono>
#include <sys/stat.h>

namespace {

long long nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

} // namespace

std::optional<CacheInsieme::Identita> CacheInsieme::identita(const std::string &percorso)
{
    struct stat info
    {
    };
    if (::stat(percorso.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return Identita{info.st_dev, info.st_ino, info.st_size,
                    info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec,
                    info.st_ctim.tv_sec * 1000000000LL + info.st_ctim.tv_nsec};
}

Esito<std::shared_ptr<const IndiceInsieme>> CacheInsieme::leggi(const std::string &percorso)
{
    const auto before = identita(percorso);
    if (m_indice && before && percorso == m_percorso && *before == m_identita)
        return m_indice;
    const long long start = nowNs();
    auto read = IndiceInsieme::leggi(InsiemeSchede(percorso));
    if (!read) {
        m_indice.reset();
        return read.errore();
    }
    auto index = std::make_shared<const IndiceInsieme>(std::move(read).valore());
    // Kept only when nothing changed the file while it was read (opening may have created it)
    // and its last change is old enough for any later one to show in its times.
    const auto after = identita(percorso);
    const long long margin = m_margine.count();
    if (after && before && *after == *before && after->modified < start - margin &&
        after->changed < start - margin) {
        m_percorso = percorso;
        m_identita = *after;
        m_indice = index;
    } else {
        m_indice.reset();
    }
    return index;
}
