// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/pictures.h"

#include "app/ui/errorguard.h"
#include "common/programfolder.h"

#include <QDir>

using namespace Qt::StringLiterals;

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
        throw Failure(u"画像 %1 を読み込めません"_s.arg(relativeName));
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
    return u"Photo\\Button\\"_s + componentName + (pressed ? u"-1"_s : QString())
           + extension;
}

QString backgroundPictureName(const QString &name)
{
    return u"Photo\\Back\\"_s + name + u".jpg"_s;
}

void setPictureFolderForTests(const QString &folder)
{
    testFolder() = folder;
}

}
