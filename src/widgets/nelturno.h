#pragma once

#include "shared/modulo.h"

#include <QPointer>

#include <functional>
#include <type_traits>

// Makes a slot that runs a window's handler in the player's turn (see TurnoGiocatore): at once,
// or after the wait under way when the action comes while a recording plays or a box is open.
// The handler takes the signal's arguments if it wants them; a window gone meanwhile is left
// alone.
template <typename Finestra, typename Gestore>
auto nelTurno(Modulo &modulo, Finestra *finestra, Gestore gestore)
{
    return [&modulo, finestra = QPointer<Finestra>(finestra), gestore](auto... argomenti) {
        modulo.turno().esegui([finestra, gestore, argomenti...] {
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
