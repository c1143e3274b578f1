#include "testocondiviso.h"

#include <utility>

TestoCondiviso::TestoCondiviso(TestoGrande testo)
    : m_testo(std::make_shared<TestoGrande>(std::move(testo)))
{}

void TestoCondiviso::reserve(std::size_t quanti)
{
    proprio().reserve(quanti);
}

void TestoCondiviso::append(std::string_view testo)
{
    proprio().append(testo);
}

void TestoCondiviso::erase(std::size_t da, std::size_t quanti)
{
    if (m_testo && m_testo.use_count() > 1) {
        const std::string_view tutto(*this);
        auto resto = std::make_shared<TestoGrande>();
        resto->reserve(tutto.size() - quanti);
        resto->append(tutto.substr(0, da)).append(tutto.substr(da + quanti));
        m_testo = std::move(resto);
        return;
    }
    proprio().erase(da, quanti);
}

TestoGrande &TestoCondiviso::proprio()
{
    if (!m_testo)
        m_testo = std::make_shared<TestoGrande>();
    else if (m_testo.use_count() > 1)
        m_testo = std::make_shared<TestoGrande>(*m_testo);
    return *m_testo;
}
