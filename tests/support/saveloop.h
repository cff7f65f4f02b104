// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Saving a pupil's work over and over, for the tests that kill the saver at random moments:
// an icon program, a text program, a route and set.ini, each in two versions that follow each
// other. A file killed in the middle of its save must still be one of the two, byte for byte.
namespace saveloop {

struct Versions
{
    QString name;     // file name in the folder
    QByteArray first; // the file's bytes after a save of version 0
    QByteArray second; // ... of version 1
};

// Saves every file once in the version given (0 or 1); false when a save failed.
bool saveAll(const QString &folder, int version);

// The bytes each file holds after a save of either version (worked out by saving them).
QList<Versions> expectedFiles();

// The child's side: saves version 0, 1, 0, ... into folder until killed; says "ready" on
// standard output after the first round.
int runForever(const QString &folder);

// The environment variable that makes a test program the saving child.
inline constexpr char CHILD_VARIABLE[] = "RK25_SAVE_LOOP_FOLDER";

struct KillOutcome
{
    int kills = 0;
    int torn = 0;      // files found that were neither version
    int leftBehind = 0; // temporary copies a kill left (the next save removes them)
    int leftovers = 0;  // temporary copies still there after the next save
    QStringList problems;
};

// Starts program (with the child variable set) kill times, kills it with SIGKILL after a
// random moment of its saving, and checks the folder after each kill.
KillOutcome killRepeatedly(const QString &program, int kills, quint32 seed);

}
