#include "immagine.h"

#include <QPainter>
#include <QSvgRenderer>

Immagine::Immagine(const QString &resource, const QString &accessibleName, QWidget *parent)
    : QWidget(parent), m_renderer(new QSvgRenderer(resource, this))
{
    setAccessibleName(accessibleName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QPixmap Immagine::pixmap(const QString &resource, QSize size, qreal devicePixelRatio)
{
    QPixmap picture(size * devicePixelRatio);
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&picture);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return picture;
}

void Immagine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_renderer->render(&painter, rect());
}
