#include "radicesuoni.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

char minuscola(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Windows compares names without regard to case; the recordings were named on Windows, so
// "Lotto\click.wav" must still find a file someone saved as "lotto/Click.WAV". Only ASCII
// letters fold: every catalogue name is ASCII.
bool ugualiSenzaMaiuscole(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return minuscola(x) == minuscola(y);
           });
}

// The components below the sound root, with "." and ".." already applied; nothing when the
// path lies elsewhere or would climb out of the root.
std::optional<std::vector<std::string>> componenti(std::string_view percorso)
{
    const std::string_view radice = RadiceSuoni::kRadice;
    if (percorso.size() < radice.size())
        return std::nullopt;
    for (std::size_t i = 0; i < radice.size(); ++i) {
        const char c = percorso[i] == '/' ? '\\' : percorso[i];
        if (minuscola(c) != minuscola(radice[i]))
            return std::nullopt;
    }
    std::vector<std::string> parti;
    std::string_view resto = percorso.substr(radice.size());
    while (true) {
        const auto fine = resto.find_first_of("\\/");
        const std::string_view parte = resto.substr(0, fine);
        if (parte.find('\0') != std::string_view::npos)
            return std::nullopt;
        if (parte == "..") {
            if (parti.empty())
                return std::nullopt;
            parti.pop_back();
        } else if (!parte.empty() && parte != ".") {
            parti.emplace_back(parte);
        }
        if (fine == std::string_view::npos)
            break;
        resto.remove_prefix(fine + 1);
    }
    if (parti.empty())
        return std::nullopt;
    return parti;
}

bool adatto(const fs::path &p, bool ultimo)
{
    std::error_code ec;
    return ultimo ? fs::is_regular_file(p, ec) : fs::is_directory(p, ec);
}

std::optional<fs::path> cercaIn(const fs::path &radice, const std::vector<std::string> &parti)
{
    fs::path corrente = radice;
    for (std::size_t i = 0; i < parti.size(); ++i) {
        const bool ultimo = i + 1 == parti.size();
        const fs::path esatto = corrente / parti[i];
        if (adatto(esatto, ultimo)) {
            corrente = esatto;
            continue;
        }
        // Several spellings of one name can only come from a case-sensitive copy; the smallest
        // keeps the choice the same on every run.
        std::optional<fs::path> scelto;
        std::error_code ec;
        for (auto it = fs::directory_iterator(corrente, ec); !ec && it != fs::directory_iterator();
             it.increment(ec)) {
            const fs::path &candidato = it->path();
            if (ugualiSenzaMaiuscole(candidato.filename().string(), parti[i]) &&
                adatto(candidato, ultimo) && (!scelto || candidato < *scelto))
                scelto = candidato;
        }
        if (!scelto)
            return std::nullopt;
        corrente = *scelto;
    }
    return corrente;
}

fs::path datiUtente()
{
    const char *xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && fs::path(xdg).is_absolute())
        return fs::path(xdg) / "zaffirone" / "Suoni";
    const char *cartellaUtente = std::getenv("HOME");
    if (cartellaUtente && *cartellaUtente)
        return fs::path(cartellaUtente) / ".local" / "share" / "zaffirone" / "Suoni";
    return {};
}

} // namespace

std::string RadiceSuoni::percorsoCompleto(std::string_view relativo)
{
    return std::string(kRadice) + std::string(relativo);
}

RadiceSuoni::RadiceSuoni(std::vector<fs::path> radici) : m_radici(std::move(radici)) {}

RadiceSuoni RadiceSuoni::predefinita()
{
    return RadiceSuoni(radiciPredefinite());
}

std::vector<fs::path> RadiceSuoni::radiciPredefinite()
{
    std::vector<fs::path> radici;
    if (fs::path utente = datiUtente(); !utente.empty())
        radici.push_back(std::move(utente));

    std::error_code ec;
    const fs::path eseguibile = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return radici;
    radici.push_back(
        (eseguibile.parent_path() / ".." / "share" / "zaffirone" / "Suoni").lexically_normal());
#ifdef ZAFFIRONE_CARTELLA_COMPILAZIONE
    // Only a program started from inside the build folder uses the build's copy, so an
    // installed game never depends on where it was built.
    const fs::path compilazione = fs::weakly_canonical(ZAFFIRONE_CARTELLA_COMPILAZIONE, ec);
    if (!ec) {
        const fs::path relativo = eseguibile.lexically_relative(compilazione);
        if (!relativo.empty() && *relativo.begin() != "..")
            radici.push_back(compilazione / "data" / "Suoni");
    }
#endif
    return radici;
}

std::optional<fs::path> RadiceSuoni::trova(std::string_view percorso) const
{
    const auto parti = componenti(percorso);
    if (!parti)
        return std::nullopt;
    for (const fs::path &radice : m_radici) {
        if (radice.empty())
            continue;
        if (auto trovato = cercaIn(radice, *parti))
            return trovato;
    }
    return std::nullopt;
}
