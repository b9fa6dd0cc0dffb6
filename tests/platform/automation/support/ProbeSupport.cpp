#include "tests/platform/automation/support/ProbeSupport.h"

#include <QProcess>
#include <QStringList>

namespace test {

std::string ProbeComponentPath()
{
    return PLINTH_PROBE_COMPONENT;
}

std::string NotAComponentPath()
{
    return PLINTH_NOT_A_COMPONENT;
}

std::string RegsvrPath()
{
    return PLINTH_REGSVR;
}

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments)
{
    QStringList list;
    for (const std::string& argument : arguments)
        list << QString::fromUtf8(argument.c_str());
    QProcess process;
    process.start(QString::fromUtf8(program.c_str()), list);
    ProgramResult result;
    if (!process.waitForStarted(30000)) {
        result.errors = "cannot start " + program;
        return result;
    }
    process.closeWriteChannel();
    process.waitForFinished(120000);
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = process.readAllStandardOutput().toStdString();
    result.errors = process.readAllStandardError().toStdString();
    return result;
}

ProgramResult RegisterProbe()
{
    return RunProgram(RegsvrPath(), { "/s", ProbeComponentPath() });
}

} // namespace test
