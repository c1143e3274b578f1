#include "stilegioco.h"

#include "main_window/twips.h"

namespace stile {

QFont comic(int pointSize)
{
    QFont font(QStringLiteral("Comic Sans MS"), pointSize);
    font.setStyleHint(QFont::Fantasy);
    return font;
}

QLabel *etichetta(const QString &name, const QString &text, int left, int top, const char *colour,
                  QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(comic());
    label->setStyleSheet(QString::fromLatin1(colour));
    label->move(twips(left), twips(top));
    label->adjustSize();
    return label;
}

QRect sottoIlTitolo(const QWidget *frame)
{
    const int caption = frame->fontMetrics().height();
    return frame->rect().adjusted(1, caption, -1, -1);
}

void scrivi(QLabel *label, const QString &text)
{
    label->setText(text);
    label->adjustSize();
}

} // namespace stile
