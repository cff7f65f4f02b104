// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainmenu.h"
#include "app/settings/colorswatch.h"
#include "app/settings/settingsfile.h"
#include "app/settings/settingsscreen.h"
#include "common/workfolder.h"
#include "app/ui/application.h"
#include "app/ui/errorguard.h"
#include "app/ui/messagebox.h"
#include "app/ui/picturebutton.h"
#include "common/cp932.h"
#include "icon/iconscreen.h"
#include "icon/slotcolumn.h"
#include "robot/portdiagnosis.h"
#include "robot/trs232c.h"
#include "robot/wireplan.h"
#include "robot/wireplayer.h"
#include "support/findwindow.h"
#include "support/pseudoterminal.h"
#include "support/wiretiming.h"
#include "text/textscreen.h"

#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSlider>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QStackedWidget>
#include <QtWidgets/QTreeWidget>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QSysInfo>
#include <QTimer>

#include <cerrno>

using namespace Qt::StringLiterals;

// The settings screen over set.ini, with the real menu (for its port) and text screen.
class TestSettingsScreen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void untouchedOkWritesDefaultFile();
    void loadingShowsStoredValues_data();
    void loadingShowsStoredValues();
    void badColourStopsLoadingWith701();
    void swatchesSetPreviewsAndOkSavesThem();
    void fontListAndSize();
    void treeNodesSelectPages_data();
    void treeNodesSelectPages();
    void cancelWritesNothingButCheckBoxIsLive();
    void failedWriteKeepsWindowOpen();
    void operationTestSendsSpeedTwice();
    void heldLineRefusesTestAndPortButton();
    void portButtonReopensChosenPort();
    void portListMarksEachCause_data();
    void portListMarksEachCause();
    void unstorableFontNameWritesNothing_data();
    void unstorableFontNameWritesNothing();
    void acceptedStartModeReachesTheIconScreen();

private:
    void writeIni(const QStringList &lines);
    QStringList iniLines() const;
    void click(const QString &name);
    void openScreen();
    // The operation test or port update in progress has ended (the buttons are usable again).
    bool testDone() const;
    template <typename T>
    T *control(const QString &name) const
    {
        T *c = m_settings->findChild<T *>(name);
        if (!c)
            qFatal("no control %s", qPrintable(name));
        return c;
    }
    QColor memoColour(const QString &memo, QPalette::ColorRole role) const;

    MainMenu *m_menu = nullptr;
    SettingsScreen *m_settings = nullptr;
    QString m_ini;
    QList<ui::MessageRequest> m_boxes;
};

void TestSettingsScreen::initTestCase()
{
    ui::setMessageResponder([this](const ui::MessageRequest &r) {
        m_boxes.append(r);
        return r.buttons.first();
    });
    m_ini = WorkFolderPath() + u"set.ini"_s;
    m_menu = new MainMenu;
    m_menu->createOtherWindows();
    m_settings = testenv::findWindow<SettingsScreen>(u"TForm7"_s);
}

void TestSettingsScreen::cleanupTestCase()
{
    delete m_menu;
    ui::setMessageResponder({});
}

void TestSettingsScreen::init()
{
    m_boxes.clear();
    QFile::remove(m_ini);
    QDir().rmdir(m_ini);
}

void TestSettingsScreen::cleanup()
{
    // Nothing of a test may hold the port or its links for the next one, failed or not.
    testDone();
    m_settings->hide();
    m_menu->rs232c1().Close();
    for (int n = 1; n <= 4; ++n)
        QFile::remove(WorkFolderPath() + u"com%1"_s.arg(n));
}

bool TestSettingsScreen::testDone() const
{
    // The OK button is off from the click until the last pause is over.
    auto *button = m_settings->findChild<PictureButton *>(u"ok"_s);
    return QTest::qWaitFor([button] { return button->isEnabled(); }, 5000);
}

void TestSettingsScreen::writeIni(const QStringList &lines)
{
    QVERIFY(cp932::writeLines(m_ini, lines));
}

QStringList TestSettingsScreen::iniLines() const
{
    const cp932::ReadResult read = cp932::readLines(m_ini);
    return read.ok ? read.lines : QStringList();
}

void TestSettingsScreen::click(const QString &name)
{
    auto *b = m_settings->findChild<PictureButton *>(name);
    QVERIFY2(b, qPrintable(name));
    QVERIFY2(b->isEnabled(), qPrintable(name));
    QTest::mouseClick(b, Qt::LeftButton);
}

