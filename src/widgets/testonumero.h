#pragma once

#include "base/currency.h"

#include <QString>

#include <string_view>

// The user's decimal point, when it is one plain character; else the point.
char decimalPoint();
// Numbers as the player reads them: the general number format with the user's decimal point.
QString testoNumero(Currency value);
QString testoNumero(double value);

// The core's UTF-8 texts (captions, messages) as Qt strings.
inline QString testoQt(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}
