#include "app/settings/workfolder.h"

#include <QDir>
#include <QStandardPaths>

QString workFolderPathFor(const QString &documentsFolder)
{
    QString base = QDir::fromNativeSeparators(documentsFolder);
    if (!base.endsWith(u'/'))
        base += u'/';
    return base + QStringLiteral("RK-25Temp/");
}

QString WorkFolderPath()
{
    const QString path = workFolderPathFor(
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    // A failure here shows up later, when the file in it cannot be written.
    QDir().mkpath(path);
    return path;
}
