#include "validatoretitolo.h"

#include "base/codepage1252.h"

QValidator::State ValidatoreTitolo::validate(QString &input, int &pos) const
{
    QString stored;
    stored.reserve(input.size());
    int cursor = pos;
    for (qsizetype i = 0; i < input.size(); ++i) {
        const bool pair =
            input[i].isHighSurrogate() && i + 1 < input.size() && input[i + 1].isLowSurrogate();
        const char32_t code =
            pair ? QChar::surrogateToUcs4(input[i], input[i + 1]) : char32_t(input[i].unicode());
        if (CodePage1252::encode(code) && !input[i].isSurrogate())
            stored += input[i];
        else
            stored += QLatin1Char('?');
        if (pair) {
            if (i < pos)
                --cursor; // two units became one
            ++i;
        }
    }
    input = stored;
    pos = cursor;
    return Acceptable;
}
