#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>

class QImage;
class QWidget;

// A frame in the colour of a selection around whichever control has the keyboard's focus, in
// every window of the game, so that the focus shows on each control whatever the style draws
// for it: on pictures, on the play button's picture, on scroll bars. Where that colour would not
// stand out from what lies under the frame (a dark desktop's blue on the Lotto page's blue), the
// frame is black or white instead, whichever stands out more.
// A control on its window's edge has the frame drawn just inside the edge.
class CorniceFocus : public QObject
{
    Q_OBJECT

public:
    explicit CorniceFocus(QObject *parent);

    // The frame's colour over what lies under its band (the edge of `sotto`, two pixels wide):
    // the selection's colour unless black or white stands out 3:1 from many more of its pixels.
    static QColor colore(const QColor &selezione, const QImage &sotto);

private:
    void segui(QWidget *controllo);

    QPointer<QWidget> m_cornice; // lies over the control's parent, made again if that goes
};
