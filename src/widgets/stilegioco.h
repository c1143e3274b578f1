#pragma once

#include <QFont>
#include <QLabel>
#include <QString>

// The look shared by the main window's pages.
namespace stile {

// The windows were drawn with Comic Sans MS and MS Sans Serif: on Linux they take Comic Neue
// and the desktop's sans serif. The pictures' lettering takes Comic Neue too.
void installaSostituzioniCaratteri();

// A whole game smaller than drawn, in the same proportions: positions and sizes in twips, the
// game's faces and the desktop's (menus, tabs, message boxes). Before any window is made.
void impostaScala(double scala);
// A face's size in points as drawn, at the game's scale.
double punti(double comeDisegnato);

// Labels, frames and captioned buttons use the same rounded hand-written face.
QFont comic(int pointSize = 10);

// The plain face of the secondary windows' controls (MS Sans Serif 8.25 as drawn), upright
// and regular whatever the window around it uses.
QFont sansSerif();

// The narrow plain face of the ticket lists, at the design's size: the lists are narrow, and a
// title of 20 characters must show whole.
QFont stretta();

// The labels' text colours, written as style-sheet rules.
inline constexpr const char *kGiallo = "color: #FFFF00;";
inline constexpr const char *kGialloPallido = "color: #FFFFC0;";

// Gives a control's text one of the colours above through its palette. A style sheet of its own
// would cost each label a style of its own to build and polish: several times the label itself.
void coloraTesto(QWidget *widget, const char *colour);

// Enter presses the focused button as Space does, in any window, not only in dialogs.
void pulsantiConInvio(QWidget *window);

// Buttons and check boxes keep the sizes they were drawn with; where a caption would not fit in
// the desktop's faces, its face shrinks until the whole caption shows, and so do the faces of its
// kind beside it in its row or below it in its column. Run when the window is first shown, so
// that a hidden window measures nothing.
void adattaTesti(QWidget *window);
// The property that lists the other captions a button takes in turn, for adattaTesti.
inline constexpr const char *kDidascalie = "didascalieAlterne";

// A transparent label that sizes itself to its text, placed in twips.
QLabel *etichetta(const QString &name, const QString &text, int left, int top, const char *colour,
                  QWidget *parent);
// The part of a frame below its caption, where a page's picture goes.
QRect sottoIlTitolo(const QWidget *frame);
// Sets a label's text and lets it size itself again.
void scrivi(QLabel *label, const QString &text);

} // namespace stile
