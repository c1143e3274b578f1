#include "fakeavvisi.h"

#include <utility>

namespace {

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

void FakeAvvisi::mostra(std::string_view testo, std::string_view titolo)
{
    m_boxes << Box{fromView(testo), fromView(titolo), false};
}

bool FakeAvvisi::chiedi(std::string_view testo, std::string_view titolo)
{
    m_boxes << Box{fromView(testo), fromView(titolo), true};
    if (m_risposte.isEmpty()) {
        ++m_senzaRisposta;
        return false;
    }
    return m_risposte.takeFirst();
}

QList<FakeAvvisi::Box> FakeAvvisi::take()
{
    return std::exchange(m_boxes, {});
}
