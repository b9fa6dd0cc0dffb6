#include "platform/web/BrowserControl.h"

#include "platform/base/CodePage.h"
#include "tests/platform/web/LoopbackSite.h"
#include "tests/platform/web/WebTestSupport.h"
#include "tests/support/TempSuiteRoot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using web::CBrowserControl;
using web::FrameIdentity;
using webtest::WaitFor;

namespace {

struct Navigation {
    std::string url;
    FrameIdentity frame;
};

struct Completion {
    FrameIdentity frame;
    std::string url;
};

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

QString FromAnsi(const std::string& text)
{
    const std::u16string utf16 = base::AnsiToUtf16(text);
    return QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size()));
}

// One browser control per test, shown offscreen, whose events are recorded.
// A test decides which navigations are cancelled through m_cancel.
class BrowserControlTest : public testing::Test {
protected:
    BrowserControlTest()
        : m_browser(std::make_unique<CBrowserControl>())
    {
        m_browser->resize(500, 400);
        m_browser->show();
        m_browser->SetBeforeNavigate2Handler([this](const std::string& url, FrameIdentity frame, bool& cancel) {
            m_navigations.push_back({ url, frame });
            cancel = m_cancel(url);
        });
        m_browser->SetDocumentCompleteHandler([this](FrameIdentity frame, const std::string& url) {
            m_completions.push_back({ frame, url });
        });
        m_browser->SetTitleChangeHandler([this](const std::string& title) { m_titles.push_back(title); });
        m_browser->SetNewWindowHandler([this](const std::string& url, bool& cancel) {
            m_newWindows.push_back(url);
            cancel = true;
        });
    }

    bool WaitForCompletions(size_t count)
    {
        return WaitFor([&] { return m_completions.size() >= count; });
    }

    // Loads `html` into the top-level frame after the first page, as hosts do.
    void ShowText(const std::string& html)
    {
        if (m_completions.empty()) {
            m_browser->Navigate2("about:blank");
            ASSERT_TRUE(WaitForCompletions(1));
        }
        const size_t before = m_completions.size();
        ASSERT_TRUE(m_browser->LoadPageText(m_browser->Application(), html));
        ASSERT_TRUE(WaitForCompletions(before + 1));
    }

    QVariant Evaluate(const QString& script) { return webtest::Evaluate(m_browser.get(), script); }
    void Click(const char* id) { webtest::Click(m_browser.get(), id); }
    QWebEnginePage* Page() { return webtest::PageOf(m_browser.get()); }

    test::TempSuiteRoot m_root;
    test::LoopbackSite m_site;
    std::unique_ptr<CBrowserControl> m_browser;
    std::function<bool(const std::string&)> m_cancel = [](const std::string&) { return false; };
    std::vector<Navigation> m_navigations;
    std::vector<Completion> m_completions;
    std::vector<std::string> m_titles;
    std::vector<std::string> m_newWindows;
};

// Command links: the host sees each address as the link wrote it, cancels
// it, and the page that holds the links stays.
struct CommandLink {
    const char* name;
    const char* href;
    const char* prefix;
};

const CommandLink CommandLinks[] = {
    { "TesselExecCommand", "Tessel:execCommand(ID_APP_TESSEL_HELP)", "TESSEL:" },
    { "LowerCase", "tessel:execcommand(id_app_about)", "TESSEL:" },
    { "OrlanWithQuotedArguments", "Orlan:openWindow('http://127.0.0.1/x', 'width=300; height=200')", "ORLAN:" },
    { "ChineseArgument", "TESSEL:EXECCOMMAND(新闻)", "TESSEL:" },
    { "NoParentheses", "Tessel:execCommand", "TESSEL:" },
};

