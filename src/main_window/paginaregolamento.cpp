#include "paginaregolamento.h"

#include "widgets/stilegioco.h"
#include "widgets/twips.h"

#include <QScrollBar>
#include <QTextBrowser>

PaginaRegolamento::PaginaRegolamento(QWidget *parent)
    : QGroupBox(QStringLiteral("Regolamento"), parent)
{
    setObjectName(QStringLiteral("frmLotto_3"));
    setFont(stile::comic());
    resize(twips(10215), twips(6615));
    for (int i = 0; i < 4; ++i) {
        auto *page = new QTextBrowser(this);
        page->setObjectName(QStringLiteral("OLE_%1").arg(i));
        page->setOpenLinks(false);
        page->setGeometry(i == 0 ? twipsRect(570, 690, 8895, 5055)
                                 : twipsRect(600, 720, 8895, 5055));
        page->setAccessibleName(QStringLiteral("Regole del gioco, pagina %1 di 4").arg(i + 1));
        page->setVisible(i == 0);
        m_pagine[std::size_t(i)] = page;
    }
    auto *scroll = new QScrollBar(Qt::Vertical, this);
    scroll->setObjectName(QStringLiteral("VScroll"));
    scroll->setGeometry(twipsRect(9480, 720, 255, 5055));
    // Its value is the page's number, which a screen reader says as the page turns.
    scroll->setRange(1, 4);
    scroll->setSingleStep(1);
    scroll->setPageStep(1);
    scroll->setAccessibleName(QStringLiteral("Pagina del regolamento"));
    scroll->setFocusPolicy(Qt::TabFocus); // the arrows and Page keys turn the pages
    // valueChanged also follows the thumb while it is dragged.
    connect(scroll, &QScrollBar::valueChanged, this, &PaginaRegolamento::VScroll_Change);
}

void PaginaRegolamento::VScroll_Change(int value)
{
    for (int i = 0; i < 4; ++i)
        m_pagine[std::size_t(i)]->setVisible(i + 1 == value);
}

void PaginaRegolamento::showEvent(QShowEvent *event)
{
    QGroupBox::showEvent(event);
    if (m_caricate)
        return;
    m_caricate = true;
    for (int i = 0; i < 4; ++i)
        m_pagine[std::size_t(i)]->setSource(
            QUrl(QStringLiteral("qrc:/regolamento/pagina%1.html").arg(i + 1)));
}
