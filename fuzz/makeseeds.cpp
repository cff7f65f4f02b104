// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seed corpus (corpus/<target>/) with the system's own writers, so the seeds are
// files the program really makes: icon and route files, set.ini, program texts, reports.
#include "app/settings/settingsfile.h"
#include "common/cp932.h"
#include "icon/iconfile.h"
#include "robot/instructioncode.h"
#include "robot/tsmr.h"
#include "robot/wireplan.h"
#include "route/routefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

QString corpus;

void seed(const QString &target, const QString &name, const QByteArray &bytes)
{
    QDir().mkpath(corpus + u'/' + target);
    QFile f(corpus + u'/' + target + u'/' + name);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QByteArray file(const QStringList &lines)
{
    return cp932::encodeLines(lines);
}

// The robot's input is pairs (what, value): 0 a byte from the line, 3 value seconds pass.
QByteArray lineBytes(const QByteArray &bytes)
{
    QByteArray pairs;
    for (char b : bytes)
        pairs.append(char(0)).append(b);
    return pairs;
}

QByteArray secondsPass(int seconds)
{
    return QByteArray(1, char(3)) + char(seconds);
}

}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    corpus = QString::fromUtf8(RK25_SOURCE_DIR "/fuzz/corpus");

    const QStringList texts[] = {
        {u"motor(fwd,fwd)"_s, u"wait(10)"_s, u"motor(stop,stop)"_s, u"wait(5)"_s},
        {u"speed(20,20)"_s, u"loop(3)"_s, u"  motor(fwd,rev) // みぎ"_s, u"  wait(5)"_s, u"endloop"_s},
        {u"while(sw1=off)"_s, u"motor(fwd,fwd)"_s, u"wait(1)"_s, u"endwhile"_s,
         u"if(sw2=on)"_s, u"motor(rev,rev)"_s, u"wait(10)"_s, u"elseif"_s, u"motor(stop,stop)"_s,
         u"wait(10)"_s, u"endif"_s},
        {u"setio1(out)"_s, u"setio2(in)"_s, u"io1(on)"_s, u"wait(10)"_s, u"while(io2=lo)"_s,
         u"motor2(fwd,fwd)"_s, u"wait(2)"_s, u"endwhile"_s, u"while(1)"_s, u"io1(off)"_s,
         u"wait(3)"_s, u"endwhile"_s},
        {u"motor(fwd,fwd"_s, u"wait(300)"_s, u"loop(0)"_s, u"　"_s},
    };
    int n = 0;
    for (const QStringList &text : texts) {
        const QByteArray bytes = file(text);
        seed(u"tsmr"_s, u"text%1"_s.arg(++n), bytes);
        seed(u"programsource"_s, u"text%1"_s.arg(n), file(QStringList{u"KB"_s} + text));
        seed(u"cp932"_s, u"text%1"_s.arg(n), bytes);
        seed(u"report"_s, u"text%1"_s.arg(n),
             QByteArray(1, char(n)) + file(QStringList{u"5"_s, u"2"_s, u"たろう<b>"_s, u"まっすぐ"_s,
                                                      u"<i>"_s, u"たのしかった"_s, u"&amp;"_s} + text));
        TSmr smr(text.join(u'\n'));
        if (smr.Compile()) {
            const WirePlan plan = wirePlan(smr.codeLines(), ScreenKind::Text, true);
            QByteArray sent;
            for (int block = 0; block * BLOCK_SIZE < plan.image.size(); ++block)
                sent += char(block + 1) + plan.image.mid(block * BLOCK_SIZE, BLOCK_SIZE);
            seed(u"robot"_s, u"text%1"_s.arg(n), lineBytes(sent + char(CMD_START_TEXT)) + secondsPass(60));
        }
    }

    IconProgram icon;
    const std::pair<const char16_t *, int> iconSteps[] = {
        {u"FF", 15}, {u"R_Turn", 90}, {u"Repeat_Start", 3}, {u"FL", 10}, {u"Repeat_End", 0},
        {u"F_Off_Start", 0}, {u"BB", 5}, {u"F_Off_End", 0}, {u"Stop", 10}};
    int slot = 0;
    for (const auto &[name, value] : iconSteps) {
        icon.setFromIcon(slot, QStringView(name));
        icon.setValue(slot, value);
        ++slot;
    }
    seed(u"iconfile"_s, u"program"_s, file(iconFileLines(icon)));
    seed(u"programsource"_s, u"icon"_s, file(iconFileLines(icon)));
    seed(u"iconfile"_s, u"empty"_s, file(iconFileLines(IconProgram())));

    RouteModel route;
    route.startRoute(100, 700);
    const int points[][2] = {{100, 400}, {300, 400}, {400, 300}, {400, 300}, {200, 500}};
    for (const auto &p : points)
        route.addPoint(p[0], p[1], p[0], p[1], 110);
    seed(u"routefile"_s, u"route"_s, file(routeFileLines(route)));
    seed(u"programsource"_s, u"route"_s, file(routeFileLines(route)));
    seed(u"routefile"_s, u"empty"_s, file(routeFileLines(RouteModel())));

    const QString ini = QDir::tempPath() + u"/rk25-seed-set.ini"_s;
    QFile::remove(ini);
    SettingsFile settings(ini);
    writeAllSettings(settings, SettingsValues());
    QFile written(ini);
    if (written.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = written.readAll();
        seed(u"settings"_s, u"defaults"_s, QByteArray(1, char(7)) + bytes);
        seed(u"settings"_s, u"font"_s, QByteArray(1, char(7)) + file({u"メイリオ"_s}) + bytes);
    }
    QFile::remove(ini);
    seed(u"robot"_s, u"remote"_s,
         lineBytes(QByteArray("\x05\x45", 2)) + secondsPass(2) + lineBytes("\x4a\x40\xfe"));
    seed(u"robot"_s, u"test"_s, lineBytes(QByteArray("\x06\x14\x14", 3)) + secondsPass(3));
    seed(u"settings"_s, u"odd"_s, file({u"\x02[FONT]"_s, u" NAME = x "_s, u"[font]"_s, u"name=y"_s, u"size=0x1E"_s}));
    return 0;
}
