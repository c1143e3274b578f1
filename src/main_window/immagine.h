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

    static QPixmap pixmap(const QString &resource, QSize size, qreal devicePixelRatio);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QSvgRenderer *m_renderer;
};
