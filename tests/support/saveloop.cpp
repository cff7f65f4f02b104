// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/saveloop.h"

#include "app/settings/settingsfile.h"
#include "common/cp932.h"
#include "icon/iconfile.h"
#include "route/routefile.h"
#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace saveloop {

namespace {

using testenv::fileBytes;

IconProgram iconVersion(int version)
{
    IconProgram program;
    program.setFromIcon(0, version ? u"R_Turn" : u"FF");
    program.setValue(0, version ? 90 : 15);
    if (version) {
        for (int i = 1; i < 40; ++i) {
            program.setFromIcon(i, u"BB");
            program.setValue(i, i);
        }
    }
    return program;
}

RouteModel routeVersion(int version)
{
    RouteModel route;
    route.startRoute(100, 700);
    const int steps = version ? 30 : 2;
    for (int i = 1; i <= steps; ++i)
        route.addPoint(100 + 20 * (i % 2), 700 - 20 * i, 0, 0, 110);
    return route;
}

QStringList textVersion(int version)
{
    QStringList lines{u"KB"_s, u"// もじの プログラム"_s};
    for (int i = 0; i < (version ? 120 : 3); ++i)
        lines << u"motor(fwd,fwd)"_s << u"wait(%1)"_s.arg(i % 50 + 1);
    return lines;
}

}

bool saveAll(const QString &folder, int version)
{
    const QString dir = folder + u'/';
    bool ok = writeIconFile(dir + u"icon.rk5"_s, iconVersion(version));
    ok = cp932::writeLines(dir + u"text.rk5"_s, textVersion(version)) && ok;
    ok = writeRouteFile(dir + u"route.rk5"_s, routeVersion(version)) && ok;
    SettingsFile settings(dir + u"set.ini"_s);
    ok = settings.setFontName(version ? u"メイリオ"_s : u"MS Pゴシック"_s).ok && ok;
    return ok;
}

QList<Versions> expectedFiles()
{
    QTemporaryDir first;
    QTemporaryDir second;
    saveAll(first.path(), 0);
    saveAll(second.path(), 1);
    QList<Versions> files;
    for (const QString &name : {u"icon.rk5"_s, u"text.rk5"_s, u"route.rk5"_s, u"set.ini"_s})
        files.append({name, fileBytes(first.path() + u'/' + name), fileBytes(second.path() + u'/' + name)});
    return files;
}

int runForever(const QString &folder)
{
    for (int round = 0;; ++round) {
        saveAll(folder, round % 2);
        if (round == 0) {
            std::fputs("ready\n", stdout);
            std::fflush(stdout);
        }
    }
}

KillOutcome killRepeatedly(const QString &program, int kills, quint32 seed)
{
    KillOutcome outcome;
    QRandomGenerator random(seed);
    const QList<Versions> expected = expectedFiles();
    QTemporaryDir folder;
    saveAll(folder.path(), 0);
    for (int k = 0; k < kills; ++k) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(CHILD_VARIABLE), folder.path());
        child.setProcessEnvironment(env);
        child.start(program, {});
        if (!child.waitForStarted(10000) || !child.waitForReadyRead(10000)) {
            outcome.problems << u"the saving child did not start"_s;
            return outcome;
        }
        // Somewhere inside one of the next rounds of saving.
        QThread::usleep(random.bounded(30000u));
        child.kill();
        child.waitForFinished(10000);
        ++outcome.kills;

        QStringList names = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (const Versions &file : expected) {
            names.removeAll(file.name);
            const QByteArray now = fileBytes(folder.path() + u'/' + file.name);
            if (now != file.first && now != file.second) {
                ++outcome.torn;
                outcome.problems << u"kill %1: %2 is neither version (%3 bytes)"_s.arg(k).arg(file.name).arg(now.size());
            }
        }
        // A kill between the two steps of a save's rename leaves its temporary copy; the next
        // save of that file must take it away.
        outcome.leftBehind += int(names.size());
        if (!names.isEmpty()) {
            saveAll(folder.path(), 0);
            const QStringList after = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
            for (const QString &name : after) {
                if (std::none_of(expected.cbegin(), expected.cend(), [&](const Versions &v) { return v.name == name; })) {
                    ++outcome.leftovers;
                    outcome.problems << u"kill %1: still beside the files after the next save: %2"_s.arg(k).arg(name);
                    QFile::remove(folder.path() + u'/' + name);
                }
            }
        }
    }
    return outcome;
}

}
