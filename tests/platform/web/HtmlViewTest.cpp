#include "platform/web/HtmlView.h"

#include "platform/base/CodePage.h"
#include "platform/web/BrowserControl.h"
#include "tests/platform/web/WebTestSupport.h"
#include "tests/support/TempSuiteRoot.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using web::FrameIdentity;
using webtest::WaitFor;

namespace {

// A view as the designer derives one: it records what its virtuals receive
// and keeps command links and new windows to itself.
class RecordingHtmlView : public web::CHtmlView {
public:
    void OnBeforeNavigate2(const std::string& url, FrameIdentity frame, bool& cancel) override
    {
        navigations.push_back(url);
        cancel = url.rfind("tessel:", 0) == 0;
        EXPECT_EQ(frame, GetApplication());
    }
    void OnDocumentComplete(FrameIdentity frame, const std::string& url) override
    {
        completions.push_back(url);
        EXPECT_EQ(frame, GetApplication());
    }
    void OnTitleChange(const std::string& title) override { titles.push_back(title); }
    void OnNewWindow2(const std::string& url, bool& cancel) override
    {
        newWindows.push_back(url);
        cancel = true;
    }

    std::vector<std::string> navigations;
    std::vector<std::string> completions;
    std::vector<std::string> titles;
    std::vector<std::string> newWindows;
};

class HtmlViewTest : public testing::Test {
protected:
    HtmlViewTest()
    {
        m_view->resize(350, 200);
        m_view->show();
    }

    test::TempSuiteRoot m_root;
    std::unique_ptr<RecordingHtmlView> m_view = std::make_unique<RecordingHtmlView>();
};

TEST_F(HtmlViewTest, TextLoadedRightAfterTheFirstNavigationShowsAndNamesTheView)
{
    // The welcome view's way: navigate to a blank page, then load its text at once.
    m_view->Navigate2("about:blank");
    ASSERT_TRUE(m_view->LoadPageText(m_view->GetApplication(),
        "<html><title>欢迎使用Tessel报表控件/WEB插件</title>\r\n<body><h1>Tessel报表控件</h1></body></html>"));

    ASSERT_TRUE(
        WaitFor([&] { return !m_view->titles.empty() && m_view->titles.back() == "欢迎使用Tessel报表控件/WEB插件"; }));
    EXPECT_EQ(webtest::Evaluate(m_view.get(), QStringLiteral("document.body.innerText")).toString(),
        QString::fromUtf8(u8"Tessel报表控件"));
    EXPECT_EQ(m_view->GetLocationName(), "欢迎使用Tessel报表控件/WEB插件");
    EXPECT_EQ(m_view->GetLocationURL(), "about:blank");
    EXPECT_EQ(m_view->GetBrowser().geometry(), m_view->rect());
}

TEST_F(HtmlViewTest, BrowserEventsReachTheViewsVirtuals)
{
    m_view->Navigate2("about:blank");
    ASSERT_TRUE(WaitFor([&] { return !m_view->completions.empty(); }));
    ASSERT_TRUE(m_view->LoadPageText(m_view->GetApplication(),
        "<html><body><a id='command' href='Tessel:execCommand(ID_APP_HELP)'>help</a>"
        "<a id='site' href='http://127.0.0.1:9/' target='_blank'>site</a></body></html>"));
    ASSERT_TRUE(WaitFor([&] { return m_view->completions.size() >= 2; }));
    m_view->navigations.clear();

    webtest::Click(m_view.get(), "command");
    webtest::Click(m_view.get(), "site");

    ASSERT_TRUE(WaitFor([&] { return !m_view->navigations.empty() && !m_view->newWindows.empty(); }));
    EXPECT_EQ(m_view->navigations.front(), "tessel:execCommand(ID_APP_HELP)");
    EXPECT_EQ(m_view->newWindows.front(), "http://127.0.0.1:9/");
    EXPECT_EQ(m_view->GetLocationURL(), "about:blank");
}

} // namespace
