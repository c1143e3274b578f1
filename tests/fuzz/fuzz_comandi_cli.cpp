// The companion's reading commands on any file: always a clean exit, one JSON line per whole
// record, and a word on the tail.

#include "filetemporaneo.h"
#include "verifica.h"

#include "cli/comandivalutazione.h"
#include "cli/comandodump.h"
#include "storage/schedina.h"

#include <algorithm>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static FileTemporaneo file;
    const std::string &path = file.scrivi(data, size);
    const auto records = std::ptrdiff_t(size / Schedina::kDimensioneRecord);
    std::ostringstream out;
    std::ostringstream err;
    VERIFICA(eseguiDump(path, out, err) == 0);
    const std::string dump = out.str();
    VERIFICA(std::count(dump.begin(), dump.end(), '\n') == records);
    VERIFICA(err.str().find("byte che non formano") != std::string::npos ==
             (size % Schedina::kDimensioneRecord != 0));
    std::ostringstream odds;
    VERIFICA(eseguiOdds(path, odds, err) == 0);
    const std::string lines = odds.str();
    VERIFICA(std::count(lines.begin(), lines.end(), '\n') == records);
    return 0;
}
