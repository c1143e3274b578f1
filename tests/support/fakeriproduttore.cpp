#include "fakeriproduttore.h"

#include "sound/catalogo.h"

void FakeRiproduttore::suona(const std::string &percorso)
{
    QString path = QString::fromStdString(percorso);
    const QString root = QString::fromUtf8(catalogo::kRadice.data(), catalogo::kRadice.size());
    if (path.startsWith(root))
        path.remove(0, root.size());
    m_suonati << path;
}

QStringList FakeRiproduttore::take()
{
    return std::exchange(m_suonati, {});
}
