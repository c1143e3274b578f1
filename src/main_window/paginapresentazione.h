#pragma once

#include <QGroupBox>

// The first page: the game's title picture.
class PaginaPresentazione : public QGroupBox
{
    Q_OBJECT

public:
    explicit PaginaPresentazione(QWidget *parent);
};
