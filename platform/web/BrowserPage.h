#pragma once

#include "platform/web/BrowserControl.h"

#include <QWebEnginePage>

class QWebEngineLoadingInfo;
class QWebEngineNewWindowRequest;

namespace web {

// The page behind one browser control: turns the engine's callbacks into the
// control's events. A host may destroy its control from inside an event (a
// command URL that closes the window); the page then outlives the control
// until the engine's call has returned, since the engine is still using it.
class CBrowserPage : public QWebEnginePage {
public:
    CBrowserPage(FrameIdentity topLevel, FrameIdentity subFrame);
    ~CBrowserPage() override;

    // Addresses and titles as hosts see them.
    static QString PublicUrl(const QUrl& url);
    static QString PublicTitle(const QString& title);

    // Loads `html` as the top-level document, without a before-navigate event.
    void LoadText(QByteArray html);

    // The control is gone: delete at once, or as soon as the running event returns.
    // `view` is the control's engine view, which goes with the page.
    void Release(QWidget* view);

    CBrowserControl::BeforeNavigate2Handler beforeNavigate2;
    CBrowserControl::DocumentCompleteHandler documentComplete;
    CBrowserControl::TitleChangeHandler titleChange;
    CBrowserControl::NewWindowHandler newWindow;

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    void javaScriptConsoleMessage(
        JavaScriptConsoleMessageLevel level, const QString& message, int line, const QString& source) override;

private:
    void OnLoadingChanged(const QWebEngineLoadingInfo& info);
    void OnTitleChanged(const QString& title);
    void OnNewWindowRequested(QWebEngineNewWindowRequest& request);
    void InstallSubFrameReporter();

    // Runs a host's handler; a copy, so that a host replacing or dropping its handler inside it is safe.
    template <typename Handler, typename... Arguments> void Fire(const Handler& handler, Arguments&&... arguments);

    FrameIdentity m_topLevel;
    FrameIdentity m_subFrame;
    quint64 m_textKey;
    QUrl m_textUrl;
    int m_eventDepth = 0;
    bool m_released = false;
    QWidget* m_releasedView = nullptr;
};

} // namespace web
