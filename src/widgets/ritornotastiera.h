#pragma once

#include <QObject>

// Watches a window of the game's that another opened: once it is hidden or closed, the window
// that opened it takes the keyboard back, so a player on keys alone goes on where they were,
// whatever the desktop's window manager does (or without one).
class RitornoTastiera : public QObject
{
    Q_OBJECT

public:
    // Owned by the window it watches.
    static void installa(QWidget *finestra);

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    using QObject::QObject;
};
