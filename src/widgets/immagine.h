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
    Immagine(const QString &resource, const QString &accessibleName, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_risorsa;
    QPixmap m_disegno; // drawn once for the control's size, then only copied
};
