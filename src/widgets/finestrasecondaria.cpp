#include "finestrasecondaria.h"

#include "widgets/ritornotastiera.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QKeyEvent>

namespace {

// A screen reader meets a secondary window as a dialog named by its caption (or by its
// accessible name, where the caption is empty), not as an anonymous part of a window.
QAccessibleInterface *comeDialogo(const QString &classe, QObject *oggetto)
{
    auto *finestra = qobject_cast<FinestraSecondaria *>(oggetto);
    if (!finestra || classe != QLatin1String(oggetto->metaObject()->className()))
        return nullptr;
    return new QAccessibleWidget(finestra, QAccessible::Dialog);
}

} // namespace

FinestraSecondaria::FinestraSecondaria(QWidget *parent) : QWidget(parent, Qt::Window)
{
    static const bool installata = [] {
        QAccessible::installFactory(comeDialogo);
        return true;
    }();
    Q_UNUSED(installata);
    RitornoTastiera::installa(this);
}

bool FinestraSecondaria::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate) {
        Form_Activate();
        Q_EMIT attivata();
    }
    return QWidget::event(event);
}

// A box that takes Escape as a key of its own (the editor's number and stake boxes refuse it)
// never passes it up to here.
void FinestraSecondaria::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && m_esci)
        m_esci->click();
    else
        QWidget::keyPressEvent(event);
}
