// For the startup benchmark: ends the event loop once the window has first been painted,
// so that a whole process run measures the time from start to a shown window.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

class QuitWhenShown final : public QObject {
  public:
    explicit QuitWhenShown(QWidget& window) { window.installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
};
