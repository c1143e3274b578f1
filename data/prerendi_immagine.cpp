// Draws a picture of the game at build time, at the size the window shows it, so that the first
// frame only copies pixels instead of laying out the picture's lettering. Writes "ZARG", the
// width and the height (32-bit little-endian) and the premultiplied ARGB32 rows.
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
    QFile out(QString::fromLocal8Bit(argv[2]));
    const std::uint32_t header[] = {0x4752415AU, std::uint32_t(size.width()),
                                    std::uint32_t(size.height())};
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(reinterpret_cast<const char *>(header), sizeof header) != sizeof header ||
        out.write(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()) !=
            image.sizeInBytes())
        return 1;
    return 0;
}