void TestSettingsScreen::openScreen()
{
    m_settings->showSettings();
    QVERIFY(m_settings->isVisible());
}

QColor TestSettingsScreen::memoColour(const QString &memo, QPalette::ColorRole role) const
{
    return control<QLabel>(memo)->palette().color(role);
}

void TestSettingsScreen::untouchedOkWritesDefaultFile()
{
    openScreen();
    QVERIFY(m_boxes.isEmpty());
    click(u"ok"_s);
    QVERIFY(!m_settings->isVisible());
    QCOMPARE(iniLines(), (QStringList{u"[comport]"_s, u"name=0"_s, u"[font]"_s, u"color=clWhite"_s,
                                      u"size=14"_s, u"name=MS Pゴシック"_s, u"[coment]"_s,
                                      u"color=clLime"_s, u"[back]"_s, u"color=clBlack"_s,
                                      u"[sel]"_s, u"color=clWhite"_s, u"[smr]"_s, u"speed=20"_s,
                                      u"[play]"_s, u"how=1"_s, u"[delete]"_s, u"shift=1"_s}));
    QFile file(m_ini);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("name=MS P\x83S\x83V\x83\x62\x83N\r\n"));

    // The text screen takes the new look at once.
    const EditorAppearance look = testenv::findWindow<TextScreen>(u"TForm9"_s)->editorAppearance();
    QCOMPARE(look.background, colors::clBlack);
    QCOMPARE(look.text, colors::clWhite);
    QCOMPARE(look.selection, colors::clWhite);
    QCOMPARE(look.comment, colors::clLime);
    QCOMPARE(look.marks, colors::clWhite);
    QCOMPARE(look.fontSize, 14);
    QCOMPARE(look.fontName, u"MS Pゴシック"_s);
}

void TestSettingsScreen::loadingShowsStoredValues_data()
{
    QTest::addColumn<QStringList>("ini");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("speedLabel");
    QTest::addColumn<int>("slider");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("startAtOnce");
    QTest::addColumn<bool>("shift");
    QTest::newRow("no file: defaults") << QStringList() << 0 << u"20"_s << 20 << 14 << true << true;
    QTest::newRow("in range") << QStringList{u"[comport]"_s, u"name=2"_s, u"[smr]"_s, u"speed=35"_s,
                                             u"[play]"_s, u"how=0"_s, u"[delete]"_s, u"shift=0"_s,
                                             u"[font]"_s, u"size=22"_s}
                              << 2 << u"35"_s << 35 << 22 << false << false;
    QTest::newRow("beyond the ends") << QStringList{u"[comport]"_s, u"name=7"_s, u"[smr]"_s,
                                                    u"speed=60"_s, u"[font]"_s, u"size=40"_s}
                                     << 3 << u"60"_s << 50 << 30 << true << true;
    QTest::newRow("below the ends") << QStringList{u"[COMPORT]"_s, u"Name=-1"_s, u"[smr]"_s,
                                                   u"speed=3"_s, u"[font]"_s, u"size=2"_s}
                                    << -1 << u"3"_s << 10 << 5 << true << true;
    QTest::newRow("not numbers") << QStringList{u"[comport]"_s, u"name=x"_s, u"[smr]"_s, u"speed="_s,
                                                u"[play]"_s, u"how=yes"_s}
                                 << 0 << u"20"_s << 20 << 14 << true << true;
}

void TestSettingsScreen::loadingShowsStoredValues()
{
    QFETCH(QStringList, ini);
    QFETCH(int, port);
    QFETCH(QString, speedLabel);
    QFETCH(int, slider);
    QFETCH(int, size);
    QFETCH(bool, startAtOnce);
    QFETCH(bool, shift);
    if (!ini.isEmpty())
        writeIni(ini);
    // Each show loads again, whatever the last one left.
    openScreen();
    QVERIFY(m_boxes.isEmpty());
    auto *group = control<QWidget>(u"RadioGroup1"_s)->findChild<QButtonGroup *>();
    QCOMPARE(group->checkedId(), port);
    QCOMPARE(control<QLabel>(u"Label25"_s)->text(), speedLabel);
    QCOMPARE(control<QSlider>(u"LMDTrackBar1"_s)->value(), slider);
    QCOMPARE(control<QSpinBox>(u"SpinEdit1"_s)->value(), size);
    QCOMPARE(control<QRadioButton>(u"RadioButton1"_s)->isChecked(), startAtOnce);
    QCOMPARE(control<QRadioButton>(u"RadioButton2"_s)->isChecked(), !startAtOnce);
    QCOMPARE(control<QCheckBox>(u"CheckBox1"_s)->isChecked(), shift);
    QCOMPARE(m_settings->deleteShiftsUp(), shift);
    QCOMPARE(control<QLabel>(u"Label9"_s)->text(), u"MS Pゴシック"_s);
    QCOMPARE(memoColour(u"Memo1"_s, QPalette::Window), QColor(Qt::black));
    QCOMPARE(memoColour(u"Memo1"_s, QPalette::WindowText), QColor(Qt::white));
    QCOMPARE(memoColour(u"Memo2"_s, QPalette::WindowText), QColor(0, 255, 0));

    // OK writes what the controls hold: the slider's end, the field's limit.
    m_settings->hide();
    openScreen();
    click(u"ok"_s);
    SettingsFile file;
    QCOMPARE(file.smrSpeed(), slider);
    QCOMPARE(file.fontSize(), size);
    QCOMPARE(file.comportName(), port);
}

