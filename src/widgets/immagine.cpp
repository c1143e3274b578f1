#include "immagine.h"

#include <QPainter>
#include <QSvgRenderer>

Immagine::Immagine(const QString &resource, const QString &accessibleName, QWidget *parent)
    : QWidget(parent), m_renderer(new QSvgRenderer(resource, this))
{
    setAccessibleName(accessibleName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Immagine::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    if (m_disegno.size() != size() * ratio || m_disegno.devicePixelRatio() != ratio) {
        m_disegno = QPixmap(size() * ratio);
        m_disegno.setDevicePixelRatio(ratio);
        m_disegno.fill(Qt::transparent);
        QPainter canvas(&m_disegno);
        m_renderer->render(&canvas, QRectF(QPointF(0, 0), QSizeF(size())));
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_disegno);
}
