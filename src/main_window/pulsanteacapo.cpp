#include "pulsanteacapo.h"

#include <QStyleOptionButton>
#include <QStylePainter>

PulsanteACapo::PulsanteACapo(const QString &caption, QWidget *parent) : QPushButton(caption, parent)
{}

void PulsanteACapo::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, text());
}
