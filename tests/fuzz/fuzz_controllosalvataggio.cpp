// The editor's save checks on any boxes: they end at the first failing step with its own
// message, asking the set for the title at most once; what passes them is built into a record or
// refused with a message of its own. Input: four bytes of flags, then the texts, each ended by a
// 0xFF byte: the title, the ten number boxes, the five stakes and the title being modified.

#include "fuzz.h"

#include "salvataggio/controllosalvataggio.h"

#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 4)
        return 0;
    const std::uint32_t flags =
        data[0] | data[1] << 8 | data[2] << 16 | std::uint32_t(data[3]) << 24;
    std::vector<std::string> texts(17);
    for (std::size_t i = 4, t = 0; i < size && t < texts.size(); ++i) {
        if (data[i] == 0xFF)
            ++t;
        else
            texts[t] += char(data[i]);
    }
    ModuloScheda m;
    m.titolo = texts[0];
    for (std::size_t i = 0; i < 10; ++i) {
        m.numeri[i] = texts[1 + i];
        m.numeriAttivi[i] = (flags >> i) & 1;
    }
    for (std::size_t w = 0; w < 11; ++w)
        m.ruote[w] = (flags >> (10 + w)) & 1;
    for (std::size_t k = 0; k < 5; ++k) {
        m.giocate[k] = (flags >> (21 + k)) & 1;
        m.puntate[k] = texts[11 + k];
    }
    m.modifica = (flags >> 26) & 1;
    m.titoloOriginale = texts[16];
    int asked = 0;
    const auto verdict = ControlloSalvataggio::controlla(m, [&](std::string_view) {
        ++asked;
        return Esito<bool>((flags >> 27) & 1);
    });
    VERIFICA(asked <= 1);
    if (verdict.rifiuto) {
        VERIFICA(verdict.rifiuto->evento &&
                 verdict.rifiuto->testo == catalogo::voce(*verdict.rifiuto->evento).testo);
        return 0;
    }
    const auto built = ControlloSalvataggio::costruisci(m);
    VERIFICA(std::holds_alternative<Schedina>(built) ||
             !std::get<ControlloSalvataggio::Rifiuto>(built).testo.empty());
    return 0;
}
