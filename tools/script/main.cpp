// plinth-script FILE.js [ARG...]: runs a JavaScript file that scripts the
// suite's components.

#include "platform/automation/ComponentLibrary.h"
#include "tools/script/ScriptHost.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr,
            "Usage: plinth-script FILE.js [ARG...]\n"
            "Runs a script; new ActiveXObject(\"ProgID\") creates a registered component.\n");
        return 2;
    }
    QCoreApplication application(argc, argv);
    QStringList arguments;
    for (int i = 2; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    CoInitialize(nullptr);
    int code = 0;
    {
        CScriptHost host(stdout, stderr);
        code = host.Run(QString::fromLocal8Bit(argv[1]), arguments);
    }
    CoUninitialize();
    return code;
}
