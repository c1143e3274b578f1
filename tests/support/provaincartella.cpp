#include "provaincartella.h"

#include <QTest>

void ProvaInCartella::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}
