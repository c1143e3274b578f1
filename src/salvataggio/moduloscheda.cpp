#include "moduloscheda.h"

std::size_t ModuloScheda::attivati() const
{
    std::size_t n = 0;
    for (std::size_t i = 0; i < numeri.size(); ++i) {
        if (numeriAttivi[i] && !numeri[i].empty())
            ++n;
    }
    return n;
}
