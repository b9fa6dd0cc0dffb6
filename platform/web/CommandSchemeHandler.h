#pragma once

#include <QWebEngineUrlSchemeHandler>

namespace web {

// Answers "tessel:" and "orlan:" requests. Hosts act on these command URLs in
// their before-navigate event and cancel them; one that a host lets through
// has no document, so its load is aborted and the current page stays.
class CCommandSchemeHandler : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void requestStarted(QWebEngineUrlRequestJob* job) override;
};

} // namespace web
