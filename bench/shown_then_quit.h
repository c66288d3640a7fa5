// For the startup benchmark: once the window has first been painted, prints the wall-clock
// time in nanoseconds (so that a launcher can subtract its own start time) and ends the
// event loop.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

class QuitWhenShown final : public QObject {
  public:
    explicit QuitWhenShown(QWidget& window) { window.installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            std::printf("%lld\n",
                        static_cast<long long>(
                            std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
};