void TestSettingsScreen::badColourStopsLoadingWith701()
{
    // First a show that sets COM3 and a size of 20 ...
    writeIni({u"[comport]"_s, u"name=2"_s, u"[font]"_s, u"size=20"_s});
    openScreen();
    m_settings->hide();
    // ... then a file whose text colour is no colour: the background before it is taken, the
    // keys after it keep the values of the last show.
    writeIni({u"[comport]"_s, u"name=1"_s, u"[back]"_s, u"color=clNavy"_s, u"[font]"_s,
              u"color=Sky"_s, u"size=9"_s});
    openScreen();
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().text, ui::numberedErrorText(701));
    QCOMPARE(m_boxes.first().caption, u"警告"_s);
    QVERIFY(m_settings->isVisible());
    QCOMPARE(memoColour(u"Memo1"_s, QPalette::Window), QColor(0, 0, 128));
    QCOMPARE(memoColour(u"Memo1"_s, QPalette::WindowText), QColor(Qt::white));
    QCOMPARE(control<QSpinBox>(u"SpinEdit1"_s)->value(), 20);
    QCOMPARE(control<QWidget>(u"RadioGroup1"_s)->findChild<QButtonGroup *>()->checkedId(), 2);
}

void TestSettingsScreen::swatchesSetPreviewsAndOkSavesThem()
{
    openScreen();
    auto clickSwatch = [this](const QString &name) {
        QTest::mouseClick(control<ColorSwatch>(name), Qt::LeftButton);
    };
    clickSwatch(u"Panel24"_s); // navy background
    QCOMPARE(memoColour(u"Memo1"_s, QPalette::Window), QColor(0, 0, 128));
    QCOMPARE(memoColour(u"Memo2"_s, QPalette::Window), QColor(0, 0, 128));
    clickSwatch(u"Panel52"_s); // blue text
    QCOMPARE(memoColour(u"Memo1"_s, QPalette::WindowText), QColor(0, 0, 255));
    clickSwatch(u"Panel69"_s); // red comments
    QCOMPARE(memoColour(u"Memo2"_s, QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(memoColour(u"Memo1"_s, QPalette::WindowText), QColor(0, 0, 255));
    click(u"ok"_s);

    const QStringList lines = iniLines();
    QVERIFY(lines.contains(u"color=clNavy"_s));
    QVERIFY(lines.contains(u"color=clBlue"_s));
    QVERIFY(lines.contains(u"color=clRed"_s));
    SettingsFile file;
    QCOMPARE(file.value(u"sel"_s, u"color"_s).value_or(QString()), u"$007FFFFF"_s);
    QCOMPARE(file.value(u"back"_s, u"color"_s).value_or(QString()), u"clNavy"_s);
    QCOMPARE(file.value(u"coment"_s, u"color"_s).value_or(QString()), u"clRed"_s);
    QCOMPARE(testenv::findWindow<TextScreen>(u"TForm9"_s)->editorAppearance().selection, colorFromRgb(255, 255, 127));
}

void TestSettingsScreen::fontListAndSize()
{
    openScreen();
    auto *list = control<QListWidget>(u"ListBox1"_s);
    QVERIFY(list->count() >= 1);
    QVERIFY(!list->findItems(u"Default"_s, Qt::MatchExactly).isEmpty());
    QVERIFY(list->selectedItems().isEmpty());
    for (int i = 1; i < list->count(); ++i)
        QVERIFY(list->item(i - 1)->text().compare(list->item(i)->text(), Qt::CaseInsensitive) <= 0);

    QListWidgetItem *item = list->findItems(u"Default"_s, Qt::MatchExactly).first();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    // The list page is not shown, so click through the list's own signal if the view is hidden.
    if (control<QLabel>(u"Label9"_s)->text() != u"Default"_s)
        emit list->itemClicked(item);
    QCOMPARE(control<QLabel>(u"Label9"_s)->text(), u"Default"_s);
    QCOMPARE(control<QLabel>(u"Memo1"_s)->font().family(), QFont(u"Default"_s).family());
    control<QSpinBox>(u"SpinEdit1"_s)->setValue(25);
    QCOMPARE(control<QLabel>(u"Memo1"_s)->font().pointSize(), 25);
    QCOMPARE(control<QLabel>(u"Memo2"_s)->font().pointSize(), 25);
    click(u"ok"_s);
    SettingsFile file;
    QCOMPARE(file.fontName(), u"Default"_s);
    QCOMPARE(file.fontSize(), 25);
}

void TestSettingsScreen::treeNodesSelectPages_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("page");
    const int pages[] = {1, 2, 0, 3, 4, 5, 6, 7, 8, 9};
    for (int i = 0; i < 10; ++i)
        QTest::addRow("node %d", i) << i << pages[i];
}

void TestSettingsScreen::treeNodesSelectPages()
{
    QFETCH(int, position);
    QFETCH(int, page);
    openScreen();
    auto *tree = control<QTreeWidget>(u"TreeView1"_s);
    QList<QTreeWidgetItem *> items;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        items << tree->topLevelItem(i);
        for (int c = 0; c < tree->topLevelItem(i)->childCount(); ++c)
            items << tree->topLevelItem(i)->child(c);
    }
    QCOMPARE(items.size(), 10);
    QVERIFY(tree->topLevelItem(4)->isExpanded());
    tree->setCurrentItem(items[position]);
    QCOMPARE(control<QStackedWidget>(u"PageControl1"_s)->currentIndex(), page);
}

