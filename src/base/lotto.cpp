#include "lotto.h"

namespace lotto {

std::string nomeRuota(std::size_t ruota)
{
    std::string nome(kNomiRuote.at(ruota));
    // The names are plain capital letters A..Z.
    for (std::size_t i = 1; i < nome.size(); ++i)
        nome[i] = static_cast<char>(nome[i] - 'A' + 'a');
    return nome;
}

} // namespace lotto
