#pragma once

#include <QWidget>

// The ticket viewer: one window for the whole run, created hidden by the main window's first
// layout and shown when a ticket is looked at.
class form_guarda : public QWidget
{
    Q_OBJECT

public:
    explicit form_guarda(QWidget *owner);
};