void TestSettingsScreen::cancelWritesNothingButCheckBoxIsLive()
{
    openScreen();
    QTest::mouseClick(control<ColorSwatch>(u"Panel30"_s), Qt::LeftButton);
    auto *box = control<QCheckBox>(u"CheckBox1"_s);
    box->setChecked(false);
    click(u"cancel"_s);
    QVERIFY(!m_settings->isVisible());
    QVERIFY(!QFile::exists(m_ini));
    // The icon screen sees the unticked box until the screen is shown again.
    QVERIFY(!m_settings->deleteShiftsUp());
    openScreen();
    QVERIFY(m_settings->deleteShiftsUp());
    QCOMPARE(memoColour(u"Memo1"_s, QPalette::Window), QColor(Qt::black));
}

void TestSettingsScreen::failedWriteKeepsWindowOpen()
{
    // A folder in the file's place: the write is refused.
    QVERIFY(QDir().mkpath(m_ini));
    openScreen();
    click(u"ok"_s);
    // Only the failure counts here (the button pictures may be missing in a bare build).
    QList<ui::MessageRequest> errors;
    for (const ui::MessageRequest &box : m_boxes)
        if (box.kind == ui::MessageKind::Error)
            errors << box;
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors.first().caption, u"ステッピングモータロボット制御ソフト"_s);
    QVERIFY2(errors.first().text.endsWith(u"に書き込めません."_s), qPrintable(errors.first().text));
    QVERIFY(m_settings->isVisible());
    QVERIFY(QDir().rmdir(m_ini));
}

void TestSettingsScreen::operationTestSendsSpeedTwice()
{
    PseudoTerminal robot;
    QVERIFY(robot.open());
    QVERIFY(!robot.linkAsCom(1).isEmpty());
    Trs232c &port = m_menu->rs232c1();
    port.setPortname(u"com1"_s);
    QVERIFY(port.Open());
    // The pauses on the player's clock, from each byte's "written": the reader of the
    // pseudo-terminal may see the bytes late and bunched.
    for (int speed : {20, 33}) {
        robot.clear();
        const SentRecorder sent(WirePlayer::of(&port));
        openScreen();
        control<QSlider>(u"LMDTrackBar1"_s)->setValue(speed);
        QCOMPARE(control<QLabel>(u"Label25"_s)->text(), QString::number(speed));
        click(u"dosatest"_s);
        // Busy until the last pause is over.
        QVERIFY(testDone());
        const QByteArray expected{"\x06" + QByteArray(2, char(speed))};
        QCOMPARE(PseudoTerminal::valuesOf(robot.waitForBytes(3, 1000)), expected);
        QCOMPARE(sent.values, expected);
        QVERIFY(sent.apart(0, 1, OPERATION_TEST_PAUSE_MS));
        QVERIFY(sent.apart(1, 2, OPERATION_TEST_PAUSE_MS));
        QVERIFY(sent.apart(2, -1, OPERATION_TEST_PAUSE_MS));
        m_settings->hide();
    }
    // The test sends the slider's position, saved or not.
    QVERIFY(!QFile::exists(m_ini));
    QCOMPARE(robot.collectFor(100).size(), 3);
}

