#include "immagine.h"

#include <QPainter>
#include <QResource>
#include <QSvgRenderer>

#include <cstdint>
#include <cstring>

Immagine::Immagine(const QString &resource, const QString &accessibleName, QWidget *parent,
                   const QString &pronta)
    : QWidget(parent), m_risorsa(resource), m_pronta(pronta)
{
    setAccessibleName(accessibleName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Immagine::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    if ((m_disegno.size() != size() * ratio || m_disegno.devicePixelRatio() != ratio) &&
        !copiaPronta()) {
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

bool Immagine::copiaPronta()
{
    if (m_pronta.isEmpty() || devicePixelRatioF() != 1)
        return false;
    const QResource resource(m_pronta);
    std::uint32_t header[3];
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression ||
        resource.size() < qint64(sizeof header))
        return false;
    std::memcpy(header, resource.data(), sizeof header);
    const QSize drawn{int(header[1]), int(header[2])};
    if (header[0] != 0x4752415AU || drawn != size() ||
        resource.size() != qint64(sizeof header) + qint64(drawn.width()) * drawn.height() * 4)
        return false;
    QImage image(drawn, QImage::Format_ARGB32_Premultiplied);
    std::memcpy(image.bits(), resource.data() + sizeof header, std::size_t(image.sizeInBytes()));
    m_disegno = QPixmap::fromImage(std::move(image));
    return true;
}
