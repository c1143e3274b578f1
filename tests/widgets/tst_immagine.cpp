#include "widgets/immagine.h"
#include "widgets/stilegioco.h"

#include <QFile>
#include <QPainter>
#include <QResource>
#include <QSvgRenderer>
#include <QTest>

#include <cstring>

namespace {

const QString kDisegno = QStringLiteral(":/immagini/presentazione.svg");
const QString kPronta = QStringLiteral(":/pronte/presentazione.z56s");

// The size the start-up picture was drawn at when the program was built.
QSize misuraPronta()
{
    const QResource resource(kPronta);
    quint32 head[3] = {};
    if (resource.size() >= qint64(sizeof head))
        std::memcpy(head, resource.data(), sizeof head);
    return {int(head[1]), int(head[2])};
}

// The drawing itself at a size, on the control's own background.
QImage disegno(QSize size, const QColor &background)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    QSvgRenderer(kDisegno).render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

// How far two pictures of one size and format are apart, on average over all bytes.
double distanza(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (qsizetype i = 0; i < a.sizeInBytes(); ++i)
        sum += std::abs(a.constBits()[i] - b.constBits()[i]);
    return sum / double(a.sizeInBytes());
}

} // namespace

class TestImmagine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The faces the game gives its pictures' lettering.
    void initTestCase() { stile::installaSostituzioniCaratteri(); }

    // Whatever size the control gets, it shows the drawing at that size: the picture prepared
    // at build time only where its size is the control's.
    void showsTheDrawingAtItsSize_data()
    {
        QTest::addColumn<QSize>("delta");
        QTest::newRow("the prepared size") << QSize(0, 0);
        QTest::newRow("larger") << QSize(60, 40);
        QTest::newRow("smaller") << QSize(-60, -40);
    }
    void showsTheDrawingAtItsSize()
    {
        QFETCH(QSize, delta);
        const QSize prepared = misuraPronta();
        QVERIFY(prepared.width() > 100 && prepared.height() > 100);
        Immagine picture(kDisegno, QStringLiteral("Presentazione"), nullptr, kPronta);
        picture.resize(prepared + delta);
        const QImage shown = picture.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), prepared + delta);
        const QColor background = picture.palette().color(QPalette::Window);
        // The prepared picture keeps 16 bits a pixel: a few levels apart at most.
        const double apart = distanza(shown, disegno(shown.size(), background));
        QVERIFY2(apart < 3, qPrintable(QString::number(apart)));
    }

    // The play button's lettering is drawn in the face and the weight its picture names: closer
    // to Comic Neue Bold than to the face's regular weight or to the desktop's sans serif.
    void letteringInItsFace()
    {
        const QString gioca = QStringLiteral(":/immagini/gioca.svg");
        QFile file(gioca);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray svg = file.readAll();
        const QByteArray named = "Comic Sans MS, Comic Neue, sans-serif";
        Immagine picture(gioca, QString(), nullptr);
        picture.resize(QSize(127, 40) * 4);
        const auto drawn = [&picture](const QByteArray &data) {
            QImage image(picture.size(), QImage::Format_RGB32);
            image.fill(picture.palette().color(QPalette::Window));
            QPainter painter(&image);
            QSvgRenderer(data).render(&painter);
            return image;
        };
        const QImage shown = picture.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const double bold = distanza(shown, drawn(QByteArray(svg).replace(named, "Comic Neue")));
        for (const QByteArray &other :
             {QByteArray(svg).replace(named, "DejaVu Sans"),
              QByteArray(svg).replace(named, "Comic Neue").replace("bold", "normal")})
            QVERIFY2(bold * 2 < distanza(shown, drawn(other)), qPrintable(QString::number(bold)));
    }
};

QTEST_MAIN(TestImmagine)
#include "tst_immagine.moc"
