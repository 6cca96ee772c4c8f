#include "testsupport/eventwait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

namespace {
constexpr int pollMs = 5;
}

bool runEventsUntil(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        // Objects deleted later go as they would once the test returned to the main loop: the
        // loops below are nested deeper than where they were deleted.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (done())
            return true;
        if (clock.elapsed() >= timeoutMs)
            return false;
        runEventsFor(pollMs);
    }
}

void runEventsFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
