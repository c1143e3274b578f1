#pragma once

#include <QMainWindow>

// The game's main window: it owns the game for the whole run.
class Form_gioco : public QMainWindow
{
    Q_OBJECT

public:
    explicit Form_gioco(QWidget *parent = nullptr);
};
