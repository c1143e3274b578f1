#include "immagine.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResource>
#include <QSvgRenderer>

#include <algorithm>
#include <cstdint>
#include <cstring>

Immagine::Immagine(const QString &resource, const QString &accessibleName, QWidget *parent,
                   const QString &pronta)
    : QWidget(parent), m_risorsa(resource), m_risorsaPronta(pronta)
{
    setAccessibleName(accessibleName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Immagine::paintEvent(QPaintEvent *event)
{
    const qreal ratio = devicePixelRatioF();
    if (usaPronta() && disegnaPronta(event->rect()))
        return;
    // Not usable here (other faces, another size or density): the SVG from now on.
    m_pronta = nullptr;
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

namespace {

std::uint32_t word(const uchar *data, qsizetype index)
{
    std::uint32_t value;
    std::memcpy(&value, data + index * qsizetype(sizeof value), sizeof value);
    return value;
}

constexpr qsizetype kHeadWords = 4; // "Z56S", width, height, rows a strip

} // namespace

bool Immagine::usaPronta()
{
    if (m_risorsaPronta.isEmpty() || devicePixelRatioF() != 1)
        return false;
    if (m_pronta)
        return m_misuraPronta == size();
    const QResource resource(m_risorsaPronta);
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression ||
        resource.size() < kHeadWords * 4)
        return false;
    const uchar *data = resource.data();
    const QSize drawn{int(word(data, 1)), int(word(data, 2))};
    const int rows = int(word(data, 3));
    if (word(data, 0) != 0x5336355AU || drawn != size() || rows <= 0)
        return false;
    const qsizetype strips = (drawn.height() + rows - 1) / rows;
    if (resource.size() < (kHeadWords + strips + 1) * 4 ||
        word(data, kHeadWords + strips) != resource.size())
        return false;
    for (qsizetype strip = 0; strip < strips; ++strip) {
        if (word(data, kHeadWords + strip) >= word(data, kHeadWords + strip + 1))
            return false;
    }
    m_pronta = data;
    m_misuraPronta = drawn;
    m_righeStriscia = rows;
    return true;
}

// Unpacks the strips that meet `area` straight onto the control, one at a time: the pixels
// are never held whole.
bool Immagine::disegnaPronta(const QRect &area)
{
    const qsizetype row = (qsizetype(m_misuraPronta.width()) * 2 + 3) / 4 * 4;
    const int first = std::max(area.top(), 0) / m_righeStriscia;
    const int last = std::min(area.bottom(), m_misuraPronta.height() - 1) / m_righeStriscia;
    QPainter painter(this);
    for (int strip = first; strip <= last; ++strip) {
        const std::uint32_t from = word(m_pronta, kHeadWords + strip);
        const std::uint32_t to = word(m_pronta, kHeadWords + strip + 1);
        const int top = strip * m_righeStriscia;
        const int rows = std::min(m_righeStriscia, m_misuraPronta.height() - top);
        const QByteArray pixels = qUncompress(m_pronta + from, qsizetype(to - from));
        if (pixels.size() != row * rows)
            return false;
        painter.drawImage(0, top,
                          QImage(reinterpret_cast<const uchar *>(pixels.constData()),
                                 m_misuraPronta.width(), rows, row, QImage::Format_RGB16));
    }
    return true;
}
