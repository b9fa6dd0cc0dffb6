#include "platform/web/BrowserEngine.h"

#include "platform/web/CommandSchemeHandler.h"
#include "platform/web/PageTextStore.h"

#include <QCoreApplication>
#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineUrlScheme>

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace web::engine {

namespace {

constexpr const char* CommandSchemes[] = { "tessel", "orlan" };

void RegisterScheme(const char* name, QWebEngineUrlScheme::Syntax syntax)
{
    QWebEngineUrlScheme scheme(name);
    scheme.setSyntax(syntax);
    QWebEngineUrlScheme::registerScheme(scheme);
}

void AddChromiumSwitch(std::string& flags, const char* flag)
{
    if (flags.find(flag) != std::string::npos)
        return;
    if (!flags.empty())
        flags += ' ';
    flags += flag;
}

// Chromium refuses to start its sandbox as root, and the suite never wants the
// engine to talk to anything but the pages it is shown.
void SetChromiumSwitches()
{
    const char* current = std::getenv("QTWEBENGINE_CHROMIUM_FLAGS");
    std::string flags = current ? current : "";
    if (geteuid() == 0)
        AddChromiumSwitch(flags, "--no-sandbox");
    AddChromiumSwitch(flags, "--disable-background-networking");
    AddChromiumSwitch(flags, "--disable-component-update");
    AddChromiumSwitch(flags, "--disable-domain-reliability");
    AddChromiumSwitch(flags, "--no-pings");
    setenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.c_str(), 1);
}

// Schemes can only be registered before the application object is made, so
// this runs while the program loads; any program that uses a browser control
// links this file.
bool PrepareEngine()
{
    for (const char* name : CommandSchemes)
        RegisterScheme(name, QWebEngineUrlScheme::Syntax::Path);
    // One host for all page texts: the engine then keeps a page's renderer
    // process from one text to the next instead of starting a new one.
    RegisterScheme(PageTextScheme, QWebEngineUrlScheme::Syntax::Host);
    SetChromiumSwitches();
    if (!QCoreApplication::instance())
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    return true;
}

[[maybe_unused]] const bool enginePrepared = PrepareEngine();

} // namespace

QWebEngineProfile* Profile()
{
    QWebEngineProfile* profile = QWebEngineProfile::defaultProfile();
    if (!CPageTextStore::Instance()) {
        for (const char* name : CommandSchemes)
            profile->installUrlSchemeHandler(name, new CCommandSchemeHandler(profile));
        profile->installUrlSchemeHandler(PageTextScheme, CPageTextStore::Create(profile));
    }
    return profile;
}

bool IsCommandUrl(const QUrl& url)
{
    const QString scheme = url.scheme();
    for (const char* name : CommandSchemes) {
        if (scheme.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool IsPageTextUrl(const QUrl& url)
{
    return url.scheme().compare(QLatin1String(PageTextScheme), Qt::CaseInsensitive) == 0;
}

} // namespace web::engine

#if defined(__SANITIZE_ADDRESS__)
// Sanitizer builds: the engine's own code deletes some objects through a base
// without a virtual destructor, and the engine, fontconfig and udev keep
// allocations until the process ends. None of it is ours to fix; every program
// with a browser control would otherwise stop or fail at exit.
extern "C" const char* __asan_default_options()
{
    return "new_delete_type_mismatch=0";
}

extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libQt6WebEngineCore.so\n"
           "leak:libfontconfig.so\n"
           "leak:libudev.so\n";
}
#endif
