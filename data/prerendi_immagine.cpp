// Draws a picture of the game at build time, at the size the window shows it, so that the first
// frame only copies pixels instead of laying out the picture's lettering. Writes "Z565", the
// width and the height (32-bit little-endian) and the rows in 16-bit RGB, dithered, each padded
// to four bytes: the picture
// is opaque, and half the bytes are half the memory the game touches to show it.
//   prerendi_immagine SVG OUTPUT   (the picture under the caption of a page)
#include "widgets/stilegioco.h"
#include "widgets/twips.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdint>
#include <cstdio>

namespace {

// The rows, each padded to a multiple of four bytes as a QImage keeps them.
bool writeRows(QFile &out, const QImage &image)
{
    const qint64 row = (qint64(image.width()) * 2 + 3) / 4 * 4;
    for (int y = 0; y < image.height(); ++y) {
        if (out.write(reinterpret_cast<const char *>(image.constScanLine(y)), row) != row)
            return false;
    }
    return true;
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
    const std::uint32_t header[] = {0x3536355AU, std::uint32_t(size.width()),
                                    std::uint32_t(size.height())};
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(reinterpret_cast<const char *>(header), sizeof header) != sizeof header ||
        !writeRows(out, image))
        return 1;
    return 0;
}
