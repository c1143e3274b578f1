#include "paginaregolamento.h"

#include "widgets/stilegioco.h"
#include "widgets/twips.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>

namespace {

constexpr const char *kTitolo = "titolo_regola";

// A screen reader meets each page's headings as headings, to go from one to the next: an empty
// mark over the heading's lines, which the mouse passes through and which draws nothing.
QAccessibleInterface *titoloAccessibile(const QString &classe, QObject *oggetto)
{
    auto *w = qobject_cast<QWidget *>(oggetto);
    return w && classe == QLatin1String("QWidget") &&
                   w->objectName().startsWith(QLatin1String(kTitolo))
               ? new QAccessibleWidget(w, QAccessible::Heading)
               : nullptr;
}

void segnaTitoli(QTextBrowser *pagina, int numero)
{
    QTextDocument *testo = pagina->document();
    QList<std::pair<QWidget *, QTextBlock>> titoli;
    for (QTextBlock blocco = testo->begin(); blocco.isValid(); blocco = blocco.next()) {
        if (blocco.blockFormat().headingLevel() == 0)
            continue;
        auto *titolo = new QWidget(pagina->viewport());
        titolo->setObjectName(
            QStringLiteral("%1_%2_%3").arg(kTitolo).arg(numero).arg(titoli.size()));
        titolo->setAttribute(Qt::WA_TransparentForMouseEvents);
        titolo->setAccessibleName(blocco.text());
        titoli.append({titolo, blocco});
    }
    // Laid out again whenever the page is: shown for the first time, at another width, scrolled.
    const auto colloca = [pagina, testo, titoli] {
        const QPoint scorso(pagina->horizontalScrollBar()->value(),
                            pagina->verticalScrollBar()->value());
        for (const auto &[titolo, blocco] : titoli)
            titolo->setGeometry(
                testo->documentLayout()->blockBoundingRect(blocco).toAlignedRect().translated(
                    -scorso));
    };
    QObject::connect(testo->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged,
                     pagina, colloca);
    QObject::connect(pagina->verticalScrollBar(), &QScrollBar::valueChanged, pagina, colloca);
    colloca();
}

} // namespace

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
    static const bool titoli = [] {
        QAccessible::installFactory(titoloAccessibile);
        return true;
    }();
    Q_UNUSED(titoli);
    for (int i = 0; i < 4; ++i) {
        m_pagine[std::size_t(i)]->setSource(
            QUrl(QStringLiteral("qrc:/regolamento/pagina%1.html").arg(i + 1)));
        segnaTitoli(m_pagine[std::size_t(i)], i);
    }
}