// While a transfer owns the line, neither the operation test nor a port update may touch it.
void TestSettingsScreen::heldLineRefusesTestAndPortButton()
{
    PseudoTerminal robot;
    QVERIFY(robot.open());
    QVERIFY(!robot.linkAsCom(1).isEmpty());
    Trs232c &port = m_menu->rs232c1();
    port.setPortname(u"com1"_s);
    QVERIFY2(port.Open(), qPrintable(port.lastError()));
    QObject transfer;
    QVERIFY(port.claimLine(&transfer));

    openScreen();
    m_boxes.clear();
    click(u"dosatest"_s);
    // Told once the refused test has ended, not inside it.
    QTRY_COMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().text, Trs232c::lineBusyText());
    click(u"comport"_s);
    QCOMPARE(m_boxes.size(), 2);
    QVERIFY(robot.waitForBytes(1, 300).isEmpty());
    QVERIFY(port.isOpen());
    QVERIFY(!QFile::exists(m_ini));

    // Once the line is free the test goes out whole.
    port.releaseLine(&transfer);
    click(u"dosatest"_s);
    QVERIFY(testDone());
    QCOMPARE(PseudoTerminal::valuesOf(robot.waitForBytes(3, 1000)), QByteArray("\x06\x14\x14", 3));
    QCOMPARE(m_boxes.size(), 2);
}

void TestSettingsScreen::portButtonReopensChosenPort()
{
    PseudoTerminal com2;
    QVERIFY(com2.open());
    QVERIFY(!com2.linkAsCom(2).isEmpty());
    openScreen();
    control<QWidget>(u"RadioGroup1"_s)->findChild<QButtonGroup *>()->button(1)->setChecked(true);

    bool panelShown = false;
    bool buttonsOff = false;
    QTimer::singleShot(1000, this, [&] {
        panelShown = control<QWidget>(u"Panel1"_s)->isVisible();
        buttonsOff = !m_settings->findChild<PictureButton *>(u"ok"_s)->isEnabled()
                     && !m_settings->findChild<PictureButton *>(u"cancel"_s)->isEnabled()
                     && !m_settings->findChild<PictureButton *>(u"dosatest"_s)->isEnabled();
    });
    click(u"comport"_s);
    QVERIFY(QTest::qWaitFor([&] { return !control<QWidget>(u"Panel1"_s)->isVisible(); }, 15000));
    QVERIFY(panelShown);
    QVERIFY(buttonsOff);
    QVERIFY(m_settings->findChild<PictureButton *>(u"ok"_s)->isEnabled());
    QCOMPARE(PseudoTerminal::valuesOf(com2.waitForBytes(1, 1000)), QByteArray("\xFE"));
    QCOMPARE(m_menu->rs232c1().portname(), u"com2"_s);

    // Cancel keeps what the port button wrote.
    click(u"cancel"_s);
    QCOMPARE(iniLines(), (QStringList{u"[comport]"_s, u"name=1"_s}));
}

void TestSettingsScreen::portListMarksEachCause_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("mark");
    QTest::newRow("free") << u"free"_s << u"つかえます"_s;
    QTest::newRow("no right") << u"no right"_s << u"けんげんがありません"_s;
    QTest::newRow("held") << u"held"_s << u"ほかで つかわれています"_s;
    QTest::newRow("missing") << u"missing"_s << u"みつかりません"_s;
}

