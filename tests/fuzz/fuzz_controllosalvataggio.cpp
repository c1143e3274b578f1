// The editor's save checks on any boxes: they end at the first failing step with its own
// message, and once they pass with digit-only stakes the record is built unless a stake is too
// large to store.

#include "verifica.h"

#include "editor/controllosalvataggio.h"

#include <algorithm>
#include <string>

namespace {

// Splits the input into texts at each 0xFF byte.
std::vector<std::string> texts(const std::uint8_t *data, std::size_t size)
{
    std::vector<std::string> out(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF)
            out.emplace_back();
        else
            out.back() += char(data[i]);
    }
    return out;
}

bool digitsOnly(const std::string &text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto parts = texts(data, size);
    auto text = [&](std::size_t i) {
        return i < parts.size() ? parts[i] : std::string();
    };
    const std::uint32_t flags =
        size >= 4
            ? std::uint32_t(data[0] | data[1] << 8 | data[2] << 16 | std::uint32_t(data[3]) << 24)
            : 0;
    ModuloScheda m;
    m.titolo = text(0);
    for (std::size_t i = 0; i < 10; ++i) {
        m.numeri[i] = text(1 + i);
        m.numeriAttivi[i] = (flags >> i) & 1;
    }
    for (std::size_t w = 0; w < 11; ++w)
        m.ruote[w] = (flags >> (10 + w)) & 1;
    for (std::size_t k = 0; k < 5; ++k) {
        m.giocate[k] = (flags >> (21 + k)) & 1;
        m.puntate[k] = text(11 + k);
    }
    m.modifica = (flags >> 26) & 1;
    m.titoloOriginale = text(16);

    int asked = 0;
    const auto verdict = ControlloSalvataggio::controlla(m, [&](std::string_view) {
        ++asked;
        return Esito<bool>((flags >> 27) & 1);
    });
    VERIFICA(asked <= 1);
    if (verdict.rifiuto) {
        VERIFICA(verdict.rifiuto->evento.has_value());
        VERIFICA(verdict.rifiuto->testo == catalogo::voce(*verdict.rifiuto->evento).testo);
        return 0;
    }
    bool storable = true;
    for (std::size_t k = 0; k < 5; ++k) {
        if (!m.giocate[k])
            continue;
        if (!digitsOnly(m.puntate[k]))
            return 0; // the editor's keys never let such a stake in
        storable = storable && Currency::fromDigits(m.puntate[k]).has_value();
    }
    const auto built = ControlloSalvataggio::costruisci(m);
    VERIFICA(std::holds_alternative<Schedina>(built) == storable);
    return 0;
}
