#pragma once

#include "estrazioni/archivioestrazioni.h"
#include "estrazioni/costoschedine.h"
#include "estrazioni/verificaschedina.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// "Did I win?" for a set's tickets: each against the real draws of a run of days, by the game's
// own evaluation, with what they staked and won over those days: the companion's check, whose
// lines the game's window lists.
class VerificaInsieme
{
public:
    // The days from `data` (the archive's last without one), `colpi` of them at most; or why
    // there are none: an empty archive, or no draw on that day.
    static std::variant<std::vector<EstrazioneDelGiorno>, std::string>
    giorni(const ArchivioEstrazioni &archivio, std::optional<DataEstrazione> data,
           std::uint64_t colpi);

    explicit VerificaInsieme(const std::vector<EstrazioneDelGiorno> &giorni);

    // One ticket: each of its wins, day by day in order (the day by its place in the run), and
    // its stakes counted over every day.
    using Vincita = std::function<void(std::size_t giorno, const VerificaSchedina::Vincita &)>;
    void verifica(const Schedina &schedina, const Vincita &vincita);

    const std::vector<VerificaSchedina> &verifiche() const { return m_verifiche; }
    std::uint64_t schedine() const { return m_schedine; }
    // The stakes of the tickets over the days; nothing past the currency's range.
    std::optional<Currency> puntato() const { return m_costo.per(m_verifiche.size()); }
    __int128 vinto() const { return m_vinto; }

private:
    std::vector<VerificaSchedina> m_verifiche;
    std::vector<VerificaSchedina::Vincita> m_vincite;
    CostoSchedine m_costo;
    std::uint64_t m_schedine = 0;
    __int128 m_vinto = 0;
};
