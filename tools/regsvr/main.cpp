// regsvr [/s] [/u] FILE: registers or unregisters a component.

#include "tools/regsvr/Registration.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool HasDisplay()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && std::strncmp(platform, "offscreen", 9) == 0)
        return false;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

int Show(int argc, char** argv, const regsvr::Outcome& outcome)
{
    if (!HasDisplay()) {
        std::printf("%s\n", outcome.message.c_str());
        return outcome.code;
    }
    QApplication application(argc, argv);
    const QString text = QString::fromUtf8(outcome.message.c_str());
    if (outcome.code == regsvr::Success)
        QMessageBox::information(nullptr, QStringLiteral("regsvr"), text);
    else
        QMessageBox::critical(nullptr, QStringLiteral("regsvr"), text);
    return outcome.code;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    const auto options = regsvr::ParseArguments(arguments);
    if (!options) {
        std::fprintf(stderr, "%s\n", regsvr::Usage().c_str());
        return regsvr::UsageError;
    }
    const regsvr::Outcome outcome = regsvr::Run(*options);
    if (options->silent) {
        if (outcome.code != regsvr::Success)
            std::fprintf(stderr, "%s\n", outcome.message.c_str());
        return outcome.code;
    }
    return Show(argc, argv, outcome);
}
