#include "common/programfolder.h"

#include <QCoreApplication>
#include <QDir>

QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString programFilePath(const QString &relativeName)
{
    QString name = relativeName;
    name.replace(u'\\', u'/');
    return QDir(programFolder()).filePath(name);
}
