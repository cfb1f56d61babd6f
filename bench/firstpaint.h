// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

// Watches every event of the application for the first paint of one window, writes the
// monotonic clock at that moment on standard output, and ends the program once the paint is
// done. The clock is the machine's, so the process that started this one can subtract its own
// reading from before the start.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(const char* windowName)
        : windowName_(QString::fromLatin1(windowName))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
            watched->objectName() == windowName_) {
            seen_ = true;
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec);
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    QString windowName_;
    bool seen_ = false;
};
