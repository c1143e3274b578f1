#pragma once

#include "shared/modulo.h"

#include <QPointer>

#include <functional>
#include <type_traits>

// Makes a slot that runs a window's handler as the player's action (see Presentatore): at once,
// or after what the game is saying when it comes while a recording plays or a box is open.
// The handler takes the signal's arguments if it wants them; a window gone meanwhile is left
// alone.
template <typename Finestra, typename Gestore>
auto nelTurno(Modulo &modulo, Finestra *finestra, Gestore gestore)
{
    return [&modulo, finestra = QPointer<Finestra>(finestra), gestore](auto... argomenti) {
        modulo.presentatore().azione([finestra, gestore, argomenti...] {
            if (!finestra)
                return;
            if constexpr (std::is_member_function_pointer_v<Gestore>) {
                if constexpr (std::is_invocable_v<Gestore, Finestra *, decltype(argomenti)...>)
                    std::invoke(gestore, finestra.data(), argomenti...);
                else
                    std::invoke(gestore, finestra.data());
            } else if constexpr (std::is_invocable_v<Gestore, decltype(argomenti)...>) {
                std::invoke(gestore, argomenti...);
            } else {
                std::invoke(gestore);
            }
        });
    };
}

// A window's code that comes once what was asked before it has been said; left alone if the
// window is gone by then.
template <typename Finestra>
void dopo(Modulo &modulo, Finestra *finestra, std::function<void()> codice)
{
    modulo.presentatore().poi(
        [finestra = QPointer<Finestra>(finestra), codice = std::move(codice)] {
            if (finestra)
                codice();
        });
}

// The same, for a yes/no answer.
template <typename Finestra>
std::function<void(bool)> allaRisposta(Finestra *finestra, std::function<void(bool)> codice)
{
    return [finestra = QPointer<Finestra>(finestra), codice = std::move(codice)](bool si) {
        if (finestra)
            codice(si);
    };
}
