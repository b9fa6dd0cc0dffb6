#include "platform/web/BrowserPage.h"

#include "platform/ui/Text.h"
#include "platform/web/BrowserEngine.h"
#include "platform/web/PageTextStore.h"

#include <QDesktopServices>
#include <QRandomGenerator>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWidget>

#include <atomic>

namespace web {

namespace {

// A random marker per process, so that ordinary console output of a page is
// not taken for a sub-frame's load report.
const QString& SubFrameMarker()
{
    static const QString marker = QStringLiteral("plinth-subframe-complete-%1:")
                                      .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
    return marker;
}

// Only web and mail addresses leave the program; a blank window a script
// means to fill, or a local file, does not.
bool IsForDesktopBrowser(const QUrl& url)
{
    static const QStringList schemes
        = { QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("ftp"), QStringLiteral("mailto") };
    return schemes.contains(url.scheme(), Qt::CaseInsensitive);
}

quint64 NextTextKey()
{
    static std::atomic<quint64> next { 1 };
    return next++;
}

} // namespace

CBrowserPage::CBrowserPage(FrameIdentity topLevel, FrameIdentity subFrame)
    : QWebEnginePage(engine::Profile())
    , m_topLevel(topLevel)
    , m_subFrame(subFrame)
    , m_textKey(NextTextKey())
{
    // Pages without a charset of their own are in the suite's code page.
    settings()->setDefaultTextEncoding(QStringLiteral("GBK"));
    InstallSubFrameReporter();
    connect(this, &QWebEnginePage::loadingChanged, this, &CBrowserPage::OnLoadingChanged);
    connect(this, &QWebEnginePage::titleChanged, this, &CBrowserPage::OnTitleChanged);
    connect(this, &QWebEnginePage::newWindowRequested, this, &CBrowserPage::OnNewWindowRequested);
}

CBrowserPage::~CBrowserPage()
{
    if (CPageTextStore* store = CPageTextStore::Instance())
        store->Remove(m_textKey);
}

QString CBrowserPage::PublicUrl(const QUrl& url)
{
    // A page text has no address of its own, as if written into a blank page.
    if (engine::IsPageTextUrl(url))
        return QStringLiteral("about:blank");
    // Command URLs are read as the link wrote them: the escapes the engine
    // added (spaces, quotes, non-ASCII letters) are undone.
    if (engine::IsCommandUrl(url))
        return QUrl::fromPercentEncoding(url.toEncoded());
    return url.toString();
}

QString CBrowserPage::PublicTitle(const QString& title)
{
    // The engine names an untitled page after its address.
    const QUrl url(title);
    return engine::IsPageTextUrl(url) ? PublicUrl(url) : title;
}

void CBrowserPage::LoadText(QByteArray html)
{
    CPageTextStore* store = CPageTextStore::Instance();
    if (!store)
        return;
    m_textUrl = store->Put(m_textKey, std::move(html));
    load(m_textUrl);
}

void CBrowserPage::Release(QWidget* view)
{
    beforeNavigate2 = nullptr;
    documentComplete = nullptr;
    titleChange = nullptr;
    newWindow = nullptr;
    if (m_eventDepth == 0) {
        delete view;
        delete this;
        return;
    }
    m_released = true;
    m_releasedView = view;
    if (view) {
        view->hide();
        view->setParent(nullptr);
    }
}

template <typename Handler, typename... Arguments>
void CBrowserPage::Fire(const Handler& handler, Arguments&&... arguments)
{
    if (!handler || m_released)
        return;
    const Handler copy = handler;
    ++m_eventDepth;
    copy(std::forward<Arguments>(arguments)...);
    --m_eventDepth;
    if (m_released && m_eventDepth == 0) {
        // The engine is still inside this page; let its call return first.
        if (m_releasedView)
            m_releasedView->deleteLater();
        m_releasedView = nullptr;
        deleteLater();
    }
}

bool CBrowserPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame)
{
    if (m_released)
        return false;
    // Page texts are this control's own business: only its current text loads.
    if (engine::IsPageTextUrl(url))
        return isMainFrame && url.adjusted(QUrl::RemoveFragment) == m_textUrl;
    bool cancel = false;
    Fire(beforeNavigate2, ui::FromQString(PublicUrl(url)), isMainFrame ? m_topLevel : m_subFrame, cancel);
    return !cancel && !m_released;
}

void CBrowserPage::OnLoadingChanged(const QWebEngineLoadingInfo& info)
{
    // A stopped load (cancelled by a host, or replaced by another) completes no document.
    const auto status = info.status();
    if (status != QWebEngineLoadingInfo::LoadSucceededStatus && status != QWebEngineLoadingInfo::LoadFailedStatus)
        return;
    Fire(documentComplete, m_topLevel, ui::FromQString(PublicUrl(info.url())));
}

void CBrowserPage::OnTitleChanged(const QString& title)
{
    Fire(titleChange, ui::FromQString(PublicTitle(title)));
}

void CBrowserPage::OnNewWindowRequested(QWebEngineNewWindowRequest& request)
{
    const QUrl url = request.requestedUrl();
    bool cancel = false;
    Fire(newWindow, ui::FromQString(PublicUrl(url)), cancel);
    if (cancel || m_released)
        return;
    if (engine::IsCommandUrl(url)) {
        // A command link opened in a new window still commands this page's host.
        bool ignored = false;
        Fire(beforeNavigate2, ui::FromQString(PublicUrl(url)), m_topLevel, ignored);
        return;
    }
    if (IsForDesktopBrowser(url))
        QDesktopServices::openUrl(url);
}

void CBrowserPage::javaScriptConsoleMessage(
    JavaScriptConsoleMessageLevel level, const QString& message, int line, const QString& source)
{
    if (message.startsWith(SubFrameMarker())) {
        Fire(documentComplete, m_subFrame, ui::FromQString(message.mid(SubFrameMarker().size())));
        return;
    }
    QWebEnginePage::javaScriptConsoleMessage(level, message, line, source);
}

void CBrowserPage::InstallSubFrameReporter()
{
    // The engine reports finished loads of the top-level frame only; each
    // sub-frame reports its own through the console.
    QWebEngineScript script;
    script.setName(QStringLiteral("plinth-subframe-reporter"));
    script.setInjectionPoint(QWebEngineScript::DocumentReady);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(QStringLiteral("(function () {"
                                        "  if (window === window.top) return;"
                                        "  function report() { console.log('%1' + location.href); }"
                                        "  if (document.readyState === 'complete') report();"
                                        "  else window.addEventListener('load', report);"
                                        "})();")
                             .arg(SubFrameMarker()));
    scripts().insert(script);
}

} // namespace web
