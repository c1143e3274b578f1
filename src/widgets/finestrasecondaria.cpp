#include "finestrasecondaria.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>

FinestraSecondaria::FinestraSecondaria(QWidget *parent) : QWidget(parent, Qt::Window) {}

bool FinestraSecondaria::event(QEvent *event)
{
    if (event->type() == QEvent::Hide && parentWidget())
        parentWidget()->activateWindow();
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
