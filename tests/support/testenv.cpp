// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/testenv.h"

#include <QFile>
#include <QProcess>

using namespace Qt::StringLiterals;

namespace testenv {

QString binDir()
{
    return QStringLiteral(RK25_BIN_DIR);
}

QString sourceDir()
{
    return QStringLiteral(RK25_SOURCE_DIR);
}

QString rk25cPath()
{
    return binDir() + QStringLiteral("/rk25c");
}

QString rk25RobotPath()
{
    return binDir() + QStringLiteral("/rk25-robot");
}

Outcome runProgram(const QString &program, const QStringList &args, const QByteArray &input)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForStarted(10000))
        return {};
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(30000))
        p.kill();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

Outcome runRk25c(const QStringList &args, const QByteArray &input)
{
    return runProgram(rk25cPath(), args, input);
}

Outcome runRk25Robot(const QStringList &args, const QByteArray &input)
{
    return runProgram(rk25RobotPath(), args, input);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll();
}

QString numberLine(const QString &start, int fill)
{
    QStringList parts{start};
    for (int i = 0; i < fill; ++i)
        parts << QStringLiteral("254");
    return parts.join(u' ') + u'\n';
}

QProcessEnvironment accountEnvironment(const QString &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"HOME"_s, home);
    env.insert(u"XDG_CONFIG_HOME"_s, home + u"/.config"_s);
    env.remove(u"XDG_DOCUMENTS_DIR"_s);
    return env;
}

}
