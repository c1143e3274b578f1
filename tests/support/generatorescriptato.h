#pragma once

#include "engine/generatorecasuale.h"

#include <QList>
#include <QMap>

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
    // A draw with the given numbers first on their wheels and 60, 61... after them.
    void ruote(const QMap<int, QList<int>> &wheels) { estrazione(numeriCon(wheels)); }
    static QList<int> numeriCon(const QMap<int, QList<int>> &wheels);

    int semine = 0;

private:
    QList<float> m_valori;
    int m_dopo = 0;
};
