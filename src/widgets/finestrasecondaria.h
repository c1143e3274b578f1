#pragma once

#include <QWidget>

class QAbstractButton;

// A secondary window of the game, the editor or the viewer: not modal, hidden rather than
// destroyed. Hidden, it gives the keyboard back to the window that opened it; each activation is
// told to its owner, which places it; Escape leaves it as its own exit button does.
class FinestraSecondaria : public QWidget
{
    Q_OBJECT

public:
    explicit FinestraSecondaria(QWidget *parent);

Q_SIGNALS:
    // The window became the active one: its owner places it.
    void attivata();

protected:
    // The button that Escape presses.
    void esceCon(QAbstractButton *esci) { m_esci = esci; }
    // What the window itself does each time it becomes the active one, before its owner is told.
    virtual void Form_Activate() {}

    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QAbstractButton *m_esci = nullptr;
};
