#include "testonumero.h"

#include "base/numberformat.h"

#include <QLocale>

char decimalPoint()
{
    const QString point = QLocale().decimalPoint();
    return point.size() == 1 && point.at(0).unicode() < 0x80 ? point.at(0).toLatin1() : '.';
}

QString testoNumero(Currency value)
{
    return QString::fromStdString(value.toString(decimalPoint()));
}

QString testoNumero(double value)
{
    return QString::fromStdString(formatGeneral(value, decimalPoint()));
}
