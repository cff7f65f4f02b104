#include "support/testenv.h"

#include <QProcess>

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

Outcome runRk25c(const QStringList &args, const QByteArray &input)
{
    QProcess p;
    p.start(rk25cPath(), args);
    if (!p.waitForStarted(10000))
        return {};
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(30000))
        p.kill();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

}
