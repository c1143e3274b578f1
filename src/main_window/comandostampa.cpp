#include "comandostampa.h"

#include "engine/partita.h"
#include "main_window/sceltastampante.h"
#include "shared/modulo.h"
#include "sound/suonaomostra.h"
#include "stampa/impaginazione.h"
#include "widgets/testonumero.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QWidget>

#include <algorithm>

ComandoStampa::ComandoStampa(Partita &partita, Modulo &modulo, SceltaStampante &scelta,
                             QWidget *finestra)
    : QObject(finestra), m_partita(partita), m_modulo(modulo), m_scelta(scelta),
      m_finestra(finestra)
{}

void ComandoStampa::stampa()
{
    if (!m_partita.insiemeAperto())
        return m_modulo.presentatore().mostra(
            "Carica prima un file di schedine: non c'è nulla da stampare.", kTitolo);
    const auto schede = m_partita.schedeDaStampare();
    if (!schede)
        return MostraErroreFile(m_modulo, schede.errore());
    if (schede.valore().empty())
        return m_modulo.presentatore().mostra("Il file caricato non ha schedine da stampare.",
                                              kTitolo);
    const Impaginazione piano(*m_partita.insieme(), schede.valore(), decimalPoint());
    QPrinter stampante(QPrinter::HighResolution);
    stampante.setPageSize(QPageSize(QPageSize::A4));
    stampante.setPageOrientation(QPageLayout::Portrait);
    stampante.setFullPage(true);
    stampante.setDocName(QFileInfo(QString::fromStdString(*m_partita.insieme())).fileName());
    {
        const Presentatore::Attesa attesa(m_modulo.presentatore());
        if (!m_scelta.scegli(stampante, int(piano.pagine().size()), m_finestra))
            return;
    }
    if (!disegna(piano, stampante))
        m_modulo.presentatore().mostra("La stampa non è riuscita: la stampante l'ha rifiutata.",
                                       kTitolo);
}

bool ComandoStampa::disegna(const Impaginazione &piano, QPrinter &stampante)
{
    const int pagine = int(piano.pagine().size());
    const bool intervallo = stampante.printRange() == QPrinter::PageRange;
    const int prima = intervallo ? std::clamp(stampante.fromPage(), 1, pagine) : 1;
    const int ultima = intervallo ? std::clamp(stampante.toPage(), prima, pagine) : pagine;
    QPainter pittore;
    if (!pittore.begin(&stampante))
        return false;
    // Millimetres from the paper's corner, whatever the printer's resolution.
    const double scala = stampante.resolution() / 25.4;
    pittore.setPen(QPen(Qt::black, 0.18 * scala));
    // The layout's widths are those of its fixed-pitch face; others of the same pitch if missing.
    QFont carattere;
    carattere.setFamilies({QString::fromLatin1(Impaginazione::kCarattere),
                           QStringLiteral("Liberation Mono"), QStringLiteral("Nimbus Mono PS")});
    carattere.setStyleHint(QFont::Monospace);
    for (int p = prima; p <= ultima; ++p) {
        if (p > prima && !stampante.newPage())
            return false;
        const Impaginazione::Pagina &pagina = piano.pagine()[std::size_t(p - 1)];
        for (const Impaginazione::Filetto &f : pagina.filetti)
            pittore.drawLine(QPointF(f.x1, f.y1) * scala, QPointF(f.x2, f.y2) * scala);
        for (const Impaginazione::Testo &t : pagina.testi) {
            carattere.setPointSizeF(t.corpo);
            carattere.setBold(t.grassetto);
            pittore.setFont(carattere);
            const QString testo = QString::fromStdString(t.testo);
            const double larghezza =
                t.aDestra ? pittore.fontMetrics().horizontalAdvance(testo) : 0.0;
            pittore.drawText(QPointF(t.x * scala - larghezza, t.y * scala), testo);
        }
    }
    return pittore.end();
}
