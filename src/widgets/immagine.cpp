#include "immagine.h"

#include <QPainter>
#include <QSvgRenderer>

Immagine::Immagine(const QString &resource, const QString &accessibleName, QWidget *parent)
    : QWidget(parent), m_risorsa(resource)
{
    setAccessibleName(accessibleName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Immagine::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    if (m_disegno.size() != size() * ratio || m_disegno.devicePixelRatio() != ratio) {
        // A new size, rare for these fixed pages, reads the drawing again rather than keeping
        // its parsed document for the whole run.
        QSvgRenderer renderer(m_risorsa);
        m_disegno = QPixmap(size() * ratio);
        m_disegno.setDevicePixelRatio(ratio);
        m_disegno.fill(Qt::transparent);
        QPainter canvas(&m_disegno);
        renderer.render(&canvas, QRectF(QPointF(0, 0), QSizeF(size())));
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_disegno);
}
