#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

// A picture of the game, drawn from its SVG resource at whatever size the control has. The
// drawing is read and drawn only when the picture is first shown, so a page that stays hidden
// costs nothing; afterwards only the drawn pixels are kept, at the size shown.
class Immagine : public QWidget
{
    Q_OBJECT

public:
    // `pronta`: the same picture already drawn at build time (see prerendi_immagine), used when
    // the control has exactly its size on a screen of one pixel per pixel.
    Immagine(const QString &resource, const QString &accessibleName, QWidget *parent,
             const QString &pronta = {});

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool usaPronta();
    bool disegnaPronta(const QRect &area);

    QString m_risorsa;
    QString m_risorsaPronta;
    const uchar *m_pronta = nullptr; // the drawing made at build time, where the program holds it
    QSize m_misuraPronta;
    int m_righeStriscia = 0;
    QPixmap m_disegno; // drawn once for the control's size, then only copied
};
