#pragma once

#include "verifica.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

// The one set file a fuzz process works on, rewritten with each input. It lives in a folder of
// its own, named after the process (in memory under /dev/shm when there is one, so that the
// many writes never reach a disk), which is removed when the process ends; parallel jobs each
// get their own folder.
class FileTemporaneo
{
public:
    FileTemporaneo()
    {
        const char *const basi[] = {"/dev/shm", std::getenv("TMPDIR"), "/tmp"};
        for (const char *base : basi) {
            if (base == nullptr || *base == '\0')
                continue;
            togliAbbandonate(base);
            std::string modello =
                std::string(base) + "/" + kPrefisso + std::to_string(::getpid()) + "-XXXXXX";
            if (::mkdtemp(modello.data()) != nullptr) {
                m_cartella = modello;
                break;
            }
        }
        VERIFICA(!m_cartella.empty());
        m_percorso = m_cartella + "/" + kFile;
    }
    FileTemporaneo(const FileTemporaneo &) = delete;
    FileTemporaneo &operator=(const FileTemporaneo &) = delete;
    ~FileTemporaneo() { togli(m_cartella); }

    const std::string &percorso() const { return m_percorso; }
    const std::string &cartella() const { return m_cartella; }
    // A path in the same folder that no one ever creates.
    std::string mancante() const { return m_cartella + "/" + kMancante; }

    void scrivi(const std::uint8_t *data, std::size_t size) const
    {
        const int fd = ::open(m_percorso.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        VERIFICA(fd >= 0);
        std::size_t fatto = 0;
        while (fatto < size) {
            const ssize_t n = ::write(fd, data + fatto, size - fatto);
            if (n < 0 && errno == EINTR)
                continue;
            VERIFICA(n > 0);
            fatto += static_cast<std::size_t>(n);
        }
        VERIFICA(::close(fd) == 0);
    }

    // The file's bytes as they are now.
    std::string contenuto() const
    {
        std::string bytes;
        const int fd = ::open(m_percorso.c_str(), O_RDONLY | O_CLOEXEC);
        VERIFICA(fd >= 0);
        char blocco[4096];
        for (;;) {
            const ssize_t n = ::read(fd, blocco, sizeof blocco);
            if (n < 0 && errno == EINTR)
                continue;
            VERIFICA(n >= 0);
            if (n == 0)
                break;
            bytes.append(blocco, static_cast<std::size_t>(n));
        }
        ::close(fd);
        return bytes;
    }

    static bool esiste(const std::string &percorso)
    {
        struct stat info
        {
        };
        return ::stat(percorso.c_str(), &info) == 0;
    }

private:
    static constexpr const char *kPrefisso = "zaffirone-fuzz-";
    static constexpr const char *kFile = "insieme.slott";
    static constexpr const char *kMancante = "mancante.slott";

    // Removes one of these folders: only the files this class makes, so that a folder holding
    // anything else is left alone.
    static void togli(const std::string &cartella)
    {
        ::unlink((cartella + "/" + kFile).c_str());
        ::unlink((cartella + "/" + kMancante).c_str());
        ::rmdir(cartella.c_str());
    }

    // A crash ends the process without running the destructor; the folders of processes that
    // are gone are removed by the next one.
    static void togliAbbandonate(const char *base)
    {
        DIR *elenco = ::opendir(base);
        if (elenco == nullptr)
            return;
        const std::string_view prefisso = kPrefisso;
        while (const dirent *voce = ::readdir(elenco)) {
            const std::string_view nome = voce->d_name;
            if (nome.substr(0, prefisso.size()) != prefisso)
                continue;
            const long pid = std::strtol(voce->d_name + prefisso.size(), nullptr, 10);
            if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
                togli(std::string(base) + "/" + std::string(nome));
        }
        ::closedir(elenco);
    }

    std::string m_cartella;
    std::string m_percorso;
};

// Shared by every input of the process; its destructor runs when libFuzzer exits normally.
inline const FileTemporaneo &fileTemporaneo()
{
    static const FileTemporaneo file;
    return file;
}
