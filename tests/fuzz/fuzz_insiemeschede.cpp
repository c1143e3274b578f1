// Any bytes are a set file: the scans count whole records only, find what is there, never read
// a tail or past the end, and leave the file as it was.

#include "filetemporaneo.h"
#include "verifica.h"

#include "shared/text.h"
#include "storage/insiemeschede.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

std::string contents(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static FileTemporaneo file;
    const std::string &path = file.scrivi(data, size);
    const InsiemeSchede set(path);
    const std::uint64_t records = size / Schedina::kDimensioneRecord;
    VERIFICA(set.conta().valore() == records);
    const auto all = set.leggiTutte();
    VERIFICA(all.ok() && all.valore().size() == records);
    for (std::uint64_t k = 0; k < records && k < 8; ++k) {
        const Schedina &s = all.valore()[k];
        const std::string text = s.titoloTesto();
        const auto byTitle = set.trovaPerTitolo(text).valore();
        VERIFICA(byTitle && *byTitle <= k + 1 &&
                 trimSpaces(all.valore()[*byTitle - 1].titoloGrezzo()) ==
                     trimSpaces(s.titoloGrezzo()));
        const auto byEntry = set.trovaPerVoce(text).valore();
        VERIFICA(byEntry && *byEntry <= k + 1 &&
                 all.valore()[*byEntry - 1].titoloGrezzo() == s.titoloGrezzo());
        VERIFICA(set.leggi(k + 1).valore() == s);
    }
    // A record number from the input: read only if it is a whole record of the file.
    std::uint64_t k = 0;
    std::memcpy(&k, data, std::min<std::size_t>(size, sizeof k));
    VERIFICA(set.leggi(k).ok() == (k >= 1 && k <= records));
    VERIFICA(contents(path) == std::string(reinterpret_cast<const char *>(data), size));
    // An append lands at the rounded record number and moves nothing before it.
    const auto written = set.aggiungi(Schedina());
    VERIFICA(written.ok() && written.valore() == InsiemeSchede::numeroPerAggiunta(size));
    const std::string after = contents(path);
    const std::size_t offset = (written.valore() - 1) * Schedina::kDimensioneRecord;
    VERIFICA(after.size() == offset + Schedina::kDimensioneRecord);
    VERIFICA(std::memcmp(after.data(), data, std::min(offset, size)) == 0);
    return 0;
}
