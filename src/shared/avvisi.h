#pragma once

#include <functional>
#include <string_view>

// Message boxes, with no icon, that keep the rest of the game still while they are open: an OK
// box, or a Yes/No question. Each call returns at once; what is given is called when the box
// is answered (with true for Yes), possibly before the call returns.
class Avvisi
{
public:
    virtual ~Avvisi() = default;
    virtual void mostra(std::string_view testo, std::string_view titolo,
                        std::function<void()> chiuso) = 0;
    virtual void chiedi(std::string_view testo, std::string_view titolo,
                        std::function<void(bool)> risposta) = 0;
};
