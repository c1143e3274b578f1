#pragma once

#include "shared/riproduttore.h"
#include "sound/radicesuoni.h"

#include <QStringList>
#include <QTimer>

#include <functional>
#include <utility>

// Plays nothing: records the recordings asked for, below the sound root ("Lotto\click.wav"),
// each over at once or, when `inTempo`, a moment later, in the event loop as a real one ends.
class FakeRiproduttore : public Riproduttore
{
public:
    void suona(const std::string &percorso, std::function<void()> fine) override
    {
        m_suonati << QString::fromStdString(percorso).remove(0, RadiceSuoni::kRadice.size());
        if (accanto)
            m_suonati << accanto();
        inTempo ? QTimer::singleShot(1, std::move(fine)) : fine();
    }
    bool udibile() const override { return !sordo; }
    bool inTempo = false;
    bool sordo = false; // a machine without an audio output
    // When set, what it gives is noted after each recording, as it is when the recording starts.
    std::function<QString()> accanto;
    QStringList take() { return std::exchange(m_suonati, {}); }
    const QStringList &suonati() const { return m_suonati; }

private:
    QStringList m_suonati;
};
