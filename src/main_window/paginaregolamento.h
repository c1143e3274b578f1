#pragma once

#include <QGroupBox>

#include <array>

class QScrollBar;
class QTextBrowser;

// The "Regolamento" page: four pages of the rules, leafed through with a scroll bar.
class PaginaRegolamento : public QGroupBox
{
    Q_OBJECT

public:
    explicit PaginaRegolamento(QWidget *parent);

protected:
    // The pages are read from the resources the first time the rules are shown.
    void showEvent(QShowEvent *event) override;

private:
    // Shows the rules page of the scroll bar's value, hides the others.
    void VScroll_Change(int value);

    std::array<QTextBrowser *, 4> m_pagine; // OLE(0..3)
    bool m_caricate = false;
};
