// Any 126 bytes are a record the game may meet in a set file someone else wrote: decoding must
// accept them all and give back the very same bytes, title included.

#include "verifica.h"

#include "storage/codepage1252.h"
#include "storage/schedina.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size != Schedina::kDimensioneRecord)
        return 0;
    const Schedina s = Schedina::decodifica(data);
    const auto again = s.codifica();
    VERIFICA(std::memcmp(again.data(), data, size) == 0);
    // The title's text stores back as its own bytes.
    const auto title = CodePage1252::encodeExactly(s.titoloTesto());
    VERIFICA(title && *title == std::string(s.titoloGrezzo()));
    Schedina retitled;
    retitled.impostaTitolo(s.titoloTesto());
    VERIFICA(retitled.titolo == s.titolo);
    if (const auto cost = s.costo())
        VERIFICA(cost->toString().size() <= 21);
    return 0;
}
