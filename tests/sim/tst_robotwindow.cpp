#include "app/ui/messagebox.h"
#include "robot/trs232c.h"
#include "sim/floorview.h"
#include "sim/robotwindow.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>

#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

// The robot's window: its comN link, what it shows of what arrives, its switch buttons.
class TestRobotWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void linkOnlyWhereAllowed_data();
    void linkOnlyWhereAllowed();
    void showsWhatArrives();
    void quickSwitchClickIsSeen();

private:
    QTemporaryDir m_dir;
    QList<ui::MessageRequest> m_boxes;
    ui::MessageButton m_answer = ui::MessageButton::No;
};

void TestRobotWindow::init()
{
    m_boxes.clear();
    ui::setMessageResponder([this](const ui::MessageRequest &r) {
        m_boxes.append(r);
        return m_answer;
    });
}

void TestRobotWindow::cleanup()
{
    ui::setMessageResponder({});
    QFile::remove(m_dir.filePath(u"com3"_s));
}

void TestRobotWindow::linkOnlyWhereAllowed_data()
{
    QTest::addColumn<bool>("foreign");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("linked");
    QTest::newRow("free name") << false << int(ui::MessageButton::No) << true;
    QTest::newRow("foreign file kept when the user says no") << true << int(ui::MessageButton::No) << false;
    QTest::newRow("foreign file replaced when the user says yes") << true << int(ui::MessageButton::Yes) << true;
}

void TestRobotWindow::linkOnlyWhereAllowed()
{
    QFETCH(bool, foreign);
    QFETCH(int, answer);
    QFETCH(bool, linked);
    m_answer = ui::MessageButton(answer);
    const QString path = m_dir.filePath(u"com3"_s);
    if (foreign) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("someone else's");
    }
    {
        RobotWindow window(3, m_dir.path());
        QCOMPARE(m_boxes.size(), foreign ? 1 : 0);
        QCOMPARE(QFileInfo(path).isSymLink(), linked);
        QCOMPARE(window.linkPath().isEmpty(), !linked);
        auto *connection = window.findChild<QLabel *>(u"connection"_s);
        QVERIFY(connection);
        if (linked)
            QCOMPARE(connection->text(), u"つながるのを待っています"_s);
    }
    // Gone with the window, unless it was never ours.
    QCOMPARE(QFileInfo(path).exists() || QFileInfo(path).isSymLink(), foreign && !linked);
}

void TestRobotWindow::showsWhatArrives()
{
    RobotWindow window(3, m_dir.path());
    Trs232c port;
    port.setPortname(m_dir.filePath(u"com3"_s));
    QVERIFY2(port.Open(), qPrintable(port.lastError()));
    // One block: loop(2) motor(fwd,fwd) wait(1) endloop, then fill.
    QByteArray block("\x01\x88\x02\x45\x01\x89\xfe");
    block += QByteArray(41 - block.size(), char(254));
    QVERIFY(port.Write(block));
    auto *state = window.findChild<QLabel *>(u"state"_s);
    auto *program = window.findChild<QListWidget *>(u"program"_s);
    QVERIFY(QTest::qWaitFor([&] { return state->text() == u"プログラムあり"_s; }, 5000));
    QStringList lines;
    for (int i = 0; i < program->count(); ++i)
        lines << program->item(i)->text();
    QCOMPARE(lines, (QStringList{u"loop(2)"_s, u"  motor(fwd,fwd)"_s, u"  wait(1)"_s, u"endloop"_s, u"// おわり"_s}));
    QCOMPARE(window.findChild<QLabel *>(u"connection"_s)->text(), u"つながりました（COM3）"_s);

    QVERIFY(port.WriteByte(4));
    QVERIFY(QTest::qWaitFor([&] { return state->text() == u"実行中"_s; }, 3000));
    QVERIFY(QTest::qWaitFor([&] { return state->text() == u"プログラムあり"_s; }, 3000));
    QVERIFY(std::abs(window.robot().pose().y - window.startPose().y - 3.5) < 1e-9);
    QVERIFY(window.floor()->trail().size() > 2);
    port.Close();
}

void TestRobotWindow::quickSwitchClickIsSeen()
{
    RobotWindow window(0, m_dir.path());
    // The header's wait for the front switch, stored straight into the robot.
    for (int b : {1, 193, 64, 1, 201, 69, 10})
        window.robot().receive(quint8(b));
    for (int i = 7; i <= 40; ++i)
        window.robot().receive(254);
    window.robot().receive(4);
    window.setSpeedFactor(16);
    auto *sw1 = window.findChild<QPushButton *>(u"sw1"_s);
    QVERIFY(sw1);
    // A click shorter than the robot's tenth of a second between checks still starts it.
    QTest::mouseClick(sw1, Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return !window.robot().busy(); }, 3000));
    QVERIFY(std::abs(window.robot().pose().y - window.startPose().y - 17.5) < 1e-9);
}

QTEST_MAIN(TestRobotWindow)
#include "tst_robotwindow.moc"
