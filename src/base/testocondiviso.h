#pragma once

#include "base/allocatoregrande.h"

#include <cstddef>
#include <memory>
#include <string_view>

// A large text that copies share until one of them is changed. A loaded set's titles are
// tens of megabytes: the index of the set and the list that shows them hold the same bytes
// once, and a list handed on whole is never copied.
class TestoCondiviso
{
public:
    TestoCondiviso() = default;
    explicit TestoCondiviso(TestoGrande testo);

    std::size_t size() const { return m_testo ? m_testo->size() : 0; }
    bool empty() const { return size() == 0; }
    const char *data() const { return m_testo ? m_testo->data() : ""; }
    operator std::string_view() const { return {data(), size()}; }

    void reserve(std::size_t quanti);
    void append(std::string_view testo);
    // Without the `quanti` characters from `da`; a shared text is copied without them at once.
    void erase(std::size_t da, std::size_t quanti);

private:
    // The text for a change: this copy's own from now on.
    TestoGrande &proprio();

    std::shared_ptr<TestoGrande> m_testo;
};
