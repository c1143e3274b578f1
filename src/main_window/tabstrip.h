#pragma once

#include <QFrame>

class QTabBar;

// The strip of four tabs that switches the main window's pages. A click on any tab, the
// selected one included, is reported once with the tab's number from 1; a change of tab made
// with the keyboard is reported the same way.
class TabStrip : public QFrame
{
    Q_OBJECT

public:
    explicit TabStrip(QWidget *parent);

    // The selected tab's number, from 1.
    int selezionata() const;
    // Selects the tab so many steps on (back, when negative), round from the last to the first.
    void gira(int passo);

Q_SIGNALS:
    void Click(int numero);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void adatta();
    void tabClicked(int index);
    void currentChanged(int index);

    QTabBar *m_tabs;
    int m_clickInCorso = -1; // the tab a click is selecting, while it does so
};
