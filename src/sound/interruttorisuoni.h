#pragma once

#include <string_view>

class Modulo;

// The two switches of the "Opzioni" menu. Each click plays the click first (heard only if
// sounds were on), flips its switch and returns the item's new caption, which always names
// what the next click will do.
class InterruttoriSuoni
{
public:
    static constexpr std::string_view kDisabilita = "Disabilita i suoni";
    static constexpr std::string_view kRiabilita = "Riabilita i suoni";
    static constexpr std::string_view kSpiritosiIniziale = "Suoni Spiritosi";
    static constexpr std::string_view kSpiritosi = "Suoni spiritosi";
    static constexpr std::string_view kNormali = "Suoni normali";

    static std::string_view commutaSuoni(Modulo &modulo);
    static std::string_view commutaSpirito(Modulo &modulo);
};
