#include "platform/ui/CrossThreadCall.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <condition_variable>
#include <mutex>

namespace ui {

struct CCrossThreadCall::Pending {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    LRESULT result = 0;
};

namespace {

// Releases the waiting caller when the last copy of the queued call goes
// away: after it ran, or when Qt dropped it because its receiver was deleted.
class Completion {
public:
    explicit Completion(std::shared_ptr<CCrossThreadCall::Pending> pending)
        : m_pending(std::move(pending))
    {
    }
    ~Completion()
    {
        std::lock_guard lock(m_pending->mutex);
        m_pending->finished = true;
        m_pending->done.notify_all();
    }
    Completion(const Completion&) = delete;
    Completion& operator=(const Completion&) = delete;

    void SetResult(LRESULT result)
    {
        std::lock_guard lock(m_pending->mutex);
        m_pending->result = result;
    }

private:
    std::shared_ptr<CCrossThreadCall::Pending> m_pending;
};

} // namespace

CCrossThreadCall::CCrossThreadCall(QObject* context, std::function<LRESULT()> function)
    : m_pending(std::make_shared<Pending>())
{
    auto completion = std::make_shared<Completion>(m_pending);
    if (!context)
        return;
    QMetaObject::invokeMethod(
        context, [completion, function = std::move(function)] { completion->SetResult(function()); },
        Qt::QueuedConnection);
}

LRESULT CCrossThreadCall::Wait()
{
    std::unique_lock lock(m_pending->mutex);
    m_pending->done.wait(lock, [this] { return m_pending->finished; });
    return m_pending->result;
}

LRESULT CallOnThreadOf(QObject* context, std::function<LRESULT()> function)
{
    if (!context)
        return 0;
    if (context->thread() == QThread::currentThread())
        return function();
    return CCrossThreadCall(context, std::move(function)).Wait();
}

bool PostToThreadOf(QObject* context, std::function<void()> function)
{
    if (!context)
        return false;
    return QMetaObject::invokeMethod(context, std::move(function), Qt::QueuedConnection);
}

} // namespace ui
