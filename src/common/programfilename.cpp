// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/programfilename.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// The extension of the file name part, with its ".", in lower case; empty when there is none.
QString extensionOf(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot).toLower();
}

}

SaveFileName programFileSaveName(const QString &chosen)
{
    SaveFileName result;
    const QString extension = extensionOf(chosen);
    if (extension == u".rk5") {
        result.ok = true;
        result.path = chosen;
    } else if (extension.isEmpty()) {
        result.ok = true;
        result.path = chosen + u".rk5"_s;
    }
    return result;
}

bool hasProgramFileExtension(const QString &path)
{
    return extensionOf(path) == u".rk5";
}
