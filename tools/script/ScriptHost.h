#pragma once

// Runs one JavaScript file as a user or administrator scripts the suite:
// `new ActiveXObject("ProgID")` creates any registered component, and the
// global WScript offers Echo(...) (one line on standard output, UTF-8),
// Arguments (the arguments after the file; Arguments(i), Arguments.Item(i),
// Arguments.length and Arguments.Count()), ScriptName, ScriptFullName and
// Quit(code).
//
// The thread that runs scripts must have initialised the component library.

#include "tools/script/DispatchBridge.h"

#include <QJSEngine>
#include <QObject>
#include <QStringList>

#include <cstdio>
#include <memory>

class CScriptHost : public QObject {
    Q_OBJECT
public:
    CScriptHost(std::FILE* output, std::FILE* errors);
    ~CScriptHost() override;

    // The script's exit code: Quit's code, 0 when it runs to its end, 1 after
    // an uncaught error (reported as "file:line: message" on the error
    // stream) or when the file cannot be read.
    int Run(const QString& file, const QStringList& arguments);

    Q_INVOKABLE void echo(const QString& line);
    Q_INVOKABLE void quit(int code);
    Q_INVOKABLE QJSValue create(const QString& progId);

private:
    void Report(const QString& file, const QJSValue& error, const QStringList& trace);

    std::FILE* m_output;
    std::FILE* m_errors;
    QJSEngine m_engine;
    std::unique_ptr<CDispatchBridge> m_bridge;
    bool m_quit = false;
    int m_exitCode = 0;
};