TEST_F(BrowserControlTest, CommandLinksReachTheHostAndAreCancelled)
{
    m_cancel
        = [](const std::string& url) { return Upper(url).starts_with("TESSEL:") || Upper(url).starts_with("ORLAN:"); };
    std::string html = "<html><body><script>window.marker = 7;</script>";
    for (const CommandLink& link : CommandLinks)
        html += std::string("<a id='") + link.name + "' href=\"" + link.href + "\">" + link.name + "</a>";
    ShowText(html + "</body></html>");
    const size_t completions = m_completions.size();

    for (const CommandLink& link : CommandLinks) {
        SCOPED_TRACE(link.name);
        m_navigations.clear();
        Click(link.name);
        ASSERT_TRUE(WaitFor([&] { return !m_navigations.empty(); }));

        const std::string& url = m_navigations.front().url;
        const std::string prefix = link.prefix;
        EXPECT_EQ(Upper(url.substr(0, prefix.size())), prefix);
        EXPECT_EQ(url.substr(prefix.size()), std::string(link.href).substr(prefix.size()));
        EXPECT_EQ(m_navigations.front().frame, m_browser->Application());
        EXPECT_EQ(Evaluate(QStringLiteral("window.marker")).toInt(), 7);
    }
    EXPECT_EQ(m_completions.size(), completions);
    EXPECT_EQ(m_browser->LocationUrl(), "about:blank");
}

TEST_F(BrowserControlTest, CommandLinkLetThroughLeavesThePage)
{
    ShowText("<html><body><script>window.marker = 7;</script>"
             "<a id='link' href='Tessel:execCommand(ID_APP_ABOUT)'>x</a></body></html>");
    m_navigations.clear();

    Click("link");
    ASSERT_TRUE(WaitFor([&] { return !m_navigations.empty(); }));
    QTest::qWait(500);

    EXPECT_EQ(Evaluate(QStringLiteral("window.marker")).toInt(), 7);
    EXPECT_EQ(m_browser->LocationUrl(), "about:blank");
}

TEST_F(BrowserControlTest, NavigatesToALoopbackPage)
{
    m_site.Serve("/news", "<html><head><title>新闻消息</title></head><body>每天教你一招</body></html>");
    const std::string url = m_site.Url("/news");

    m_browser->Navigate2(url);
    ASSERT_TRUE(WaitForCompletions(1));

    ASSERT_EQ(m_navigations.size(), 1u);
    EXPECT_EQ(m_navigations[0].url, url);
    EXPECT_EQ(m_navigations[0].frame, m_browser->Application());
    EXPECT_EQ(m_completions[0].frame, m_browser->Application());
    EXPECT_EQ(m_completions[0].url, url);
    EXPECT_EQ(m_site.Requests("/news"), 1);
    ASSERT_TRUE(WaitFor([&] { return !m_titles.empty() && m_titles.back() == "新闻消息"; }));
    EXPECT_EQ(m_browser->LocationName(), "新闻消息");
    EXPECT_EQ(m_browser->LocationUrl(), url);
    EXPECT_EQ(Evaluate(QStringLiteral("document.body.innerText")).toString(), FromAnsi("每天教你一招"));
}

TEST_F(BrowserControlTest, NavigatesToALocalFilePath)
{
    const std::filesystem::path file = m_root.Path() / "page.html";
    std::ofstream(file) << "<html><body>本地</body></html>";

    m_browser->Navigate2(file.string());
    ASSERT_TRUE(WaitForCompletions(1));

    EXPECT_EQ(m_completions[0].url, "file://" + file.string());
    EXPECT_EQ(Evaluate(QStringLiteral("document.body.innerText")).toString(), QString::fromUtf8(u8"本地"));
}

TEST_F(BrowserControlTest, CancelledNavigationNeverReachesTheSite)
{
    m_site.Serve("/blocked", "<html><body>blocked</body></html>");
    m_cancel = [](const std::string& url) { return url.find("/blocked") != std::string::npos; };
    ShowText("<html><body><a id='link' href='" + m_site.Url("/blocked") + "'>x</a></body></html>");
    const size_t completions = m_completions.size();

    Click("link");
    ASSERT_TRUE(WaitFor([&] { return m_navigations.back().url == m_site.Url("/blocked"); }));
    QTest::qWait(500);

    EXPECT_EQ(m_site.Requests("/blocked"), 0);
    EXPECT_EQ(m_completions.size(), completions);
    EXPECT_EQ(m_browser->LocationUrl(), "about:blank");
}

