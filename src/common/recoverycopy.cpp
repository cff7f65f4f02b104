// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/recoverycopy.h"

#include "common/cp932.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace recovery {

QString folderIn(const QString &workFolder)
{
    QString base = workFolder;
    if (!base.isEmpty() && !base.endsWith(u'/'))
        base += u'/';
    return base + QString::fromUtf16(FOLDER_NAME) + u'/';
}

void noteNormalEnd(const QString &workFolder)
{
    const QString folder = folderIn(workFolder);
    if (!QDir(folder).exists())
        return;
    // The marker's time is what counts; its content only says what it is.
    QSaveFile marker(folder + QString::fromUtf16(END_MARKER_NAME));
    if (marker.open(QIODevice::WriteOnly)) {
        marker.write(QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toLatin1() + "\r\n");
        marker.commit();
    }
}

}

RecoveryCopy::RecoveryCopy(const QString &fileName, std::function<QString()> workFolder, Lines lines)
    : m_fileName(fileName)
    , m_workFolder(std::move(workFolder))
    , m_lines(std::move(lines))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(recovery::WRITE_DELAY_MS);
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { writeNow(); });
}

QString RecoveryCopy::path() const
{
    return recovery::folderIn(m_workFolder()) + m_fileName;
}

void RecoveryCopy::changed()
{
    if (!m_timer.isActive())
        m_timer.start();
}

bool RecoveryCopy::writeNow()
{
    m_timer.stop();
    const QStringList lines = m_lines();
    const QString file = path();
    if (lines.isEmpty()) {
        QFile::remove(file);
        return true;
    }
    QDir().mkpath(QFileInfo(file).path());
    // No box: a safety copy that cannot be written must not stop the lesson.
    return cp932::writeLines(file, lines);
}

bool RecoveryCopy::exists() const
{
    return QFileInfo::exists(path());
}

void RecoveryCopy::remove()
{
    m_timer.stop();
    QFile::remove(path());
}

std::optional<QStringList> RecoveryCopy::leftOver() const
{
    const QFileInfo copy(path());
    if (!copy.exists())
        return std::nullopt;
    const QFileInfo marker(recovery::folderIn(m_workFolder()) + QString::fromUtf16(recovery::END_MARKER_NAME));
    // Same time counts as after: at an end the marker is written first, the copies kept after it.
    if (marker.exists() && copy.lastModified() < marker.lastModified())
        return std::nullopt;
    const cp932::ReadResult read = cp932::readLines(copy.filePath());
    if (!read.ok || read.lines.isEmpty())
        return std::nullopt;
    return read.lines;
}
