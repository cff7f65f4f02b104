// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

QString programFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Before the application object exists Qt has no answer and would leave every file
    // relative to the working directory; the kernel's link to the running executable has one.
    const QString executable = QFileInfo(u"/proc/self/exe"_s).canonicalFilePath();
    return executable.isEmpty() ? QString() : QFileInfo(executable).absolutePath();
}

QString programFilePath(const QString &relativeName)
{
    QString name = relativeName;
    name.replace(u'\\', u'/');
    return QDir(programFolder()).filePath(name);
}
