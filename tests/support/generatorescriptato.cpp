#include "generatorescriptato.h"

float GeneratoreScriptato::prossimo()
{
    if (!m_valori.isEmpty())
        return m_valori.takeFirst();
    m_dopo = (m_dopo + 1) % 90;
    return (float(m_dopo) + 0.5f) / 90.0f;
}

void GeneratoreScriptato::estrazione(const QList<int> &numeri)
{
    for (int n : numeri)
        m_valori << (float(n) - 0.5f) / 90.0f;
}

QList<int> GeneratoreScriptato::numeriCon(const QMap<int, QList<int>> &wheels)
{
    QList<int> numbers;
    for (int w = 0; w < 10; ++w) {
        QList<int> wheel = wheels.value(w);
        for (int filler = 60; wheel.size() < 5; ++filler) {
            if (!wheel.contains(filler))
                wheel << filler;
        }
        numbers += wheel;
    }
    return numbers;
}
