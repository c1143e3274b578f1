#pragma once

#include <QObject>

class QWidget;

// Where the toolkit draws the title bars itself (a Wayland desktop that leaves the decorations to
// its clients), the caption is centred on the bar and cut where the bar's buttons start: the
// editor, drawn 360 pixels wide, would lose the end of its points. This widens every window of
// the game until its caption is read whole, when it is shown and when its caption changes; a
// window drawn to a fixed size keeps its contents in the middle and its backdrop across. Where
// the desktop draws the title bars, nothing changes.
class TitoloIntero : public QObject
{
    Q_OBJECT

public:
    explicit TitoloIntero(QObject *parent);

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    // The width `finestra` needs for its caption to be read whole on a title bar the toolkit
    // draws; 0 where the desktop draws the bar.
    static int larghezzaPerIlTitolo(const QWidget *finestra);
    static void allarga(QWidget *finestra, int larghezza);
};
