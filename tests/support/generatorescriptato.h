#pragma once

#include "engine/generatorecasuale.h"

#include <QList>

#include <array>

// A random source that gives the values a test lines up; once they run out it counts on
// through [0, 1), so a draw always ends.
class GeneratoreScriptato : public GeneratoreCasuale
{
public:
    void semina() override { ++semine; }
    float prossimo() override;

    // The values that make the draw come out as these numbers, 1 to 90, wheel by wheel.
    void estrazione(const QList<int> &numeri);
    void valori(const QList<float> &values) { m_valori += values; }

    int semine = 0;

private:
    QList<float> m_valori;
    int m_dopo = 0;
};
