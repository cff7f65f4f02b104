// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/pdfpages.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

constexpr int TOOL_TIMEOUT_MS = 60000;

QString run(const QString &tool, const QStringList &args)
{
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(TOOL_TIMEOUT_MS) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

}

namespace pdfpages {

bool toolsAvailable()
{
    for (const QString &tool : {u"pdftotext"_s, u"pdfinfo"_s, u"pdftoppm"_s}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return false;
    }
    return true;
}

QString toolOutput(const QString &tool, const QString &path)
{
    return run(tool, {path});
}

int pageCount(const QString &path)
{
    static const QRegularExpression pages(uR"(Pages:\s+(\d+))"_s);
    return pages.match(toolOutput(u"pdfinfo"_s, path)).captured(1).toInt();
}

QString text(const QString &path, int page)
{
    QStringList args;
    if (page > 0)
        args << u"-f"_s << QString::number(page) << u"-l"_s << QString::number(page);
    args << path << u"-"_s;
    return run(u"pdftotext"_s, args);
}

QList<Word> words(const QString &path)
{
    const QString html = run(u"pdftotext"_s, {u"-bbox"_s, path, u"-"_s});
    static const QRegularExpression item(
        uR"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"_s);
    QList<Word> found;
    int pageNumber = 0;
    for (const QRegularExpressionMatch &m : item.globalMatch(html)) {
        if (m.captured(1).isEmpty()) {
            ++pageNumber;
            continue;
        }
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        found.append({pageNumber, QRectF(topLeft, bottomRight), m.captured(5)});
    }
    return found;
}

QString pagePicture(const QString &path, int page, int dpi)
{
    const QString base = path + u"-page%1"_s.arg(page);
    const QString number = QString::number(page);
    QProcess p;
    p.start(u"pdftoppm"_s, {u"-r"_s, QString::number(dpi), u"-f"_s, number, u"-l"_s, number, u"-png"_s,
                            u"-singlefile"_s, path, base});
    if (!p.waitForFinished(TOOL_TIMEOUT_MS) || p.exitCode() != 0)
        return QString();
    const QString png = base + u".png"_s;
    return QFile::exists(png) ? png : QString();
}

}
