#include "letturacsv.h"

namespace {

struct Campi
{
    std::vector<std::string> campi;
    bool chiuso = true; // every quoted field was closed
};

// One record from pos: its fields, pos left after its line end.
Campi record(std::string_view testo, std::size_t &pos, char separatore)
{
    Campi r;
    std::string campo;
    bool quotato = false;
    for (;;) {
        if (pos >= testo.size()) {
            r.chiuso = !quotato;
            r.campi.push_back(std::move(campo));
            return r;
        }
        const char c = testo[pos++];
        if (quotato) {
            if (c != '"')
                campo += c;
            else if (pos < testo.size() && testo[pos] == '"')
                campo += testo[pos++];
            else
                quotato = false;
        } else if (c == '"' && campo.empty()) {
            quotato = true;
        } else if (c == separatore) {
            r.campi.push_back(std::move(campo));
            campo.clear();
        } else if (c == '\n' || (c == '\r' && pos < testo.size() && testo[pos] == '\n')) {
            pos += c == '\r' ? 1 : 0;
            r.campi.push_back(std::move(campo));
            return r;
        } else {
            campo += c;
        }
    }
}

std::string erroreRiga(std::string_view riga, const Campi &r)
{
    if (!LetturaCsv::utf8Valido(riga))
        return "il testo non è UTF-8 valido";
    if (!r.chiuso)
        return "virgolette aperte e mai chiuse";
    if (r.campi.size() != LetturaCsv::kColonne)
        return "la riga ha " + std::to_string(r.campi.size()) + " campi invece di " +
               std::to_string(LetturaCsv::kColonne);
    return {};
}

} // namespace

LetturaCsv::Contenuto LetturaCsv::leggi(std::string_view testo)
{
    Contenuto contenuto;
    if (testo.starts_with("\xEF\xBB\xBF"))
        testo.remove_prefix(3);
    const char separatore =
        testo.size() > kIntestazione[0].size() ? testo[kIntestazione[0].size()] : '\0';
    std::size_t pos = 0;
    const Campi intestazione = record(testo, pos, separatore);
    const bool buona = (separatore == ',' || separatore == ';') &&
                       std::equal(intestazione.campi.begin(), intestazione.campi.end(),
                                  kIntestazione.begin(), kIntestazione.end());
    if (!buona) {
        contenuto.errore = "l'intestazione deve essere titolo,numeri,ruote,estratto,ambo,terno,"
                           "quaterna,cinquina (separati da virgole o da punti e virgola)";
        return contenuto;
    }
    for (std::size_t numero = 2; pos < testo.size(); ++numero) {
        const std::size_t inizio = pos;
        Campi r = record(testo, pos, separatore);
        if (r.campi.size() == 1 && r.campi[0].empty() && r.chiuso)
            continue; // a blank line
        std::string errore = erroreRiga(testo.substr(inizio, pos - inizio), r);
        contenuto.righe.push_back({numero, std::move(r.campi), std::move(errore)});
    }
    return contenuto;
}

bool LetturaCsv::utf8Valido(std::string_view testo)
{
    for (std::size_t i = 0; i < testo.size();) {
        const auto c = static_cast<unsigned char>(testo[i]);
        const std::size_t len = c < 0x80         ? 1
                                : (c >> 5) == 6  ? 2
                                : (c >> 4) == 14 ? 3
                                : (c >> 3) == 30 ? 4
                                                 : 0;
        if (len == 0 || i + len > testo.size())
            return false;
        char32_t cp = len == 1 ? c : c & (0x7F >> len);
        for (std::size_t k = 1; k < len; ++k) {
            const auto d = static_cast<unsigned char>(testo[i + k]);
            if ((d & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        constexpr char32_t kMinimo[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kMinimo[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}
