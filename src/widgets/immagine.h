#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

class QSvgRenderer;

// A picture of the game, drawn from its SVG resource at whatever size the control has.
class Immagine : public QWidget
{
    Q_OBJECT

public:
    Immagine(const QString &resource, const QString &accessibleName, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QSvgRenderer *m_renderer;
    QPixmap m_disegno; // drawn once for the control's size, then only copied
};
