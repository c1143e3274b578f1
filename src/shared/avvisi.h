#pragma once

#include <string_view>

// Modal message boxes, with no icon: an OK box, or a Yes/No question.
class Avvisi
{
public:
    virtual ~Avvisi() = default;
    virtual void mostra(std::string_view testo, std::string_view titolo) = 0;
    // True for Yes.
    virtual bool chiedi(std::string_view testo, std::string_view titolo) = 0;
};