void TestSettingsScreen::portListMarksEachCause()
{
    QFETCH(QString, setup);
    QFETCH(QString, mark);
    PseudoTerminal com3;
    QVERIFY(com3.open());
    const QString link = com3.linkAsCom(3);
    QVERIFY(!link.isEmpty());
    const QString lock = serialLockFilePath(com3.slavePath());
    QProcess holder; // ends with the row
    if (setup == u"missing") {
        QFile::remove(link);
        QVERIFY(QFile::link(u"/dev/rk25-unplugged"_s, link));
    } else if (setup == u"no right") {
        setAccessProbe([](const QByteArray &) { return EACCES; });
    } else if (setup == u"held") {
        QFile file(lock);
        QVERIFY(file.open(QIODevice::WriteOnly));
        // Another running program holds the port, named in the lock as the port's library does.
        holder.start(u"sleep"_s, {u"60"_s});
        QVERIFY(holder.waitForStarted());
        file.write(QByteArray::number(holder.processId()) + "\nsleep\n" + QSysInfo::machineHostName().toUtf8() + '\n');
    }
    openScreen();
    setAccessProbe(nullptr);
    QFile::remove(lock);
    auto *caption = control<QLabel>(u"COM3device"_s);
    QVERIFY2(caption->text().contains(mark), qPrintable(caption->text()));
    QVERIFY(caption->toolTip().contains(mark));
    QVERIFY(caption->toolTip().contains(setup == u"missing" ? u"/dev/rk25-unplugged"_s : com3.slavePath()));
    QFile::remove(link);
}

void TestSettingsScreen::unstorableFontNameWritesNothing_data()
{
    QTest::addColumn<QStringList>("ini"); // empty: no file
    QTest::newRow("no file yet") << QStringList();
    QTest::newRow("over saved settings")
        << QStringList{u"[comport]"_s, u"name=2"_s, u"[font]"_s, u"name=Arial"_s, u"[play]"_s, u"how=0"_s};
}

// A font whose name code page 932 cannot hold: OK writes nothing, not even the keys before
// the font's, says which value is at fault and leaves the screen open to choose another.
void TestSettingsScreen::unstorableFontNameWritesNothing()
{
    QFETCH(QStringList, ini);
    if (!ini.isEmpty())
        writeIni(ini);
    QFile before(m_ini);
    const QByteArray bytes = before.open(QIODevice::ReadOnly) ? before.readAll() : QByteArray();
    before.close();
    openScreen();
    control<QWidget>(u"RadioGroup1"_s)->findChild<QButtonGroup *>()->button(3)->setChecked(true);
    control<QSlider>(u"LMDTrackBar1"_s)->setValue(44);
    auto *list = control<QListWidget>(u"ListBox1"_s);
    const QString font = u"나눔고딕"_s;
    list->addItem(font);
    emit list->itemClicked(list->item(list->count() - 1));
    QCOMPARE(control<QLabel>(u"Label9"_s)->text(), font);
    m_boxes.clear();
    click(u"ok"_s);

    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().kind, ui::MessageKind::Warning);
    QVERIFY2(m_boxes.first().text.contains(u"フォント名「"_s + font + u"」"_s), qPrintable(m_boxes.first().text));
    QVERIFY(m_settings->isVisible());
    QCOMPARE(QFile::exists(m_ini), !ini.isEmpty());
    QFile after(m_ini);
    if (after.open(QIODevice::ReadOnly))
        QCOMPARE(after.readAll(), bytes);

    // Another font, and the same OK writes everything.
    emit list->itemClicked(list->findItems(u"Default"_s, Qt::MatchExactly).first());
    m_boxes.clear();
    click(u"ok"_s);
    QVERIFY(!m_settings->isVisible());
    SettingsFile file;
    QCOMPARE(file.fontName(), u"Default"_s);
    QCOMPARE(file.comportName(), 3);
    QCOMPARE(file.smrSpeed(), 44);
}

// OK over the icon screen: it takes the new start mode at once, hidden slots included.
void TestSettingsScreen::acceptedStartModeReachesTheIconScreen()
{
    auto *icon = testenv::findWindow<IconScreen>(u"TForm1"_s);
    QVERIFY(icon);
    icon->show();
    QVERIFY(icon->startsAtOnce());
    QVERIFY(icon->slotColumn()->slotPicture(58)->isVisible());

    openScreen();
    control<QRadioButton>(u"RadioButton2"_s)->setChecked(true);
    click(u"ok"_s);
    QVERIFY(!icon->startsAtOnce());
    QVERIFY(!icon->slotColumn()->slotPicture(58)->isVisible());

    // Cancel accepts nothing: the screen keeps what it read.
    openScreen();
    control<QRadioButton>(u"RadioButton1"_s)->setChecked(true);
    click(u"cancel"_s);
    QVERIFY(!icon->startsAtOnce());
    icon->hide();
}

int main(int argc, char **argv)
{
    Rk25Application app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    TestSettingsScreen test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingsscreen.moc"
