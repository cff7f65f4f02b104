// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platformchoice.h"

#include <QtGlobal>

namespace platformchoice {

namespace {

// Qt takes "-platform NAME" and "--platform NAME".
bool namesPlatform(const QList<QByteArray> &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QByteArray &a = arguments.at(i);
        if (a == "-platform" || a == "--platform")
            return true;
    }
    return false;
}

}

Environment currentEnvironment()
{
    return {qgetenv("QT_QPA_PLATFORM"), qgetenv("XDG_SESSION_TYPE"), qgetenv("WAYLAND_DISPLAY"),
            qgetenv("DISPLAY")};
}

QByteArray chosenPlatform(const Environment &environment, const QList<QByteArray> &arguments)
{
    if (!environment.qpaPlatform.isEmpty() || namesPlatform(arguments))
        return {};
    const bool wayland = environment.sessionType.trimmed().toLower() == "wayland"
                         || !environment.waylandDisplay.isEmpty();
    if (!wayland || environment.display.isEmpty())
        return {};
    return "xcb";
}

void applyBeforeStart(int argc, char **argv)
{
    QList<QByteArray> arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    const QByteArray platform = chosenPlatform(currentEnvironment(), arguments);
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

}
