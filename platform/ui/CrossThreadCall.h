#pragma once

// Runs a function on the thread of a Qt object and lets the caller wait for
// its result. When the object goes away before the call was delivered, Qt
// drops the call and the waiting caller is released with 0.

#include "platform/base/Types.h"

#include <functional>
#include <memory>

class QObject;

namespace ui {

class CCrossThreadCall {
public:
    // Queues the function for the context's thread at once.
    CCrossThreadCall(QObject* context, std::function<LRESULT()> function);
    // Blocks until the call ran or was dropped.
    LRESULT Wait();

    struct Pending;

private:
    std::shared_ptr<Pending> m_pending;
};

// Runs the function on the context's thread: directly when called there,
// otherwise queued, waiting for the result. No context gives 0.
LRESULT CallOnThreadOf(QObject* context, std::function<LRESULT()> function);

// Queues the function for the context's thread; false when there is no context.
bool PostToThreadOf(QObject* context, std::function<void()> function);

} // namespace ui
