#pragma once

#include "shared/avvisi.h"

// Message boxes as Qt shows them: over the active window, keeping every window of the game still
// while open, no icon.
class AvvisiQt : public Avvisi
{
public:
    void mostra(std::string_view testo, std::string_view titolo,
                std::function<void()> chiuso) override;
    void chiedi(std::string_view testo, std::string_view titolo,
                std::function<void(bool)> risposta) override;
};
