// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/workfolder.h"

#include <QDir>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

QString workFolderPathFor(const QString &documentsFolder)
{
    QString base = QDir::fromNativeSeparators(documentsFolder);
    if (!base.endsWith(u'/'))
        base += u'/';
    return base + u"RK-25Temp/"_s;
}

QString WorkFolderPath()
{
    const QString path = workFolderPathFor(
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    // A failure here shows up later, when the file in it cannot be written.
    QDir().mkpath(path);
    return path;
}
