#include "tools/script/ScriptHost.h"

#include "platform/base/CodePage.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

// The globals a script sees, over the host object `host`.
const char* PreludeSource = R"JS(
(function (host, name, fullName, argumentList) {
    var args = function (index) { return argumentList[index]; };
    Object.defineProperty(args, "length", { value: argumentList.length });
    args.Item = args;
    args.Count = function () { return argumentList.length; };
    for (var i = 0; i < argumentList.length; ++i)
        args[i] = argumentList[i];
    this.WScript = {
        Echo: function () { host.echo(Array.prototype.map.call(arguments, String).join(" ")); },
        Quit: function (code) { host.quit(code === undefined ? 0 : Number(code)); },
        Arguments: args,
        ScriptName: name,
        ScriptFullName: fullName
    };
    this.ActiveXObject = function (progId) { return host.create(String(progId)); };
})
)JS";

// Script files are UTF-8; a file that is not is read as code page 936.
QString DecodeScript(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    const std::u16string wide
        = base::AnsiToUtf16(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return QString(reinterpret_cast<const QChar*>(wide.data()), static_cast<qsizetype>(wide.size()));
}

} // namespace

CScriptHost::CScriptHost(std::FILE* output, std::FILE* errors)
    : m_output(output)
    , m_errors(errors)
    , m_bridge(std::make_unique<CDispatchBridge>(m_engine))
{
    m_engine.installExtensions(QJSEngine::ConsoleExtension);
}

CScriptHost::~CScriptHost()
{
    // Components go before the engine that refers to them.
    m_bridge.reset();
}

int CScriptHost::Run(const QString& file, const QStringList& arguments)
{
    QFile source(file);
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(m_errors, "%s: cannot read the script: %s\n", file.toUtf8().constData(),
            source.errorString().toUtf8().constData());
        return 1;
    }
    const QString program = DecodeScript(source.readAll());

    QJSValue argumentList = m_engine.newArray(static_cast<uint>(arguments.size()));
    for (int i = 0; i < arguments.size(); ++i)
        argumentList.setProperty(static_cast<quint32>(i), arguments[i]);
    const QJSValue prelude = m_engine.evaluate(QString::fromUtf8(PreludeSource));
    prelude.call(
        { m_engine.newQObject(this), QFileInfo(file).fileName(), QFileInfo(file).absoluteFilePath(), argumentList });
    // The host belongs to this object, not to the engine.
    QJSEngine::setObjectOwnership(this, QJSEngine::CppOwnership);

    QStringList trace;
    const QJSValue result = m_engine.evaluate(program, file, 1, &trace);
    if (m_quit)
        return m_exitCode;
    if (result.isError()) {
        Report(file, result, trace);
        return 1;
    }
    return 0;
}

void CScriptHost::Report(const QString& file, const QJSValue& error, const QStringList& trace)
{
    // An error thrown by a component call carries the bridge's line; the
    // script's own line is its innermost frame outside the bridge
    // ("function:line:column:url").
    int line = error.property(QStringLiteral("lineNumber")).toInt();
    for (const QString& frame : trace) {
        const QStringList parts = frame.split(QLatin1Char(':'));
        if (parts.size() < 4)
            continue;
        const QString url = parts.mid(3).join(QLatin1Char(':'));
        if (url.isEmpty() || url.endsWith(QStringLiteral("dispatch-bridge")))
            continue;
        line = parts[1].toInt();
        break;
    }
    QString message = error.property(QStringLiteral("message")).toString();
    if (message.isEmpty())
        message = error.toString();
    std::fprintf(m_errors, "%s:%d: %s\n", file.toUtf8().constData(), line, message.toUtf8().constData());
    std::fflush(m_errors);
}

void CScriptHost::echo(const QString& line)
{
    std::fprintf(m_output, "%s\n", line.toUtf8().constData());
    std::fflush(m_output);
}

void CScriptHost::quit(int code)
{
    m_quit = true;
    m_exitCode = code;
    m_engine.setInterrupted(true);
}

QJSValue CScriptHost::create(const QString& progId)
{
    return m_bridge->Create(progId);
}
