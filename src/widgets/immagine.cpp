#include "immagine.h"

#include <QPainter>
#include <QResource>
#include <QSvgRenderer>

#include <cstdint>
#include <cstring>

Immagine::Immagine(const QString &resource, const QString &accessibleName, QWidget *parent,
                   const QString &pronta)
    : QWidget(parent), m_risorsa(resource), m_risorsaPronta(pronta)
{
    setAccessibleName(accessibleName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Immagine::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    if (usaPronta()) {
        QPainter(this).drawImage(0, 0, m_pronta);
        return;
    }
    // Not usable here (other faces, another size or density): the SVG from now on.
    m_risorsaPronta.clear();
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

bool Immagine::usaPronta()
{
    if (m_risorsaPronta.isEmpty() || devicePixelRatioF() != 1)
        return false;
    if (!m_pronta.isNull())
        return m_pronta.size() == size();
    const QResource resource(m_risorsaPronta);
    std::uint32_t header[3];
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression ||
        resource.size() < qint64(sizeof header))
        return false;
    std::memcpy(header, resource.data(), sizeof header);
    const QSize drawn{int(header[1]), int(header[2])};
    const qsizetype row = (qsizetype(drawn.width()) * 2 + 3) / 4 * 4;
    if (header[0] != 0x3536355AU || drawn != size() ||
        resource.size() != qint64(sizeof header) + qint64(row) * drawn.height())
        return false;
    // The pixels are read where the program holds them, without a copy.
    const uchar *pixels = resource.data() + sizeof header;
    if (reinterpret_cast<quintptr>(pixels) % alignof(std::uint32_t) != 0)
        return false;
    m_pronta = QImage(pixels, drawn.width(), drawn.height(), row, QImage::Format_RGB16);
    return true;
}
