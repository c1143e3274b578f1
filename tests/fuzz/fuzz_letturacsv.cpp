// A spreadsheet's CSV of any bytes: the reader never fails, numbers the rows in order after the
// header, and a row it lets through has the eight fields, all of them well-formed UTF-8. Its
// UTF-8 check agrees with glibc's converter on the whole input.

#include "fuzz.h"

#include "cli/letturacsv.h"

#include <iconv.h>

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    VERIFICA(LetturaCsv::utf8Valido(text) == iconvAccepts(text));
    const auto content = LetturaCsv::leggi(text);
    VERIFICA(content.errore.empty() || content.righe.empty());
    std::size_t previous = 1;
    for (const auto &row : content.righe) {
        VERIFICA(row.numero > previous);
        previous = row.numero;
        if (!row.errore.empty())
            continue;
        VERIFICA(row.campi.size() == LetturaCsv::kColonne);
        for (const std::string &field : row.campi)
            VERIFICA(LetturaCsv::utf8Valido(field));
    }
    return 0;
}
