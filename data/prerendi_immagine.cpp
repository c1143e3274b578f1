// Draws a picture of the game at build time, at the size the window shows it, so that the first
// frame only unpacks pixels instead of laying out the picture's lettering. The picture is opaque:
// its rows are kept in 16-bit RGB, dithered, each padded to four bytes as a QImage keeps them,
// and packed in strips of a few rows, each compressed on its own, so that a repaint of part of
// the picture unpacks only the strips it covers. The file: "Z56S", the width, the height and the
// rows a strip, then the offset of each strip and the end of the last (all 32-bit
// little-endian, offsets from the file's start), then the strips as qCompress writes them.
//   prerendi_immagine SVG OUTPUT   (the picture under the caption of a page)
#include "widgets/stilegioco.h"
#include "widgets/twips.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRowsAStrip = 16;

// The picture's header, the strips' offsets and the compressed strips, in that order.
QByteArray packed(const QImage &image)
{
    const qsizetype row = (qsizetype(image.width()) * 2 + 3) / 4 * 4;
    const int strips = (image.height() + kRowsAStrip - 1) / kRowsAStrip;
    std::vector<std::uint32_t> head{0x5336355AU /* "Z56S" */, std::uint32_t(image.width()),
                                    std::uint32_t(image.height()), kRowsAStrip};
    QByteArray body;
    const std::uint32_t start = std::uint32_t((head.size() + strips + 1) * sizeof(std::uint32_t));
    for (int first = 0; first < image.height(); first += kRowsAStrip) {
        head.push_back(start + std::uint32_t(body.size()));
        const int rows = std::min(kRowsAStrip, image.height() - first);
        body += qCompress(reinterpret_cast<const uchar *>(image.constScanLine(first)),
                          qsizetype(row) * rows, 9);
    }
    head.push_back(start + std::uint32_t(body.size()));
    return QByteArray(reinterpret_cast<const char *>(head.data()),
                      qsizetype(head.size() * sizeof(std::uint32_t))) +
           body;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "uso: prerendi_immagine SVG USCITA\n");
        return 2;
    }
    stile::installaSostituzioniCaratteri();
    QGroupBox page(QStringLiteral("Presentazione"));
    page.setFont(stile::comic());
    page.resize(twips(10215), twips(6615));
    const QSize size = stile::sottoIlTitolo(&page).size();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QSvgRenderer(QString::fromLocal8Bit(argv[1])).render(&painter, QRectF(QPointF(), size));
    painter.end();
    image = image.convertToFormat(QImage::Format_RGB16, Qt::DiffuseDither | Qt::PreferDither);
    QFile out(QString::fromLocal8Bit(argv[2]));
    const QByteArray file = packed(image);
    if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size())
        return 1;
    return 0;
}
