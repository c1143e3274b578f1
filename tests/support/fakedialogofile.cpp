#include "fakedialogofile.h"

void FakeDialogoFile::rispondi(const QString &kind)
{
    mostrati << kind + QStringLiteral(": ") + QString::fromStdString(m_filtro);
    if (m_risposte.isEmpty()) {
        ++senzaRisposta;
        return;
    }
    const QString answer = m_risposte.takeFirst();
    if (!answer.isEmpty())
        m_nome = answer.toStdString();
}
