// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <optional>

// A copy of a screen's unsaved program, kept so that a crash, a power cut or a logout loses at
// most the last second of a pupil's work. Each screen has one file in a hidden folder of the
// working folder, in the screen's own program-file format. A normal end leaves a marker; a copy
// newer than the marker was left by a run that did not end normally and is offered once.
namespace recovery {

inline constexpr char16_t FOLDER_NAME[] = u".recovery";
inline constexpr char16_t END_MARKER_NAME[] = u"ended";
// From the first change not yet on disk to its copy.
inline constexpr int WRITE_DELAY_MS = 1000;

// The hidden folder inside a working folder (which ends with a separator), with a separator.
QString folderIn(const QString &workFolder);
// Notes a normal end now: copies written before it are not offered again.
void noteNormalEnd(const QString &workFolder);

}

class RecoveryCopy
{
public:
    // The lines the copy holds; an empty list means nothing worth keeping (the copy goes).
    using Lines = std::function<QStringList()>;

    // fileName inside the hidden folder of workFolder(), asked at every write, so that a
    // working folder made later is still found.
    RecoveryCopy(const QString &fileName, std::function<QString()> workFolder, Lines lines);
    RecoveryCopy(const RecoveryCopy &) = delete;
    RecoveryCopy &operator=(const RecoveryCopy &) = delete;

    // A change: the copy is written WRITE_DELAY_MS after the first change not yet on disk,
    // so one written copy holds every change up to the write, however fast they come.
    void changed();
    bool pending() const { return m_timer.isActive(); }
    // Writes at once (or removes the copy when there is nothing to keep); false when the
    // copy could not be written.
    bool writeNow();
    // The program was saved or emptied on purpose: no copy, none pending.
    void remove();
    bool exists() const;

    // The copy a run that ended abnormally left (written after the last normal end).
    std::optional<QStringList> leftOver() const;

    QString path() const;

private:
    QString m_fileName;
    std::function<QString()> m_workFolder;
    Lines m_lines;
    QTimer m_timer;
};
