#pragma once

#include "storage/insiemeschede.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

// Many tickets added to a set as one: the set's lock taken before anything is checked against
// it and held to the end, every record appended in one write, and a refusal or a failure at
// any point leaving the set byte for byte as it was (and no file where there was none).
class AggiuntaInBlocco
{
public:
    static Esito<AggiuntaInBlocco> prendi(const std::string &percorso);
    AggiuntaInBlocco(AggiuntaInBlocco &&) = default;
    ~AggiuntaInBlocco();

    const InsiemeSchede &insieme() const { return m_insieme; }
    // The whole records the set holds now.
    std::uint64_t schedine() const { return m_prima.lunghezza / Schedina::kDimensioneRecord; }

    // Appends the encoded records and prints the line made from the first and last record
    // numbers; an output nobody could read takes the records back. A set that would then hold
    // more than the game loads is refused (exit 2). Returns the exit code.
    int scriviEStampa(std::string_view record,
                      const std::function<std::string(std::uint64_t, std::uint64_t)> &riga,
                      std::ostream &out, std::ostream &err);

private:
    AggiuntaInBlocco(InsiemeSchede insieme, BloccoInsieme blocco,
                     InsiemeSchede::PrimaDellAggiunta prima);

    InsiemeSchede m_insieme;
    BloccoInsieme m_blocco;
    InsiemeSchede::PrimaDellAggiunta m_prima;
    bool m_fatto = false; // the records were written, or taken back by their own undo
};
