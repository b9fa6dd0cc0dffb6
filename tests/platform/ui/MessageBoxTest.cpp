#include "platform/ui/MessageBox.h"
#include "platform/ui/TestHook.h"
#include "tests/platform/ui/QtEnvironment.h"

#include <QThread>
#include <QWidget>
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

namespace {

struct ButtonCase {
    const char* name;
    UINT type;
    std::vector<int> buttons;
};

class MessageBoxButtonsTest : public testing::TestWithParam<ButtonCase> { };

TEST_P(MessageBoxButtonsTest, BoxHasThePlatformButtonsAndAnswersThePressedOne)
{
    for (int pressed : GetParam().buttons) {
        std::vector<int> present;
        ui::CTestHook hook([&](ui::CModalWindow& window) {
            for (int id : { IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO })
                if (window.Control(id))
                    present.push_back(id);
            window.Press(pressed);
        });
        EXPECT_EQ(ui::MessageBox(0, "text", "caption", GetParam().type), pressed);
        EXPECT_EQ(present, GetParam().buttons);
    }
}

INSTANTIATE_TEST_SUITE_P(Types, MessageBoxButtonsTest,
    testing::Values(ButtonCase { "Ok", MB_OK, { IDOK } }, ButtonCase { "OkCancel", MB_OKCANCEL, { IDOK, IDCANCEL } },
        ButtonCase { "AbortRetryIgnore", MB_ABORTRETRYIGNORE, { IDABORT, IDRETRY, IDIGNORE } },
        ButtonCase { "YesNoCancel", MB_YESNOCANCEL | MB_ICONQUESTION, { IDCANCEL, IDYES, IDNO } },
        ButtonCase { "YesNo", MB_YESNO | MB_DEFBUTTON2, { IDYES, IDNO } },
        ButtonCase { "RetryCancel", MB_RETRYCANCEL | MB_ICONERROR, { IDCANCEL, IDRETRY } }),
    [](const testing::TestParamInfo<ButtonCase>& info) { return std::string(info.param.name); });

TEST(MessageBoxTest, TestSeesCaptionAndText)
{
    std::string caption;
    std::string text;
    ui::CTestHook hook([&](ui::CModalWindow& window) {
        EXPECT_TRUE(window.IsMessageBox());
        caption = window.Caption();
        text = window.Text();
        window.Press(IDYES);
    });
    EXPECT_EQ(
        MessageBoxA(0, "你还没有安装Tessel控件,需要安装吗?\r\n", "Install Tessel ActiveX Control?", MB_YESNO), IDYES);
    EXPECT_EQ(caption, "Install Tessel ActiveX Control?");
    EXPECT_EQ(text, "你还没有安装Tessel控件,需要安装吗?\r\n");
}

TEST(MessageBoxTest, FromWorkerThreadRunsOnUserInterfaceThreadAndBlocksTheCaller)
{
    QThread* uiThread = QThread::currentThread();
    QThread* shownOn = nullptr;
    std::atomic<bool> answered { false };
    ui::CTestHook hook([&](ui::CModalWindow& window) {
        shownOn = QThread::currentThread();
        EXPECT_FALSE(answered) << "the worker waits while the box is open";
        window.Press(IDNO);
    });
    std::promise<int> result;
    std::thread worker([&] {
        result.set_value(ui::MessageBox(0, "from a worker", "Worker", MB_YESNO));
        answered = true;
    });
    ASSERT_TRUE(uitest::ProcessEventsUntil([&] { return answered.load(); }));
    worker.join();
    EXPECT_EQ(result.get_future().get(), IDNO);
    EXPECT_EQ(shownOn, uiThread);
}

TEST(MessageBoxTest, EscapeAnswersCancelWhereThereIsOne)
{
    struct EscapeCase {
        UINT type;
        int expected;
    };
    for (EscapeCase c :
        { EscapeCase { MB_OK, IDOK }, EscapeCase { MB_OKCANCEL, IDCANCEL }, EscapeCase { MB_YESNOCANCEL, IDCANCEL } }) {
        ui::CTestHook hook([](ui::CModalWindow& window) { window.Widget()->close(); });
        EXPECT_EQ(ui::MessageBox(0, "t", "c", c.type), c.expected) << c.type;
    }
}

} // namespace
