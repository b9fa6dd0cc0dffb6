#include "platform/ui/WindowMessages.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowRegistry.h"
#include "tests/platform/ui/QtEnvironment.h"

#include <QThread>
#include <QWidget>
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>
#include <thread>

namespace {

constexpr UINT UM_QUERY = WM_USER + 0x1004;

// A window that answers UM_QUERY with wParam + lParam and notes its thread.
class AnsweringWindow : public QWidget, public ui::CWindow {
public:
    AnsweringWindow()
        : CWindow(this)
    {
        MapMessage(UM_QUERY, [this](WPARAM wParam, LPARAM lParam) {
            handledOn = QThread::currentThread();
            ++calls;
            return static_cast<LRESULT>(wParam) + lParam;
        });
    }
    QThread* handledOn = nullptr;
    std::atomic<int> calls { 0 };
};

TEST(WindowHandleTest, HandleIsA32BitNumberNamingTheLiveWindow)
{
    auto window = std::make_unique<AnsweringWindow>();
    HWND handle = window->GetSafeHwnd();
    EXPECT_NE(handle, 0u);
    EXPECT_TRUE(IsWindow(handle));
    EXPECT_EQ(ui::CWindowRegistry::Instance().WidgetOf(handle), window.get());
    window.reset();
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_FALSE(IsWindow(0));
}

TEST(WindowHandleTest, HandlesAreNotReusedAfterAWindowIsGone)
{
    HWND first = std::make_unique<AnsweringWindow>()->GetSafeHwnd();
    auto second = std::make_unique<AnsweringWindow>();
    EXPECT_NE(second->GetSafeHwnd(), first);
    EXPECT_EQ(SendMessage(first, UM_QUERY, 1, 2), 0);
}

TEST(WindowHandleTest, PlainWidgetGetsHandleThatGoesWithIt)
{
    auto widget = std::make_unique<QWidget>();
    HWND handle = ui::CWindowRegistry::Instance().HandleOf(widget.get());
    EXPECT_EQ(ui::CWindowRegistry::Instance().HandleOf(widget.get()), handle);
    EXPECT_TRUE(IsWindow(handle));
    EXPECT_EQ(SendMessage(handle, UM_QUERY, 1, 2), 0);
    widget.reset();
    EXPECT_FALSE(IsWindow(handle));
}

TEST(SendMessageTest, SameThreadCallsHandlerDirectly)
{
    AnsweringWindow window;
    EXPECT_EQ(SendMessage(window.GetSafeHwnd(), UM_QUERY, 40, 2), 42);
    EXPECT_EQ(window.handledOn, QThread::currentThread());
    EXPECT_EQ(SendMessage(window.GetSafeHwnd(), WM_USER + 1, 0, 0), 0);
}

TEST(SendMessageTest, WorkerThreadBlocksUntilWindowThreadHandledIt)
{
    AnsweringWindow window;
    HWND handle = window.GetSafeHwnd();
    std::atomic<bool> returned { false };
    std::promise<LRESULT> result;
    std::thread worker([&] {
        LRESULT answer = SendMessage(handle, UM_QUERY, 1400, 3);
        returned = true;
        result.set_value(answer);
    });
    // The worker cannot get its answer before this thread handles the message.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(returned);
    EXPECT_EQ(window.calls, 0);
    ASSERT_TRUE(uitest::ProcessEventsUntil([&] { return returned.load(); }));
    worker.join();
    EXPECT_EQ(result.get_future().get(), 1403);
    EXPECT_EQ(window.handledOn, QThread::currentThread());
}

TEST(SendMessageTest, WorkerIsReleasedWithZeroWhenWindowGoesAwayFirst)
{
    auto window = std::make_unique<AnsweringWindow>();
    HWND handle = window->GetSafeHwnd();
    std::promise<LRESULT> result;
    auto answer = result.get_future();
    std::thread worker([&] { result.set_value(SendMessage(handle, UM_QUERY, 1, 1)); });
    // Wait until the worker's message is queued, then destroy the window
    // without letting the queue run.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    window.reset();
    ASSERT_EQ(answer.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(answer.get(), 0);
    worker.join();
}

TEST(PostMessageTest, QueuedUntilTheWindowThreadRuns)
{
    AnsweringWindow window;
    EXPECT_TRUE(PostMessage(window.GetSafeHwnd(), UM_QUERY, 1, 1));
    EXPECT_EQ(window.calls, 0);
    uitest::ProcessEvents();
    EXPECT_EQ(window.calls, 1);
    EXPECT_FALSE(PostMessage(0x7FFFFFFF, UM_QUERY, 1, 1));
}

TEST(WindowMessageTest, WmCommandAndWmCloseHaveDefaultHandling)
{
    struct CommandWindow : QWidget, ui::CWindow {
        CommandWindow()
            : CWindow(this)
        {
        }
        WORD last = 0;
        bool OnCommandMessage(WORD id) override
        {
            last = id;
            return true;
        }
    } window;
    window.show();
    EXPECT_EQ(SendMessage(window.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(32811, 0), 0), 1);
    EXPECT_EQ(window.last, 32811);
    SendMessage(window.GetSafeHwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(window.isVisible());
}

} // namespace
