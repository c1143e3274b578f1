#include "stilegioco.h"

#include "widgets/twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QPalette>
#include <QPushButton>
#include <QStyleOptionButton>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace stile {

namespace {

// Real faces a Debian desktop has, in order, for the plain "MS Sans Serif" of the windows and
// after the hand-written face. Faces are always named: a style hint alone lets fontconfig pick
// whatever it maps the hint to (for "fantasy", a dingbat face).
const QStringList kSansSerif{QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans"),
                             QStringLiteral("Liberation Sans")};

} // namespace

void installaSostituzioniCaratteri()
{
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), kSansSerif);
    // The pictures name their face as the list "Comic Sans MS, Comic Neue, sans-serif", which
    // the SVG renderer takes whole as one family name. No font has that name: their lettering
    // fell back to the desktop's sans serif, and loaded its bold and bold oblique faces for it.
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS, Comic Neue, sans-serif"),
                              QStringLiteral("Comic Neue"));
}

void impostaScala(double scala)
{
    static const QFont comeDisegnato = QApplication::font();
    scalaDisegno() = scala;
    QFont font = comeDisegnato;
    font.setPointSizeF(comeDisegnato.pointSizeF() * scala);
    QApplication::setFont(font);
}

double punti(double comeDisegnato)
{
    return comeDisegnato * scalaDisegno();
}

QFont sansSerif()
{
    QFont font;
    font.setFamilies(QStringList{QStringLiteral("MS Sans Serif")} + kSansSerif);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(punti(8.25));
    font.setBold(false);
    font.setItalic(false);
    return font;
}

QFont stretta()
{
    QFont font;
    font.setFamilies(QStringList{QStringLiteral("Nimbus Sans Narrow"),
                                 QStringLiteral("DejaVu Sans Condensed"),
                                 QStringLiteral("Liberation Sans Narrow")} +
                     kSansSerif);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(punti(8.25));
    return font;
}

QFont comic(int pointSize)
{
    QFont font;
    font.setFamilies(QStringList{QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")} +
                     kSansSerif);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(punti(pointSize));
    return font;
}

void adattaTesti(QWidget *window)
{
    const qreal kPiuPiccolo = punti(6);
    // The size at which each caption fits.
    std::vector<std::pair<QAbstractButton *, qreal>> adatti;
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
        if (button->text().isEmpty())
            continue;
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const auto element = qobject_cast<QCheckBox *>(button) ? QStyle::SE_CheckBoxContents
                                                               : QStyle::SE_PushButtonContents;
        // A little room on each side, as the style leaves around a caption.
        const int room = button->style()->subElementRect(element, &option, button).width() - 4;
        // A button whose caption takes turns is fitted to the longest it takes.
        QStringList captions = button->property(kDidascalie).toStringList();
        captions << button->text();
        QFont font = button->font();
        const auto widest = [&] {
            int most = 0;
            for (const QString &caption : captions)
                most = std::max(most, QFontMetrics(font).horizontalAdvance(caption));
            return most;
        };
        while (widest() > room && font.pointSizeF() > kPiuPiccolo)
            font.setPointSizeF(font.pointSizeF() - 0.25);
        adatti.emplace_back(button, font.pointSizeF());
    }
    // Controls of one kind side by side in a row, or one above the other in a column, are read
    // together: they take the smallest size any of them needs.
    const auto insieme = [](const QWidget *a, const QWidget *b) {
        return a->parentWidget() == b->parentWidget() && a->metaObject() == b->metaObject() &&
               a->font() == b->font() && (a->y() == b->y() || a->x() == b->x());
    };
    std::vector<qreal> comuni;
    for (const auto &[button, proprio] : adatti) {
        qreal corpo = proprio;
        for (const auto &[altro, suo] : adatti)
            if (insieme(button, altro))
                corpo = std::min(corpo, suo);
        comuni.push_back(corpo);
    }
    for (std::size_t i = 0; i < adatti.size(); ++i)
        if (QAbstractButton *button = adatti[i].first; comuni[i] != button->font().pointSizeF()) {
            QFont font = button->font();
            font.setPointSizeF(comuni[i]);
            button->setFont(font);
        }
}

void pulsantiConInvio(QWidget *window)
{
    for (QPushButton *button : window->findChildren<QPushButton *>())
        button->setAutoDefault(true);
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
