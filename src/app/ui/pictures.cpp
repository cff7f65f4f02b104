#include "app/ui/pictures.h"

#include "app/ui/errorguard.h"
#include "common/programfolder.h"

#include <QDir>

namespace ui {

namespace {

QString &testFolder()
{
    static QString folder;
    return folder;
}

}

QString picturePath(const QString &relativeName)
{
    if (testFolder().isEmpty())
        return programFilePath(relativeName);
    QString name = relativeName;
    name.replace(u'\\', u'/');
    return QDir(testFolder()).filePath(name);
}

QPixmap loadPicture(const QString &relativeName)
{
    QPixmap pixmap;
    if (!pixmap.load(picturePath(relativeName)))
        throw Failure(QStringLiteral("画像 %1 を読み込めません").arg(relativeName));
    return pixmap;
}

QPixmap loadPictureQuietly(const QString &relativeName)
{
    QPixmap pixmap;
    pixmap.load(picturePath(relativeName));
    return pixmap;
}

QString buttonPictureName(const QString &componentName, bool pressed, const QString &extension)
{
    return QStringLiteral("Photo\\Button\\") + componentName + (pressed ? QStringLiteral("-1") : QString())
           + extension;
}

QString backgroundPictureName(const QString &name)
{
    return QStringLiteral("Photo\\Back\\") + name + QStringLiteral(".jpg");
}

void setPictureFolderForTests(const QString &folder)
{
    testFolder() = folder;
}

}
