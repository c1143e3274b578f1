#pragma once

#include <QPushButton>

// A push button whose caption wraps onto as many lines as the button needs, as the long
// captions of the "Lotto" page do. text() stays the whole caption, so keyboard and screen
// readers see it as any other button.
class PulsanteACapo : public QPushButton
{
    Q_OBJECT

public:
    PulsanteACapo(const QString &caption, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};
