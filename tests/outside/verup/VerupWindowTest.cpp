#include "outside/verup/VerupWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

namespace {

class VerupWindowTest : public testing::Test {
protected:
    // Made and ended within the test program's run: ending it among the
    // exit handlers would outlive parts of the toolkit it needs.
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "verup-window-test";
        static char* argv[] = { name, nullptr };
        s_application = std::make_unique<QApplication>(argc, argv);
    }
    static void TearDownTestSuite() { s_application.reset(); }

    void SetUp() override
    {
        setenv("LC_ALL", "C", 1);
        verup::UpdateEntry component;
        component.softName = "Probe";
        verup::UpdateEntry start;
        start.kind = verup::UpdateEntry::AutoRun;
        start.fileName = "/opt/Plinth";
        m_steps = { component, start };
    }
    void TearDown() override { unsetenv("LC_ALL"); }

    // Lets queued reports and timers run for a while.
    static void Pump(int milliseconds)
    {
        QElapsedTimer timer;
        timer.start();
        do
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        while (timer.elapsed() < milliseconds);
    }

    static inline std::unique_ptr<QApplication> s_application;
    std::vector<verup::UpdateEntry> m_steps;
};

TEST_F(VerupWindowTest, ReportsFromTheWorkingThreadReachTheRows)
{
    verup::CVerupWindow window(m_steps, 50);
    window.show();
    EXPECT_EQ(window.Outcome(0), "Waiting");
    std::thread([&] { window.StepStarted(0); }).join();
    Pump(20);
    EXPECT_EQ(window.Outcome(0), "Working...");
    EXPECT_EQ(window.Progress(0)->maximum(), 0); // busy
    std::thread([&] {
        window.StepFinished(0, true, "installed and registered /tmp/探针.dll");
        window.StepFinished(1, false, "there is no program /opt/Plinth to start");
        window.RunFinished(false);
    }).join();
    Pump(100);
    EXPECT_EQ(window.Outcome(0), QString::fromUtf8(u8"installed and registered /tmp/探针.dll"));
    EXPECT_EQ(window.Progress(0)->value(), 1);
    EXPECT_EQ(window.Progress(0)->maximum(), 1);
    EXPECT_EQ(window.Progress(1)->value(), 0);
    EXPECT_EQ(window.Status(), "Some entries were not updated.");
    EXPECT_TRUE(window.CanClose());
    EXPECT_TRUE(window.isVisible()); // stays so that the reasons can be read
}

TEST_F(VerupWindowTest, ClosesByItselfWhenEverythingSucceeded)
{
    verup::CVerupWindow window(m_steps, 50);
    window.show();
    EXPECT_FALSE(window.CanClose());
    window.StepFinished(0, true, "installed");
    window.StepFinished(1, true, "started");
    window.RunFinished(true);
    Pump(20);
    EXPECT_EQ(window.Status(), "Everything was updated.");
    Pump(200);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(VerupWindowTest, SpeaksChineseOnAChineseSystem)
{
    setenv("LC_ALL", "zh_CN.UTF-8", 1);
    verup::CVerupWindow window(m_steps, 50);
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8(u8"正在升级"));
    EXPECT_EQ(window.Outcome(1), QString::fromUtf8(u8"等待"));
}

} // namespace
