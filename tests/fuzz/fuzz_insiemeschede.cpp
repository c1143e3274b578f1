// Any bytes are a set file: each record encodes back to its bytes, title included; the scans
// count whole records, find what is there and change nothing; dump and odds end cleanly with a
// line a record and a word on the tail; an append lands where it must.

#include "fuzz.h"

#include "base/codepage1252.h"
#include "base/text.h"
#include "cli/comandivalutazione.h"
#include "cli/comandodump.h"
#include "storage/insiemeschede.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

std::string contents(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string &path = fileDi(data, size);
    const std::string before(reinterpret_cast<const char *>(data), size);
    const InsiemeSchede set(path);
    const std::uint64_t records = size / Schedina::kDimensioneRecord;
    const auto all = set.leggiTutte();
    VERIFICA(set.conta().valore() == records && all.valore().size() == records);
    for (std::uint64_t k = 1; k <= records; ++k) {
        const Schedina &s = all.valore()[k - 1];
        const std::string_view title = s.titoloGrezzo();
        VERIFICA(std::memcmp(s.codifica().data(), data + (k - 1) * 126, 126) == 0);
        VERIFICA(CodePage1252::encodeExactly(s.titoloTesto()) == std::string(title));
        Schedina retitled;
        retitled.impostaTitolo(s.titoloTesto());
        VERIFICA(retitled.titolo == s.titolo);
        if (k > 8)
            continue; // the searches read the whole file: a few are enough
        const auto byTitle = set.trovaPerTitolo(s.titoloTesto()).valore();
        VERIFICA(byTitle && *byTitle <= k &&
                 trimSpaces(all.valore()[*byTitle - 1].titoloGrezzo()) == trimSpaces(title));
        VERIFICA(set.leggi(k).valore() == s);
    }
    // A record number from the input: read only if it is a whole record of the file.
    std::uint64_t k = 0;
    std::memcpy(&k, data, std::min(size, sizeof k));
    VERIFICA(set.leggi(k).ok() == (k >= 1 && k <= records) && contents(path) == before);
    std::ostringstream dump, odds, err;
    VERIFICA(eseguiDump(path, dump, err) == 0 && eseguiOdds(path, odds, err) == 0);
    VERIFICA(std::ranges::count(dump.str(), '\n') == std::ptrdiff_t(records) &&
             std::ranges::count(odds.str(), '\n') == std::ptrdiff_t(records));
    const bool tail = size % Schedina::kDimensioneRecord != 0;
    VERIFICA((err.str().find("byte che non formano") != std::string::npos) == tail);
    const auto written = set.aggiungi(Schedina());
    VERIFICA(written.ok() && written.valore() == InsiemeSchede::numeroPerAggiunta(size));
    const std::string after = contents(path);
    const std::size_t offset = (written.valore() - 1) * Schedina::kDimensioneRecord;
    VERIFICA(after.size() == offset + Schedina::kDimensioneRecord);
    VERIFICA(after.compare(0, std::min(offset, size), before, 0, std::min(offset, size)) == 0);
    return 0;
}
