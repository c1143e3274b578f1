#pragma once

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>

#include <cstdio>

// Ends a start-up launcher as soon as its main window has drawn its first frame. Watches every
// object from before the window exists, so a frame drawn while the window is being shown is
// seen too. The quit is queued, so it runs once the frame has been painted through and flushed.
class PrimoFotogramma : public QObject
{
public:
    explicit PrimoFotogramma(QApplication &app) : m_app(app) { app.installEventFilter(this); }

    // Runs the application and prints the painted window's size for the driver; fails when no
    // frame came within ten seconds.
    int esegui()
    {
        QTimer::singleShot(10000, &m_app, [this] { m_app.exit(2); });
        const int esito = m_app.exec();
        if (esito != 0 || m_larghezza == 0)
            return esito != 0 ? esito : 1;
        std::printf("finestra %dx%d\n", m_larghezza, m_altezza);
        return 0;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_larghezza == 0 && event->type() == QEvent::Paint) {
            if (auto *window = qobject_cast<QMainWindow *>(watched); window && window->isWindow()) {
                m_larghezza = window->width();
                m_altezza = window->height();
                QMetaObject::invokeMethod(&m_app, &QCoreApplication::quit, Qt::QueuedConnection);
            }
        }
        return false;
    }

private:
    QApplication &m_app;
    int m_larghezza = 0;
    int m_altezza = 0;
};
