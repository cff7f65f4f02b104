// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/settingsfile.h"
#include "app/ui/messagebox.h"
#include "app/ui/programfiledialog.h"
#include "common/cp932.h"
#include "icon/iconfile.h"
#include "icon/iconpalette.h"
#include "icon/iconscreen.h"
#include "icon/keypadpage.h"
#include "icon/slotcolumn.h"
#include "route/routefile.h"
#include "support/icondrop.h"
#include "support/scratchmount.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QSlider>

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QtTest>

#include <functional>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ScratchMount::Kind)

// Saving into a full file system or a folder that cannot be written keeps the old file, says
// why in words a pupil understands, and loses nothing of the program on the screen.
class TestFullFolder : public QObject
{
    Q_OBJECT

private slots:
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void iconScreenKeepsProgramWhenSaveFails_data();
    void iconScreenKeepsProgramWhenSaveFails();
    void unencodableTextIsNotSavedAsQuestionMarks();
};

namespace {

const QByteArray OLD_FILE = "DD\r\nold program\r\n";

using Writer = std::function<bool(const QString &path, QString *error)>;

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}

void TestFullFolder::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<ScratchMount::Kind>("kind");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<Writer>("writer");

    IconProgram icon;
    icon.setFromIcon(0, u"FF");
    icon.setValue(0, 15);
    RouteModel route;
    route.startRoute(100, 700);
    route.addPoint(100, 500, 0, 0, 110);
    const Writer writers[] = {
        [icon](const QString &p, QString *e) { return writeIconFile(p, icon, e); },
        [route](const QString &p, QString *e) { return writeRouteFile(p, route, e); },
        [](const QString &p, QString *e) { return cp932::writeLines(p, {u"KB"_s, u"motor(fwd,fwd)"_s}, e); },
        [](const QString &p, QString *e) {
            const SettingsResult r = SettingsFile(p).setFontName(u"メイリオ"_s);
            *e = r.error;
            return r.ok;
        },
    };
    const char *names[] = {"icon file", "route file", "text file", "set.ini"};
    for (int i = 0; i < 4; ++i) {
        // set.ini failures name the file that could not be written.
        const bool settings = i == 3;
        QTest::addRow("%s, full", names[i]) << ScratchMount::Kind::Full
                                            << (settings ? u"に書き込めません"_s : u"ディスクが いっぱいです"_s) << writers[i];
        QTest::addRow("%s, read-only", names[i]) << ScratchMount::Kind::ReadOnly
                                                 << (settings ? u"に書き込めません"_s : u"書きこめません"_s) << writers[i];
    }
}

void TestFullFolder::failedWriteKeepsOldFile()
{
    QFETCH(ScratchMount::Kind, kind);
    QFETCH(QString, reason);
    QFETCH(Writer, writer);
    ScratchMount mount(kind);
    if (!mount.isValid())
        QSKIP("this machine does not let the test mount a file system of its own");
    QVERIFY(mount.put(u"work.rk5"_s, OLD_FILE));
    QVERIFY(mount.close());

    const QString path = mount.path() + u"/work.rk5"_s;
    QString error;
    QVERIFY(!writer(path, &error));
    QCOMPARE(bytesOf(path), OLD_FILE);
    QVERIFY2(error.contains(reason), qPrintable(error));
}

void TestFullFolder::iconScreenKeepsProgramWhenSaveFails_data()
{
    QTest::addColumn<ScratchMount::Kind>("kind");
    QTest::newRow("full") << ScratchMount::Kind::Full;
    QTest::newRow("read-only") << ScratchMount::Kind::ReadOnly;
}

void TestFullFolder::iconScreenKeepsProgramWhenSaveFails()
{
    QFETCH(ScratchMount::Kind, kind);
    ScratchMount mount(kind);
    if (!mount.isValid())
        QSKIP("this machine does not let the test mount a file system of its own");
    QVERIFY(mount.put(u"mine.rk5"_s, OLD_FILE));
    QVERIFY(mount.close());

    QList<ui::MessageRequest> boxes;
    ui::setMessageResponder([&](const ui::MessageRequest &r) {
        boxes << r;
        return r.buttons.value(0);
    });
    const QString path = mount.path() + u"/mine.rk5"_s;
    ui::setProgramFileChooserForTests([&](bool) { return path; });

    IconScreen screen{RobotLink{}};
    screen.setStepMode(2);
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    QVERIFY(testenv::dropIcon(&screen, 0, u"Image2"_s));
    QVERIFY(screen.isModified());
    QTest::keyClicks(screen.keypadPage()->trackBar(), u"15"_s);
    QTest::keyClick(screen.keypadPage()->trackBar(), Qt::Key_Return);
    QCOMPARE(screen.program().slot(0).value, 150);
    const IconProgram before = screen.program();

    auto *save = screen.findChild<QWidget *>(u"Save"_s);
    QVERIFY(save);
    boxes.clear();
    QTest::mouseClick(save, Qt::LeftButton, {}, save->rect().center());

    QCOMPARE(bytesOf(path), OLD_FILE);
    QVERIFY(screen.isModified());
    QVERIFY(screen.program().slot(0) == before.slot(0));
    // The question whether to write over the old file (yes), then the failure.
    QCOMPARE(boxes.size(), 2);
    QCOMPARE(boxes.last().kind, ui::MessageKind::Error);
    QVERIFY2(boxes.last().text.contains(u"いっぱい"_s) || boxes.last().text.contains(u"書きこめません"_s),
             qPrintable(boxes.last().text));
    ui::setMessageResponder({});
    ui::setProgramFileChooserForTests({});
}

void TestFullFolder::unencodableTextIsNotSavedAsQuestionMarks()
{
    QTemporaryDir dir;
    const QString path = dir.path() + u"/t.rk5"_s;
    QVERIFY(cp932::writeLines(path, {u"KB"_s}));
    QString error;
    QVERIFY(!cp932::writeLines(path, {u"KB"_s, u"// 🤖 ロボット"_s}, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(bytesOf(path), QByteArray("KB\r\n"));
}

QTEST_MAIN(TestFullFolder)
#include "tst_fullfolder.moc"
