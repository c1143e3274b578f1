#pragma once

#include <QCheckBox>

// A check box that answers a click anywhere in its rectangle, as the editor's boxes always
// have, not only on the small square and its caption.
class CasellaSpunta : public QCheckBox
{
    Q_OBJECT

public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
};
