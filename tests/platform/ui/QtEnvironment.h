#pragma once

// Helpers shared by the ui tests. The program's one QApplication is made by a
// global test environment (QtEnvironment.cpp).

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>

#include <functional>

namespace uitest {

// Lets queued calls and deferred deletions run.
inline void ProcessEvents()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Processes events until the condition holds or the time is up.
inline bool ProcessEventsUntil(const std::function<bool()>& condition, int milliseconds = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

} // namespace uitest
