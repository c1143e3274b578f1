#pragma once

#include <QValidator>

// The title box holds what the set file can hold: a character Windows-1252 has no byte for
// becomes "?" as it is typed, pasted or dropped, so the player sees the title that will be
// stored and checked.
class ValidatoreTitolo : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override;
};
