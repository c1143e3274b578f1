#pragma once

#include "shared/avvisi.h"

// Message boxes as Qt shows them: modal over the active window, no icon.
class AvvisiQt : public Avvisi
{
public:
    void mostra(std::string_view testo, std::string_view titolo) override;
    bool chiedi(std::string_view testo, std::string_view titolo) override;
};