TEST_F(BrowserControlTest, TextHandedOverBeforeTheFirstDocumentShowsWhenItCompletes)
{
    // The host's pattern: text waits for the first document-complete event and is loaded from inside it.
    std::string pending = "<html><title>欢迎使用Tessel报表控件/WEB插件</title><body>主站网址.</body></html>";
    m_browser->SetDocumentCompleteHandler([&](FrameIdentity frame, const std::string& url) {
        m_completions.push_back({ frame, url });
        if (!pending.empty()) {
            EXPECT_TRUE(m_browser->LoadPageText(frame, pending));
            pending.clear();
        }
    });
    m_browser->Navigate2("about:blank");

    ASSERT_TRUE(WaitForCompletions(2));
    EXPECT_EQ(m_completions[1].frame, m_browser->Application());
    EXPECT_EQ(m_completions[1].url, "about:blank");
    EXPECT_EQ(Evaluate(QStringLiteral("document.body.innerText")).toString(), FromAnsi("主站网址."));
    ASSERT_TRUE(WaitFor([&] { return !m_titles.empty() && m_titles.back() == "欢迎使用Tessel报表控件/WEB插件"; }));
}

// Page text in the suite's code page, or in a charset the page names itself.
struct PageText {
    const char* name;
    std::string html;
    QString body;
    std::string title; // as the title-change event reports it
};

const PageText PageTexts[] = {
    { "CodePage936", "<html><title>新闻消息</title><body>每天教你一招!</body></html>",
        QString::fromUtf8(u8"每天教你一招!"), "新闻消息" },
    { "CodePage936WithoutTags", "每天教你一招", QString::fromUtf8(u8"每天教你一招"), "about:blank" },
    { "OwnUtf8Charset",
        "<html><head><meta http-equiv='Content-Type' content='text/html; charset=utf-8'>"
        "<title>\xE6\x96\xB0\xE9\x97\xBB</title></head><body>\xE6\x96\xB0</body></html>",
        QString::fromUtf8(u8"新"), "新闻" },
    { "PlainText", "plain news text", QStringLiteral("plain news text"), "about:blank" },
};

TEST_F(BrowserControlTest, TextAfterTheFirstDocumentReplacesThePageAtOnce)
{
    for (const PageText& text : PageTexts) {
        SCOPED_TRACE(text.name);
        ShowText(text.html);

        EXPECT_EQ(Evaluate(QStringLiteral("document.body.innerText")).toString(), text.body);
        EXPECT_TRUE(WaitFor([&] { return m_browser->LocationName() == text.title; })) << m_browser->LocationName();
        EXPECT_EQ(m_browser->LocationUrl(), "about:blank");
    }
}

TEST_F(BrowserControlTest, PageTextLargerThanADataAddressLoads)
{
    const std::string filler(3 * 1024 * 1024, 'x');
    ShowText("<html><body><p id='end'>end</p><!--" + filler + "--></body></html>");

    EXPECT_EQ(Evaluate(QStringLiteral("document.getElementById('end').textContent")).toString(), QStringLiteral("end"));
}

TEST_F(BrowserControlTest, PageTextIsRefusedForASubFrame)
{
    ShowText("<html><head><title>kept</title></head></html>");

    EXPECT_FALSE(m_browser->LoadPageText(FrameIdentity::SubFrameOf(m_browser.get()), "<title>lost</title>"));
    EXPECT_FALSE(m_browser->LoadPageText(FrameIdentity(), "<title>lost</title>"));
    QTest::qWait(300);
    EXPECT_EQ(Evaluate(QStringLiteral("document.title")).toString(), QStringLiteral("kept"));
}

