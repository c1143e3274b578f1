#pragma once

#include "shared/riproduttore.h"

#include <QStringList>

// Records which recordings were played, in order, and plays nothing.
class FakeRiproduttore : public Riproduttore
{
public:
    void suona(const std::string &percorso) override;

    // The recordings played, below the sound root ("Lotto\click.wav"), since the last take().
    QStringList take();
    const QStringList &suonati() const { return m_suonati; }

private:
    QStringList m_suonati;
};
