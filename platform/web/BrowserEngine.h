#pragma once

// What every browser control of the process shares: the URL schemes the
// engine must know before the application object exists, the engine's
// command-line switches, and the profile its pages live in.

class QUrl;
class QWebEngineProfile;

namespace web::engine {

// The scheme under which page texts handed to a control are served.
inline constexpr char PageTextScheme[] = "plinth-page";

// The profile of every control's page, with the scheme handlers installed.
QWebEngineProfile* Profile();

// "tessel:" and "orlan:" addresses, in any case.
bool IsCommandUrl(const QUrl& url);
bool IsPageTextUrl(const QUrl& url);

} // namespace web::engine
