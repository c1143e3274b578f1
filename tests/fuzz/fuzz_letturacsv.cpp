// A spreadsheet's CSV of any bytes, read as import reads it. The decoder makes valid UTF-8 of any
// bytes in each of its encodings, and its UTF-8 check agrees with glibc's converter whatever the
// blocks it is given. The reader never fails; given the text cut in two anywhere it hands on
// exactly the rows it hands on given it whole, numbered in order after the header, none longer
// than its limit, each it lets through with the eight fields.

#include "fuzz.h"

#include "base/decodificatesto.h"
#include "storage/letturacsv.h"

#include <iconv.h>
#include <vector>

namespace {

bool iconvAccepts(std::string text)
{
    static const iconv_t cd = ::iconv_open("UTF-32LE", "UTF-8");
    VERIFICA(cd != iconv_t(-1));
    std::string out(text.size() * 4 + 4, '\0');
    char *in = text.data();
    char *to = out.data();
    std::size_t left = text.size(), room = out.size();
    ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
    return ::iconv(cd, &in, &left, &to, &room) != std::size_t(-1) && left == 0;
}

using Righe = std::vector<LetturaCsv::Riga>;

std::pair<Righe, std::string> leggi(std::string_view text, std::size_t taglio)
{
    Righe righe;
    LetturaCsv csv([&](const LetturaCsv::Riga &riga) {
        righe.push_back(riga);
        return true;
    });
    if (csv.leggi(text.substr(0, taglio)) && csv.leggi(text.substr(taglio)))
        csv.fine();
    return {righe, csv.erroreIntestazione()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    const std::size_t taglio = size == 0 ? 0 : data[0] % (size + 1);
    DecodificaTesto check(DecodificaTesto::Codifica::Utf8);
    check.controllaUtf8(std::string_view(bytes).substr(0, taglio));
    check.controllaUtf8(std::string_view(bytes).substr(taglio));
    VERIFICA(check.fineUtf8() == iconvAccepts(bytes));
    std::string text;
    for (const auto codifica :
         {DecodificaTesto::Codifica::Windows1252, DecodificaTesto::Codifica::Utf16LE,
          DecodificaTesto::Codifica::Utf16BE}) {
        DecodificaTesto decodifica(codifica);
        text.clear();
        decodifica.converti(std::string_view(bytes).substr(0, taglio), text);
        decodifica.converti(std::string_view(bytes).substr(taglio), text);
        decodifica.fine(text);
        VERIFICA(DecodificaTesto::utf8Valido(text));
    }
    const auto whole = leggi(bytes, bytes.size());
    const auto cut = leggi(bytes, taglio);
    VERIFICA(whole.second == cut.second && whole.first.size() == cut.first.size());
    VERIFICA(whole.second.empty() || whole.first.empty());
    std::size_t previous = 1;
    for (std::size_t i = 0; i < whole.first.size(); ++i) {
        const auto &row = whole.first[i];
        VERIFICA(row.numero > previous && row.numero == cut.first[i].numero &&
                 row.campi == cut.first[i].campi && row.errore == cut.first[i].errore);
        previous = row.numero;
        VERIFICA(row.errore.empty() == (row.campi.size() == LetturaCsv::kColonne));
        std::size_t length = 0;
        for (const std::string &field : row.campi)
            length += field.size();
        VERIFICA(length <= LetturaCsv::kMassimoRiga);
    }
    return 0;
}
