#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <unistd.h>

// A file in the temporary folder, named after the process, that goes when the object does.
// Held in a function-local static, it is removed as the program exits.
class FileTemporaneo
{
public:
    // Writes the file's content with scrivi(std::ofstream &).
    template <typename Scrittura>
    FileTemporaneo(const std::string &prefisso, Scrittura scrivi)
        : m_percorso((std::filesystem::temp_directory_path() /
                      (prefisso + std::to_string(::getpid()) + ".slott"))
                         .string())
    {
        std::ofstream out(m_percorso, std::ios::binary);
        scrivi(out);
    }
    ~FileTemporaneo()
    {
        std::error_code ignorato;
        std::filesystem::remove(m_percorso, ignorato);
    }
    FileTemporaneo(const FileTemporaneo &) = delete;
    FileTemporaneo &operator=(const FileTemporaneo &) = delete;

    const std::string &percorso() const { return m_percorso; }

private:
    std::string m_percorso;
};
