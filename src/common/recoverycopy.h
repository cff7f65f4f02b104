// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <optional>

// A copy of a screen's unsaved program, kept so that a crash, a power cut or a logout loses at
// most the last second of a pupil's work. Each screen has one file in a hidden folder of the
// working folder, in the screen's own program-file format, and beside it a record naming the
// run that wrote it. A copy written by another run is offered by its screen and stays until the
// pupil has answered; a run touches only the copies it wrote itself. Nothing compares file
// times, so a PC whose clock jumps at boot loses nothing.
namespace recovery {

inline constexpr char16_t FOLDER_NAME[] = u".recovery";
// Beside each copy: the run that wrote it.
inline constexpr char16_t RUN_RECORD_SUFFIX[] = u".run";
// From the first change not yet on disk to its copy.
inline constexpr int WRITE_DELAY_MS = 1000;

// The hidden folder inside a working folder (which ends with a separator), with a separator.
QString folderIn(const QString &workFolder);

// This run's name, made once per start of the program (a random UUID).
QString thisRun();
// A new run begins (the program's start; a test stands for a later start with it).
void beginRun();
// The run is ending: no copy of another run is let go from now on, whatever a box still open
// answers when the end closes it.
void endRun();
bool runEnding();

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
    // Writes at once as this run's copy (or removes this run's copy when there is nothing to
    // keep); false when the copy could not be written.
    bool writeNow();
    // At the end of the run: writes what is pending or already this run's; a copy another run
    // left stays as it is.
    void keepAtEnd();
    // The program was saved, emptied on purpose, or the pupil declined the offered copy: no
    // copy, none pending.
    void remove();
    bool exists() const;
    // The copy on disk was written by this run.
    bool ownedByThisRun() const;

    // The copy another run left (a crash, a power cut, a logout, or an end before it was
    // offered): offered until the pupil answers.
    std::optional<QStringList> leftOver() const;

    QString path() const;

private:
    QString runRecordPath() const;

    QString m_fileName;
    std::function<QString()> m_workFolder;
    Lines m_lines;
    QTimer m_timer;
};
