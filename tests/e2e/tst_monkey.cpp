// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainmenu.h"
#include "common/workfolder.h"
#include "app/ui/picturebutton.h"
#include "robot/trs232c.h"
#include "support/findwindow.h"
#include "support/mainmenustart.h"
#include "support/monkey.h"
#include "support/pseudoterminal.h"
#include "support/wiretiming.h"

#include <QtWidgets/QApplication>

#include <QElapsedTimer>
#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

// Random events on every visible window for about a minute, with a robot on a
// pseudo-terminal: nothing crashes, the wire holds whole blocks with nothing foreign between
// their bytes, and afterwards every screen can still be reached and left.
class TestMonkey : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void randomEventsLeaveEverythingUsable();
    void wireCheckTellsForeignBytesFromLateReads_data();
    void wireCheckTellsForeignBytesFromLateReads();

private:
    void click(QWidget *window, const QString &name);

    PseudoTerminal m_pty;
    MainMenu *m_menu = nullptr;
};

void TestMonkey::initTestCase()
{
    QFile::remove(WorkFolderPath() + u"set.ini"_s);
    QVERIFY(m_pty.open());
    QVERIFY(!m_pty.linkAsCom(1).isEmpty());
    m_menu = new MainMenu;
    QVERIFY(testenv::startMainMenu(m_menu));
    QVERIFY(m_menu->rs232c1().isOpen());
}

void TestMonkey::cleanupTestCase()
{
    delete m_menu;
}

void TestMonkey::click(QWidget *window, const QString &name)
{
    auto *button = window->findChild<PictureButton *>(name);
    QVERIFY2(button, qPrintable(name));
    QVERIFY2(button->isEnabled(), qPrintable(window->objectName() + u'/' + name));
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

void TestMonkey::randomEventsLeaveEverythingUsable()
{
    const quint32 seed = 20261208;
    const int budgetMs = 60000;
    m_pty.clear();
    monkey::Figures figures;
    // The pace is checked on the player's clock; the pty's reader thread may read late.
    SentRecorder sent(WirePlayer::of(&m_menu->rs232c1()));
    {
        // The quit buttons would end the run; they have tests of their own.
        monkey::Monkey monkey(seed, {u"TForm13/close1"_s, u"TForm1/shutdown1"_s, u"TForm8/shutdown1"_s,
                                     u"TForm9/shutdown1"_s, u"TForm10/shutdown1"_s});
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < budgetMs) {
            if (!monkey.step())
                m_menu->showMenu();
        }
        // What is on its way finishes (a transfer, the last block of a stopped one).
        QTRY_VERIFY_WITH_TIMEOUT(!m_menu->rs232c1().lineClaimed(), 20000);
        QTest::qWait(700);
        figures = monkey.figures();
        QList<ReceivedByte> wire;
        QByteArray arrived;
        for (qsizetype i = 0; i < sent.values.size(); ++i)
            wire.append({quint8(sent.values.at(i)), sent.atNs(int(i)) / 1000000});
        QTRY_VERIFY_WITH_TIMEOUT(m_pty.received().size() >= sent.values.size(), 10000);
        for (const ReceivedByte &r : m_pty.received())
            arrived.append(char(r.value));
        // What reached the robot is what left the player; besides it only the ready byte 254,
        // which re-opening the port (the settings' port button) writes by itself.
        qsizetype matched = 0;
        QByteArray besides;
        for (const char c : std::as_const(arrived)) {
            if (matched < sent.values.size() && c == sent.values.at(matched))
                ++matched;
            else
                besides.append(c);
        }
        QCOMPARE(matched, sent.values.size());
        QCOMPARE(besides, QByteArray(besides.size(), char(254)));
        monkey::checkWire(wire, &figures);
    }
    qInfo("seed %u: %d events, %d boxes, %d file dialogues, %d blocks and %d commands on the wire",
          seed, figures.events, figures.boxes, figures.fileDialogs, figures.blocks, figures.commands);
    QStringList visits;
    for (auto it = figures.perWindow.cbegin(); it != figures.perWindow.cend(); ++it)
        visits << it.key() + u' ' + QString::number(it.value());
    qInfo("events by window: %s", qPrintable(visits.join(u", "_s)));
    QVERIFY2(figures.problems.isEmpty(), qPrintable(figures.problems.join(u'\n')));
    QVERIFY(figures.events > 100);

    // Back to the menu with every other window closed; then each screen opens and leaves.
    ui::setMessageResponder([](const ui::MessageRequest &r) {
        return r.buttons.contains(ui::MessageButton::No) ? ui::MessageButton::No : r.buttons.value(0);
    });
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w != m_menu && w->isVisible())
            w->hide();
    }
    m_menu->showMenu();
    const std::pair<const char *, const char *> screens[] = {
        {"menu_icon1", "TForm1"}, {"menu_icon2", "TForm1"}, {"menu_key", "TForm9"},
        {"menu_line", "TForm10"}, {"menu_raji", "TForm8"}};
    for (const auto &[button, form] : screens) {
        click(m_menu, QString::fromLatin1(button));
        QWidget *screen = testenv::findWindow(QString::fromLatin1(form));
        QVERIFY(screen);
        QTRY_VERIFY2(screen->isVisible(), form);
        QVERIFY(!m_menu->isVisible());
        click(screen, u"shutdown"_s);
        QTRY_VERIFY2(m_menu->isVisible(), form);
        QVERIFY(!screen->isVisible());
    }
    ui::setMessageResponder({});
}

// The check of the wire itself, on made-up wires: a block at the pace, then one change.
void TestMonkey::wireCheckTellsForeignBytesFromLateReads_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("problem");
    QTest::newRow("at the pace") << u"none"_s << false;
    QTest::newRow("a foreign byte just after a block byte") << u"foreign after"_s << true;
    QTest::newRow("a foreign byte just before a block byte") << u"foreign before"_s << true;
    QTest::newRow("a block byte read late, the next at once") << u"late read"_s << false;
    QTest::newRow("two block bytes at once within one pause") << u"burst"_s << true;
    QTest::newRow("the block cut short") << u"cut"_s << true;
}

void TestMonkey::wireCheckTellsForeignBytesFromLateReads()
{
    QFETCH(QString, change);
    QFETCH(bool, problem);
    QList<ReceivedByte> wire{{1, 1000}};
    qint64 t = 1000 + BLOCK_NUMBER_PAUSE_MS;
    for (int k = 1; k <= 40; ++k, t += BYTE_PAUSE_MS)
        wire.append({quint8(200 + k % 50), t});
    wire.append({quint8(4), t + BLOCK_END_PAUSE_MS});
    const qint64 byte20 = wire[20].msecsSinceStart;
    if (change == u"foreign after")
        wire.insert(21, {quint8(70), byte20 + 3});
    else if (change == u"foreign before")
        wire.insert(21, {quint8(70), byte20 + BYTE_PAUSE_MS - 3});
    else if (change == u"late read")
        wire[20].msecsSinceStart = wire[21].msecsSinceStart;
    else if (change == u"burst")
        wire[21].msecsSinceStart = byte20 + 1;
    else if (change == u"cut")
        wire = wire.mid(0, 30);
    monkey::Figures figures;
    monkey::checkWire(wire, &figures);
    QCOMPARE(!figures.problems.isEmpty(), problem);
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
