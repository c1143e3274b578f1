#pragma once

#include "shared/riproduttore.h"
#include "sound/catalogo.h"

#include <QStringList>

#include <utility>

// Records which recordings were played, in order, and plays nothing.
class FakeRiproduttore : public Riproduttore
{
public:
    void suona(const std::string &percorso) override
    {
        const QString path = QString::fromStdString(percorso);
        const auto root = QString::fromUtf8(catalogo::kRadice.data(), catalogo::kRadice.size());
        m_suonati << (path.startsWith(root) ? path.mid(root.size()) : path);
    }

    // The recordings played, below the sound root ("Lotto\click.wav"), since the last take().
    QStringList take() { return std::exchange(m_suonati, {}); }
    const QStringList &suonati() const { return m_suonati; }

private:
    QStringList m_suonati;
};
