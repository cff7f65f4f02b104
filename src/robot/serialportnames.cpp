// SPDX-License-Identifier: GPL-3.0-or-later
#include "robot/serialportnames.h"

#include "common/workfolder.h"
#include "robot/portdiagnosis.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString linkPath(int number, const QString &workFolder)
{
    QString folder = workFolder.isEmpty() ? WorkFolderPath() : workFolder;
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder + u"com%1"_s.arg(number);
}

// /dev/ttyUSB0, /dev/ttyUSB1, ..., then /dev/ttyACM0, ...; ttyUSB2 comes before ttyUSB10.
QStringList usbAdapters()
{
    QStringList result;
    const QDir dev(u"/dev"_s);
    for (const char *prefixText : {"ttyUSB", "ttyACM"}) {
        const QString prefix = QString::fromLatin1(prefixText);
        QList<std::pair<int, QString>> found;
        const QStringList names = dev.entryList({prefix + u'*'}, QDir::System | QDir::Files);
        for (const QString &name : names) {
            bool ok = false;
            const int n = name.mid(prefix.size()).toInt(&ok);
            if (ok)
                found.append({n, name});
        }
        std::sort(found.begin(), found.end());
        for (const auto &entry : found)
            result.append(u"/dev/"_s + entry.second);
    }
    return result;
}

}

int comPortNumber(const QString &name)
{
    static const QRegularExpression pattern(u"^com([1-4])$"_s,
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(name);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QString resolvePortName(const QString &name, const QString &workFolder)
{
    const int number = comPortNumber(name);
    if (number == 0)
        return name;
    const QFileInfo link(linkPath(number, workFolder));
    if (link.isSymLink())
        return link.symLinkTarget();
    const QStringList adapters = usbAdapters();
    if (number <= adapters.size())
        return adapters.at(number - 1);
    return u"/dev/ttyS%1"_s.arg(number - 1);
}

QString describeComPort(int index, const QString &workFolder)
{
    if (index < 0 || index > 3)
        return {};
    const int number = index + 1;
    const QString device = resolvePortName(u"com%1"_s.arg(number), workFolder);
    QString text;
    if (QFileInfo(linkPath(number, workFolder)).isSymLink())
        text = u"リンク → %1"_s.arg(device);
    else if (device.startsWith(u"/dev/ttyUSB") || device.startsWith(u"/dev/ttyACM"))
        text = u"USBシリアル %1"_s.arg(device);
    else
        text = device;
    return text;
}

PortStatus comPortStatus(int index, const QString &workFolder)
{
    if (index < 0 || index > 3)
        return {PortCause::NotFound, {}, 0, {}, {}};
    return diagnosePort(resolvePortName(u"com%1"_s.arg(index + 1), workFolder));
}
