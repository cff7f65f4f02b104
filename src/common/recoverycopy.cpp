// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/recoverycopy.h"

#include "common/cp932.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace recovery {

namespace {

struct RunState
{
    QString name = QUuid::createUuid().toString(QUuid::WithoutBraces);
    bool ending = false;
};

RunState &run()
{
    static RunState state;
    return state;
}

}

QString folderIn(const QString &workFolder)
{
    QString base = workFolder;
    if (!base.isEmpty() && !base.endsWith(u'/'))
        base += u'/';
    return base + QString::fromUtf16(FOLDER_NAME) + u'/';
}

QString thisRun()
{
    return run().name;
}

void beginRun()
{
    run() = RunState();
}

void endRun()
{
    run().ending = true;
}

bool runEnding()
{
    return run().ending;
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

QString RecoveryCopy::runRecordPath() const
{
    return path() + QString::fromUtf16(recovery::RUN_RECORD_SUFFIX);
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
    if (lines.isEmpty()) {
        if (ownedByThisRun() || !exists())
            remove();
        return true;
    }
    QDir().mkpath(QFileInfo(path()).path());
    // The copy first: cut off before its record, it still names the run before, which offers it
    // at the next start, as after any crash.
    // No box: a safety copy that cannot be written must not stop the lesson.
    return cp932::writeLines(path(), lines) && cp932::writeLines(runRecordPath(), {recovery::thisRun()});
}

void RecoveryCopy::keepAtEnd()
{
    if (pending() || ownedByThisRun())
        writeNow();
}

bool RecoveryCopy::exists() const
{
    return QFileInfo::exists(path());
}

bool RecoveryCopy::ownedByThisRun() const
{
    const cp932::ReadResult record = cp932::readLines(runRecordPath());
    return exists() && record.ok && record.lines.value(0) == recovery::thisRun();
}

void RecoveryCopy::remove()
{
    m_timer.stop();
    QFile::remove(path());
    QFile::remove(runRecordPath());
}

std::optional<QStringList> RecoveryCopy::leftOver() const
{
    // A copy without a record comes from a version that kept none: another run's too.
    if (!exists() || ownedByThisRun())
        return std::nullopt;
    const cp932::ReadResult read = cp932::readLines(path());
    if (!read.ok || read.lines.isEmpty())
        return std::nullopt;
    return read.lines;
}
