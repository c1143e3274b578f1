#include "letturastorico.h"

#include "base/text.h"

#include <array>
#include <charconv>

namespace {

constexpr std::size_t kCampi = 7;
constexpr const char *kFormaSconosciuta =
    "non è nella forma data, ruota e cinque numeri separati da tabulazioni o da punti e virgola";

} // namespace

std::variant<LetturaStorico::Riga, std::string> LetturaStorico::leggiRiga(std::string_view linea)
{
    const char separatore = linea.find('\t') != std::string_view::npos ? '\t' : ';';
    std::array<std::string_view, kCampi> campi;
    std::size_t n = 0;
    for (std::size_t inizio = 0;;) {
        const auto fine = linea.find(separatore, inizio);
        const auto campo = trimSpaces(linea.substr(inizio, fine - inizio));
        // One separator after the last number is how some spreadsheets save.
        if (n == kCampi && campo.empty() && fine == std::string_view::npos)
            break;
        if (n == kCampi)
            return std::string(kFormaSconosciuta);
        campi[n++] = campo;
        if (fine == std::string_view::npos)
            break;
        inizio = fine + 1;
    }
    if (n != kCampi)
        return std::string(kFormaSconosciuta);
    Riga riga;
    std::array<int, 5> numeri{};
    std::array<bool, 5> fuori{};
    for (std::size_t p = 0; p < numeri.size(); ++p) {
        const std::string_view campo = campi[2 + p];
        const auto [fine, errore] =
            std::from_chars(campo.data(), campo.data() + campo.size(), numeri[p]);
        if (campo.empty() || fine != campo.data() + campo.size())
            return std::string(kFormaSconosciuta);
        fuori[p] = errore != std::errc() || numeri[p] < 1 || numeri[p] > 90;
    }
    const auto giorno = DataEstrazione::scomponi(campi[0]);
    if (!giorno)
        return std::string(kFormaSconosciuta);
    if (!giorno->ok())
        return "la data " + std::string(campi[0]) + " non esiste";
    riga.data = DataEstrazione(*giorno);
    const auto ruota = EstrazioneDelGiorno::ruotaDaCodice(campi[1]);
    if (!ruota)
        return "la ruota \"" + std::string(campi[1]) +
               "\" non è conosciuta (BA CA FI GE MI NA PA RM TO VE, RN per la Nazionale)";
    riga.ruota = *ruota;
    for (std::size_t p = 0; p < numeri.size(); ++p) {
        if (fuori[p])
            return "il numero " + std::string(campi[2 + p]) + " non è tra 1 e 90";
        riga.numeri[p] = std::int16_t(numeri[p]);
    }
    if (const auto difetto = EstrazioneDelGiorno::difetto(riga.numeri))
        return *difetto;
    return riga;
}

std::uint64_t
LetturaStorico::leggi(std::string_view testo,
                      const std::function<void(std::uint64_t, const Riga &)> &riga,
                      const std::function<void(std::uint64_t, const std::string &)> &rifiuto)
{
    // A byte-order mark some editors put before UTF-8 text.
    if (testo.substr(0, 3) == "\xEF\xBB\xBF")
        testo.remove_prefix(3);
    std::uint64_t numero = 0, lette = 0;
    for (std::size_t inizio = 0; inizio < testo.size();) {
        auto fine = testo.find('\n', inizio);
        if (fine == std::string_view::npos)
            fine = testo.size();
        std::string_view linea = testo.substr(inizio, fine - inizio);
        inizio = fine + 1;
        ++numero;
        if (!linea.empty() && linea.back() == '\r')
            linea.remove_suffix(1);
        if (linea.find_first_not_of(" \t") == std::string_view::npos)
            continue;
        ++lette;
        const auto letta = leggiRiga(linea);
        if (const auto *r = std::get_if<Riga>(&letta))
            riga(numero, *r);
        else
            rifiuto(numero, std::get<std::string>(letta));
    }
    return lette;
}
