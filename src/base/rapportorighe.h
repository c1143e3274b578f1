#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The refused lines of a file read whole, as "riga N: motivo": the first thirty named, the
// rest only counted, so that its text stays small however many lines are refused.
class RapportoRighe
{
public:
    static constexpr std::uint64_t kRigheNelRapporto = 30;

    // luogo, when given, names the file the line is in: "luogo, riga N: motivo".
    void aggiungi(std::uint64_t riga, std::string_view motivo, std::string_view luogo = {});
    bool vuoto() const { return m_rifiutate == 0; }
    std::uint64_t rifiutate() const { return m_rifiutate; }
    // The named lines, one a line, then "... e altre N righe rifiutate" for the rest.
    std::string testo() const;

private:
    std::string m_testo;
    std::uint64_t m_rifiutate = 0;
};
