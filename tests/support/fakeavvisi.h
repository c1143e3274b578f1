#pragma once

#include "shared/avvisi.h"

#include <QList>
#include <QString>

#include <utility>

// Records each message box, and answers questions from a queue (No when it is empty).
class FakeAvvisi : public Avvisi
{
public:
    struct Box
    {
        QString testo;
        QString titolo;
        bool domanda = false;
        bool operator==(const Box &) const = default;
    };

    void mostra(std::string_view testo, std::string_view titolo,
                std::function<void()> chiuso) override
    {
        m_boxes << Box{qt(testo), qt(titolo), false};
        chiuso();
    }
    void chiedi(std::string_view testo, std::string_view titolo,
                std::function<void(bool)> risposta) override
    {
        m_boxes << Box{qt(testo), qt(titolo), true};
        risposta(!m_risposte.isEmpty() && m_risposte.takeFirst());
    }
    void rispondi(bool yes) { m_risposte << yes; }
    QList<Box> take() { return std::exchange(m_boxes, {}); }
    const QList<Box> &boxes() const { return m_boxes; }

private:
    static QString qt(std::string_view s) { return QString::fromUtf8(s.data(), s.size()); }

    QList<Box> m_boxes;
    QList<bool> m_risposte;
};
