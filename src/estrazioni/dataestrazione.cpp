#include "dataestrazione.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace {

using namespace std::chrono;

// A field of the given digits, no sign, no blank.
std::optional<unsigned> cifre(std::string_view testo, std::size_t minime, std::size_t massime)
{
    unsigned valore = 0;
    if (testo.size() < minime || testo.size() > massime || testo.front() < '0' ||
        testo.front() > '9')
        return std::nullopt;
    const auto [fine, errore] = std::from_chars(testo.data(), testo.data() + testo.size(), valore);
    if (errore != std::errc() || fine != testo.data() + testo.size())
        return std::nullopt;
    return valore;
}

// The three fields between two separators, which must be the same character.
std::optional<std::array<std::string_view, 3>> campi(std::string_view testo, char separatore)
{
    const auto primo = testo.find(separatore);
    if (primo == std::string_view::npos)
        return std::nullopt;
    const auto secondo = testo.find(separatore, primo + 1);
    if (secondo == std::string_view::npos ||
        testo.find(separatore, secondo + 1) != std::string_view::npos)
        return std::nullopt;
    return std::array{testo.substr(0, primo), testo.substr(primo + 1, secondo - primo - 1),
                      testo.substr(secondo + 1)};
}

std::optional<year_month_day> componi(std::optional<unsigned> a, std::optional<unsigned> m,
                                      std::optional<unsigned> g)
{
    if (!a || !m || !g)
        return std::nullopt;
    return year_month_day{year(int(*a)), month(*m), day(*g)};
}

} // namespace

std::optional<year_month_day> DataEstrazione::scomponi(std::string_view testo)
{
    if (testo.size() == 8 && testo.find_first_not_of("0123456789") == std::string_view::npos)
        return componi(cifre(testo.substr(0, 4), 4, 4), cifre(testo.substr(4, 2), 2, 2),
                       cifre(testo.substr(6, 2), 2, 2));
    for (const char separatore : {'-', '/'}) {
        const auto f = campi(testo, separatore);
        if (!f)
            continue;
        if ((*f)[0].size() == 4)
            return componi(cifre((*f)[0], 4, 4), cifre((*f)[1], 1, 2), cifre((*f)[2], 1, 2));
        if (separatore == '/')
            return componi(cifre((*f)[2], 4, 4), cifre((*f)[1], 1, 2), cifre((*f)[0], 1, 2));
    }
    return std::nullopt;
}

std::optional<DataEstrazione> DataEstrazione::leggi(std::string_view testo)
{
    const auto g = scomponi(testo);
    if (!g || !g->ok())
        return std::nullopt;
    return DataEstrazione(*g);
}

DataEstrazione DataEstrazione::daNumero(std::int32_t aaaammgg)
{
    return DataEstrazione(year_month_day{year(aaaammgg / 10000),
                                         month(unsigned(aaaammgg / 100 % 100)),
                                         day(unsigned(aaaammgg % 100))});
}

std::int32_t DataEstrazione::numero() const
{
    return int(m_giorno.year()) * 10000 + int(unsigned(m_giorno.month())) * 100 +
           int(unsigned(m_giorno.day()));
}

std::string DataEstrazione::testo() const
{
    std::array<char, 16> testo{};
    const int n = std::snprintf(testo.data(), testo.size(), "%04d-%02u-%02u", int(m_giorno.year()),
                                unsigned(m_giorno.month()), unsigned(m_giorno.day()));
    return std::string(testo.data(), std::size_t(n));
}
