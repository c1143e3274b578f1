#pragma once

#include "shared/riproduttore.h"
#include "sound/radicesuoni.h"

#include <QStringList>

#include <functional>
#include <utility>

// Plays nothing: records the recordings asked for, below the sound root ("Lotto\click.wav").
class FakeRiproduttore : public Riproduttore
{
public:
    void suona(const std::string &percorso) override
    {
        m_suonati << QString::fromStdString(percorso).remove(0, RadiceSuoni::kRadice.size());
        if (accanto)
            m_suonati << accanto();
    }
    // When set, what it gives is noted after each recording, as it is when the recording starts.
    std::function<QString()> accanto;
    QStringList take() { return std::exchange(m_suonati, {}); }
    const QStringList &suonati() const { return m_suonati; }

private:
    QStringList m_suonati;
};
