#include "controllosalvataggio.h"

#include "base/currency.h"
#include "base/text.h"

#include <algorithm>
#include <limits>

namespace {

using E = catalogo::Evento;
using Rifiuto = ControlloSalvataggio::Rifiuto;

// A number box's text read as a whole number, as far as it holds digits; empty reads as 0.
std::int64_t valoreCasella(const std::string &testo)
{
    std::int64_t valore = 0;
    for (char c : testo) {
        if (c < '0' || c > '9')
            break;
        valore = std::min<std::int64_t>(valore * 10 + (c - '0'), std::numeric_limits<int>::max());
    }
    return valore;
}

bool nessuno(const auto &interruttori)
{
    return std::none_of(interruttori.begin(), interruttori.end(),
                        [](bool acceso) { return acceso; });
}

bool soloCifre(std::string_view testo)
{
    return std::all_of(testo.begin(), testo.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A stake box's text: the digits typed, or a stored ticket's stake as the editor shows it, with a
// decimal point ('.' or ',', as the player's locale writes it) and up to the currency's four
// decimals. The points before the decimal point may be none (",5" is half a point).
std::variant<Currency, Rifiuto> leggiPuntata(std::string_view testo, std::size_t tipoGiocata)
{
    const std::size_t punto = testo.find_first_of(".,");
    const std::string_view intera = testo.substr(0, punto);
    const std::string_view decimali =
        punto == std::string_view::npos ? std::string_view() : testo.substr(punto + 1);
    if (!soloCifre(intera) || !soloCifre(decimali))
        return Rifiuto::di(E::SoloCifre);
    if (decimali.size() > 4)
        return Rifiuto{std::nullopt,
                       "La puntata su " + std::string(lotto::kNomiGiocate.at(tipoGiocata)) +
                           " ha " + std::to_string(decimali.size()) +
                           " decimali: una puntata ne tiene al massimo 4",
                       -1};
    std::int64_t frazione = 0;
    for (std::size_t i = 0; i < 4; ++i)
        frazione = frazione * 10 + (i < decimali.size() ? decimali[i] - '0' : 0);
    const auto unita = Currency::fromDigits(intera.empty() ? "0" : intera);
    const auto puntata = unita ? unita->plus(Currency::fromRaw(frazione)) : std::nullopt;
    if (!puntata)
        return ControlloSalvataggio::puntataTroppoAlta(tipoGiocata);
    return *puntata;
}

} // namespace

Rifiuto Rifiuto::di(catalogo::Evento evento)
{
    return {evento, std::string(catalogo::voce(evento).testo), -1};
}

Rifiuto ControlloSalvataggio::puntataTroppoAlta(std::size_t tipoGiocata)
{
    const Currency massimo = Currency::fromRaw(std::numeric_limits<std::int64_t>::max());
    const std::string intero = massimo.toString().substr(0, massimo.toString().find('.'));
    return {std::nullopt,
            "La puntata su " + std::string(lotto::kNomiGiocate.at(tipoGiocata)) +
                " è troppo alta: puoi puntare al massimo " + intero,
            -1};
}

std::optional<Rifiuto> ControlloSalvataggio::controllaPasso(Passo passo, const ModuloScheda &modulo,
                                                            const TitoloEsiste &titoloEsiste,
                                                            std::optional<ErroreFile> &errore)
{
    switch (passo) {
    case Passo::Titolo:
        if (modulo.titolo.empty())
            return Rifiuto::di(E::SalvaSenzaTitolo);
        break;
    case Passo::TitoloUnico: {
        // Saving a stored ticket under its old title must not find the ticket itself.
        if (modulo.modifica && trimSpaces(modulo.titolo) == trimSpaces(modulo.titoloOriginale))
            break;
        auto esiste = titoloEsiste(modulo.titolo);
        if (!esiste)
            errore = esiste.errore();
        else if (esiste.valore())
            return Rifiuto::di(E::SalvaTitoloEsistente);
        break;
    }
    case Passo::Numeri:
        if (modulo.numeri[0].empty())
            return Rifiuto::di(E::SalvaSenzaNumeri);
        break;
    case Passo::NumeroZero: {
        const std::size_t n = modulo.attivati();
        if (n > 0 && valoreCasella(modulo.numeri[n - 1]) == 0) {
            Rifiuto r = Rifiuto::di(E::SalvaNumeroFuoriIntervallo);
            r.casella = static_cast<int>(n - 1);
            return r;
        }
        break;
    }
    case Passo::Ruote:
        if (nessuno(modulo.ruote))
            return Rifiuto::di(E::SalvaSenzaRuote);
        break;
    case Passo::Giocate:
        if (nessuno(modulo.giocate))
            return Rifiuto::di(E::SalvaSenzaGiocate);
        break;
    case Passo::Puntate:
        for (std::size_t g = 0; g < lotto::kTipiGiocata; ++g) {
            if (modulo.giocate[g] && modulo.puntate[g].empty())
                return Rifiuto::di(E::SalvaSenzaPuntata);
        }
        break;
    }
    return std::nullopt;
}

ControlloSalvataggio::Risultato
ControlloSalvataggio::controlla(const ModuloScheda &modulo, const TitoloEsiste &titoloEsiste,
                                const ControlloAggiuntivo &aggiuntivo)
{
    constexpr Passo kOrdine[] = {Passo::Titolo,     Passo::TitoloUnico, Passo::Numeri,
                                 Passo::NumeroZero, Passo::Ruote,       Passo::Giocate,
                                 Passo::Puntate};
    Risultato risultato;
    for (Passo passo : kOrdine) {
        risultato.rifiuto = controllaPasso(passo, modulo, titoloEsiste, risultato.errore);
        if (!risultato.rifiuto && !risultato.errore && aggiuntivo)
            risultato.rifiuto = aggiuntivo(passo);
        if (!risultato.ok())
            return risultato;
    }
    return risultato;
}

std::variant<Schedina, Rifiuto> ControlloSalvataggio::costruisci(const ModuloScheda &modulo)
{
    Schedina s;
    s.impostaTitolo(modulo.titolo);
    for (std::size_t i = 0; i < modulo.ruote.size(); ++i)
        s.ruote[i] = modulo.ruote[i] ? 1 : 0;
    for (std::size_t i = 0; i < modulo.numeri.size(); ++i) {
        const auto valore = modulo.numeriAttivi[i] ? valoreCasella(modulo.numeri[i]) : 0;
        s.numeri[i] = static_cast<std::int16_t>(std::min<std::int64_t>(valore, INT16_MAX));
    }
    for (std::size_t g = 0; g < lotto::kTipiGiocata; ++g) {
        if (!modulo.giocate[g])
            continue;
        const auto puntata = leggiPuntata(modulo.puntate[g], g);
        if (const auto *rifiuto = std::get_if<Rifiuto>(&puntata))
            return *rifiuto;
        s.giocate[g] = 1;
        s.puntate[g] = std::get<Currency>(puntata);
    }
    return s;
}
