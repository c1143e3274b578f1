#pragma once

#include "shared/avvisi.h"

#include <QList>
#include <QString>

// Answers message boxes for the tests: records each box and answers questions from a queue.
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

    void mostra(std::string_view testo, std::string_view titolo) override;
    // Takes the next queued answer; a question nobody queued an answer for is answered No.
    bool chiedi(std::string_view testo, std::string_view titolo) override;

    void rispondi(bool yes) { m_risposte << yes; }
    QList<Box> take();
    const QList<Box> &boxes() const { return m_boxes; }
    int domandeSenzaRisposta() const { return m_senzaRisposta; }

private:
    QList<Box> m_boxes;
    QList<bool> m_risposte;
    int m_senzaRisposta = 0;
};
