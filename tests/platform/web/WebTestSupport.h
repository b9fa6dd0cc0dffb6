#pragma once

// Helpers for the browser tests: waiting with the event loop running, and
// running script in the page a widget shows.

#include <QTest>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <functional>

namespace webtest {

constexpr int WaitMilliseconds = 30000;

inline bool WaitFor(const std::function<bool()>& condition)
{
    return QTest::qWaitFor(condition, WaitMilliseconds);
}

// The page inside a browser control or a widget that holds one.
inline QWebEnginePage* PageOf(QWidget* widget)
{
    return widget->findChild<QWebEngineView*>()->page();
}

inline QVariant Evaluate(QWidget* widget, const QString& script)
{
    QVariant result;
    bool done = false;
    PageOf(widget)->runJavaScript(script, [&](const QVariant& value) {
        result = value;
        done = true;
    });
    EXPECT_TRUE(WaitFor([&] { return done; })) << script.toStdString();
    return result;
}

inline void Click(QWidget* widget, const char* id)
{
    Evaluate(widget, QStringLiteral("document.getElementById('%1').click()").arg(QLatin1String(id)));
}

} // namespace webtest
