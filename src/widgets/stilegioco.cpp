#include "stilegioco.h"

#include "widgets/twips.h"

#include <QPalette>

#include <cstring>

namespace stile {

void installaSostituzioniCaratteri()
{
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Sans Serif"));
    // The pictures name their face as the list "Comic Sans MS, Comic Neue, sans-serif", which
    // the SVG renderer takes whole as one family name. No font has that name: their lettering
    // fell back to the desktop's sans serif, and loaded its bold and bold oblique faces for it.
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS, Comic Neue, sans-serif"),
                              QStringLiteral("Comic Neue"));
}

QFont sansSerif()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    font.setBold(false);
    font.setItalic(false);
    return font;
}

QFont comic(int pointSize)
{
    QFont font(QStringLiteral("Comic Sans MS"), pointSize);
    font.setStyleHint(QFont::Fantasy);
    return font;
}

void coloraTesto(QWidget *widget, const char *colour)
{
    const char *hash = std::strchr(colour, '#');
    Q_ASSERT(hash && std::strlen(hash) >= 7);
    QPalette palette = widget->palette();
    palette.setColor(widget->foregroundRole(), QColor(QLatin1StringView(hash, 7)));
    widget->setPalette(palette);
}

QLabel *etichetta(const QString &name, const QString &text, int left, int top, const char *colour,
                  QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(comic());
    coloraTesto(label, colour);
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