TEST_F(BrowserControlTest, SubFrameEventsCarryTheSubFrameIdentity)
{
    m_site.Serve("/inner", "<html><body>inner</body></html>");
    m_site.Serve("/outer", "<html><body><iframe src='/inner'></iframe></body></html>");

    m_browser->Navigate2(m_site.Url("/outer"));
    ASSERT_TRUE(WaitFor([&] { return m_completions.size() >= 2; }));

    ASSERT_EQ(m_navigations.size(), 2u);
    EXPECT_EQ(m_navigations[1].url, m_site.Url("/inner"));
    EXPECT_NE(m_navigations[1].frame, m_browser->Application());
    EXPECT_FALSE(m_navigations[1].frame.IsNone());
    const auto inner = std::find_if(m_completions.begin(), m_completions.end(),
        [&](const Completion& completion) { return completion.url == m_site.Url("/inner"); });
    ASSERT_NE(inner, m_completions.end());
    EXPECT_NE(inner->frame, m_browser->Application());
    EXPECT_EQ(inner->frame, m_navigations[1].frame);
    EXPECT_TRUE(std::any_of(m_completions.begin(), m_completions.end(), [&](const Completion& completion) {
        return completion.frame == m_browser->Application() && completion.url == m_site.Url("/outer");
    }));
}

TEST_F(BrowserControlTest, ScriptTitleChangeIsReported)
{
    ShowText("<html><head><title>old</title></head></html>");

    Evaluate(QString::fromUtf8(u8"document.title = '每天教你一招'"));

    ASSERT_TRUE(WaitFor([&] { return !m_titles.empty() && m_titles.back() == "每天教你一招"; }));
}

TEST_F(BrowserControlTest, NewWindowIsReportedAndCancelled)
{
    m_site.Serve("/popup", "<html><body>popup</body></html>");
    ShowText("<html><body><a id='link' href='" + m_site.Url("/popup") + "' target='_blank'>x</a></body></html>");

    Click("link");
    ASSERT_TRUE(WaitFor([&] { return !m_newWindows.empty(); }));
    QTest::qWait(500);

    EXPECT_EQ(m_newWindows.front(), m_site.Url("/popup"));
    EXPECT_EQ(m_site.Requests("/popup"), 0);
    EXPECT_EQ(m_browser->LocationUrl(), "about:blank");
}

TEST_F(BrowserControlTest, CommandLinkForANewWindowReachesTheHost)
{
    m_browser->SetNewWindowHandler([this](const std::string& url, bool&) { m_newWindows.push_back(url); });
    ShowText("<html><body><a id='link' href='Tessel:execCommand(ID_APP_ABOUT)' target='_blank'>x</a></body></html>");
    m_navigations.clear();

    Click("link");
    ASSERT_TRUE(WaitFor([&] { return !m_navigations.empty(); }));

    EXPECT_EQ(m_newWindows.size(), 1u);
    EXPECT_EQ(m_navigations.front().url, "tessel:execCommand(ID_APP_ABOUT)");
    EXPECT_EQ(m_navigations.front().frame, m_browser->Application());
}

TEST_F(BrowserControlTest, HostMayDestroyTheControlInsideAnEvent)
{
    ShowText("<html><body><a id='link' href='Tessel:execCommand(ID_APP_EXIT)'>x</a></body></html>");
    bool destroyed = false;
    m_browser->SetBeforeNavigate2Handler([&](const std::string&, FrameIdentity, bool& cancel) {
        cancel = true;
        m_browser.reset();
        destroyed = true;
    });

    Page()->runJavaScript(QStringLiteral("document.getElementById('link').click()"));
    ASSERT_TRUE(WaitFor([&] { return destroyed; }));
    QTest::qWait(500);

    // A new control still works after the old one went away mid-event.
    m_browser = std::make_unique<CBrowserControl>();
    m_completions.clear();
    m_browser->SetDocumentCompleteHandler([this](FrameIdentity frame, const std::string& url) {
        m_completions.push_back({ frame, url });
    });
    m_browser->Navigate2("about:blank");
    EXPECT_TRUE(WaitForCompletions(1));
}

} // namespace
