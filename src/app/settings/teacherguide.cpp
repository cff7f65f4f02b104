// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/teacherguide.h"

#include "app/ui/messagebox.h"
#include "common/programfolder.h"

#include <QtWidgets/QWidget>

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

using namespace Qt::StringLiterals;

QString teacherGuidePath()
{
    return programFilePath(u"Navi\\teacher\\index.html"_s);
}

void openTeacherGuide(QWidget *parent)
{
    const QString path = teacherGuidePath();
    if (QFileInfo::exists(path) && QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        return;
    ui::showMessage(parent, ui::MessageKind::Information,
                    u"先生むけ せつめいを ひらけませんでした。\r\nウェブブラウザで つぎの ファイルを ひらいてください。\r\n%1"_s
                        .arg(QDir::toNativeSeparators(path)));
}
