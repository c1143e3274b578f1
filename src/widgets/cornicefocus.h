#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// A frame in the colour of a selection around whichever control has the keyboard's focus, in
// every window of the game, so that the focus shows on each control whatever the style draws
// for it: on pictures, on the play button's picture, on scroll bars.
class CorniceFocus : public QObject
{
    Q_OBJECT

public:
    explicit CorniceFocus(QObject *parent);

private:
    void segui(QWidget *controllo);

    QPointer<QWidget> m_cornice; // lies over the control's parent, made again if that goes
};
