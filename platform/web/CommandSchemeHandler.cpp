#include "platform/web/CommandSchemeHandler.h"

#include <QWebEngineUrlRequestJob>

namespace web {

void CCommandSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job)
{
    job->fail(QWebEngineUrlRequestJob::RequestAborted);
}

} // namespace web
