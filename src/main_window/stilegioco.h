#pragma once

#include <QFont>
#include <QLabel>
#include <QString>

// The look shared by the main window's pages.
namespace stile {

// Labels, frames and captioned buttons use the same rounded hand-written face.
QFont comic(int pointSize = 10);

inline constexpr const char *kGiallo = "color: #FFFF00;";
inline constexpr const char *kGialloPallido = "color: #FFFFC0;";

// A transparent label that sizes itself to its text, placed in twips.
QLabel *etichetta(const QString &name, const QString &text, int left, int top, const char *colour,
                  QWidget *parent);
// The part of a frame below its caption, where a page's picture goes.
QRect sottoIlTitolo(const QWidget *frame);
// Sets a label's text and lets it size itself again.
void scrivi(QLabel *label, const QString &text);

} // namespace stile
