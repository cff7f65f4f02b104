#include "app/mainmenu.h"
#include "app/ui/errorguard.h"
#include "app/ui/messagebox.h"
#include "app/ui/picturebutton.h"
#include "app/ui/pictures.h"
#include "app/ui/programfiledialog.h"
#include "common/cp932.h"
#include "common/errornumbers.h"
#include "common/programfolder.h"
#include "icon/iconfile.h"
#include "icon/iconscreen.h"
#include "icon/programlistwindow.h"
#include "support/findwindow.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;


namespace {

// A copy of the program folder's pictures without the named ones.
bool copyPicturesWithout(const QString &target, const QStringList &missing)
{
    const QDir photo(programFilePath(u"Photo"_s));
    QDirIterator it(photo.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString relative = photo.relativeFilePath(from);
        if (missing.contains(QFileInfo(from).fileName()))
            continue;
        const QString to = QDir(target).filePath(u"Photo/"_s + relative);
        if (!QDir().mkpath(QFileInfo(to).path()) || !QFile::copy(from, to))
            return false;
    }
    return true;
}

}

// The program list opened from the icon screen of the real application, looked at in the
// rendered window.
class TestProgramListWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void showsRowsWithTheirPictures();
    void notUpdatedWhileOpenRebuiltWhenReopened();
    void missingPictureReportsOnceAndKeepsText();

private:
    struct Step
    {
        int slot;
        const char16_t *icon;
        int value;
    };
    // Writes the program to a file and reads it through the icon screen's Read button.
    void readProgram(const QList<Step> &steps);
    void click(QWidget *window, const QString &name);
    ProgramListWindow *openList();
    // The rendered list (ListBox1) as the window shows it.
    QImage renderedList();
    // The part of row r's picture inside its own cell (its top two lines reach above it).
    static QRect visiblePicture(int r);
    // Mean colour of a rectangle of an image (clipped to it).
    static QColor meanColour(const QImage &image, const QRect &rect);
    static QColor meanPictureColour(const QString &relativeName);
    static bool near(const QColor &a, const QColor &b);

    MainMenu *m_menu = nullptr;
    IconScreen *m_icon = nullptr;
    QList<ui::MessageRequest> m_boxes;
    QString m_chosenFile;
    QTemporaryDir m_dir;
};

void TestProgramListWindow::initTestCase()
{
    ui::setMessageResponder([this](const ui::MessageRequest &r) {
        m_boxes << r;
        return r.buttons.contains(ui::MessageButton::No) ? ui::MessageButton::No : r.buttons.first();
    });
    ui::setProgramFileChooserForTests([this](bool) { return m_chosenFile; });
    m_menu = new MainMenu;
    m_menu->createOtherWindows();
    m_menu->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_menu));
    click(m_menu, u"menu_icon2"_s);
    m_icon = testenv::findWindow<IconScreen>(u"TForm1"_s);
    QVERIFY(m_icon && m_icon->isVisible());
}

void TestProgramListWindow::init()
{
    m_boxes.clear();
}

void TestProgramListWindow::cleanup()
{
    if (auto *list = testenv::findWindow(u"TForm2"_s); list && list->isVisible())
        click(list, u"tojiru"_s);
    ui::setPictureFolderForTests({});
}

void TestProgramListWindow::cleanupTestCase()
{
    delete m_menu;
    ui::setMessageResponder({});
    ui::setProgramFileChooserForTests({});
}

void TestProgramListWindow::readProgram(const QList<Step> &steps)
{
    IconProgram program;
    for (const Step &s : steps) {
        QVERIFY(program.setFromIcon(s.slot, QStringView(s.icon)));
        program.setValue(s.slot, s.value);
    }
    static int counter = 0;
    m_chosenFile = m_dir.filePath(u"list%1.rk5"_s.arg(++counter));
    QVERIFY(cp932::writeLines(m_chosenFile, iconFileLines(program)));
    click(m_icon, u"Read"_s);
    for (int n = 0; n < SLOT_COUNT; ++n) {
        const ProgramSlot &got = m_icon->program().slot(n), &want = program.slot(n);
        QCOMPARE(got.name, want.name);
        QCOMPARE(got.value, want.value);
    }
}

void TestProgramListWindow::click(QWidget *window, const QString &name)
{
    auto *b = window->findChild<PictureButton *>(name);
    QVERIFY2(b && b->isVisible(), qPrintable(name));
    QTest::mouseClick(b, Qt::LeftButton);
}

ProgramListWindow *TestProgramListWindow::openList()
{
    click(m_icon, u"All_View"_s);
    auto *list = testenv::findWindow<ProgramListWindow>(u"TForm2"_s);
    if (!list || !QTest::qWaitForWindowExposed(list))
        return nullptr;
    return list;
}

QImage TestProgramListWindow::renderedList()
{
    auto *list = testenv::findWindow<ProgramListWindow>(u"TForm2"_s);
    const QImage window = list->grab().toImage();
    return window.copy(list->listBox()->geometry());
}

QRect TestProgramListWindow::visiblePicture(int r)
{
    const QRect cell = programListCell(r);
    return QRect(programListPictureRect(cell).left(), cell.top(), 21, 19);
}

QColor TestProgramListWindow::meanColour(const QImage &image, const QRect &rect)
{
    const QRect r = rect.intersected(image.rect());
    qint64 red = 0, green = 0, blue = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red();
            green += c.green();
            blue += c.blue();
        }
    }
    const qint64 n = qMax<qint64>(1, qint64(r.width()) * r.height());
    return QColor(int(red / n), int(green / n), int(blue / n));
}

QColor TestProgramListWindow::meanPictureColour(const QString &relativeName)
{
    const QImage picture = ui::loadPicture(relativeName).toImage().scaled(21, 21, Qt::IgnoreAspectRatio,
                                                                           Qt::SmoothTransformation);
    return meanColour(picture, QRect(0, 2, 21, 19));
}

bool TestProgramListWindow::near(const QColor &a, const QColor &b)
{
    return qAbs(a.red() - b.red()) < 24 && qAbs(a.green() - b.green()) < 24 && qAbs(a.blue() - b.blue()) < 24;
}

void TestProgramListWindow::showsRowsWithTheirPictures()
{
    // Twenty instructions with empty slots between some of them: more than one column.
    const Step kinds[] = {{0, u"Image2", 15}, {0, u"Image10", 3}, {0, u"Image6", 90}, {0, u"Image5", 15},
                          {0, u"Image11", 0}, {0, u"Image13", 0}, {0, u"Image15", 0}, {0, u"Image1", 90},
                          {0, u"Image8", 15}, {0, u"Image4", 90}};
    QList<Step> steps;
    for (int k = 0; k < 20; ++k)
        steps.append({k + k / 4, kinds[k % 10].icon, kinds[k % 10].value});
    readProgram(steps);
    ProgramListWindow *list = openList();
    QVERIFY(list);

    const QStringList texts = list->listBox()->rowTexts();
    QCOMPARE(texts.size(), 20);
    QCOMPARE(texts.value(0), u"01　　前進　　01.5秒"_s);
    QCOMPARE(texts.value(1), u"02　　繰返開始　3.0回"_s);
    QCOMPARE(texts.value(4), u"05　　繰返終了"_s);
    QCOMPARE(texts.value(5), u"06　　前SW OFFの間"_s);
    QCOMPARE(texts.value(17), u"18　　前左折　　90度"_s);
    QCOMPARE(texts.value(19), u"20　　左回転　　90度"_s);

    const QImage shown = renderedList();
    const QColor base = QApplication::palette().color(QPalette::Base);
    for (int r = 0; r < 21; ++r) {
        const QRect cell = programListCell(r);
        const QRect picture = visiblePicture(r);
        const QRect textAfterPicture(cell.left() + 44, cell.top(), cell.width() - 44, 22);
        int dark = 0;
        for (int y = textAfterPicture.top(); y <= textAfterPicture.bottom(); ++y)
            for (int x = textAfterPicture.left(); x <= textAfterPicture.right(); ++x)
                dark += qGray(shown.pixel(x, y)) < 128;
        if (r == 20) {
            QVERIFY2(dark == 0, "no row after the last");
            QVERIFY(near(meanColour(shown, picture), base));
            continue;
        }
        QVERIFY2(dark > 20, qPrintable(texts[r]));
        const QString file = list->listBox()->rows()[r].picture;
        const QColor want = meanPictureColour(file);
        const QColor got = meanColour(shown, picture);
        QVERIFY2(near(got, want), qPrintable(u"row %1 %2: %3 vs %4"_s.arg(r + 1).arg(file, got.name(), want.name())));
    }
    QVERIFY(m_boxes.isEmpty());
}

void TestProgramListWindow::notUpdatedWhileOpenRebuiltWhenReopened()
{
    readProgram({{0, u"Image2", 10}, {1, u"Image5", 10}});
    ProgramListWindow *list = openList();
    QVERIFY(list);
    QCOMPARE(list->listBox()->rowTexts().size(), 2);

    readProgram({{5, u"Image6", 90}});
    click(m_icon, u"All_View"_s);
    QCOMPARE(list->listBox()->rowTexts(), (QStringList{u"01　　前進　　01.0秒"_s, u"02　　停止　　01.0秒"_s}));

    click(list, u"tojiru"_s);
    QVERIFY(!list->isVisible());
    QVERIFY(openList());
    QCOMPARE(list->listBox()->rowTexts(), QStringList{u"01　　右回転　　90度"_s});

    // An empty program shows an empty list.
    click(list, u"tojiru"_s);
    readProgram({});
    QVERIFY(openList());
    QVERIFY(list->listBox()->rowTexts().isEmpty());
    const QImage shown = renderedList();
    QVERIFY(near(meanColour(shown, shown.rect()), QApplication::palette().color(QPalette::Base)));
    QVERIFY(m_boxes.isEmpty());
}

void TestProgramListWindow::missingPictureReportsOnceAndKeepsText()
{
    // A program folder without the stop picture.
    QTemporaryDir folder;
    QVERIFY(copyPicturesWithout(folder.path(), {u"Stop.bmp"_s}));
    readProgram({{0, u"Image5", 10}, {1, u"Image2", 10}});
    ui::setPictureFolderForTests(folder.path());

    ProgramListWindow *list = openList();
    QVERIFY(list);
    for (int k = 0; k < 3; ++k)
        list->listBox()->repaint();
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].text, ui::numberedErrorText(errors::LIST_ROW));
    QCOMPARE(list->listBox()->rowTexts(), (QStringList{u"01　　停止　　01.0秒"_s, u"02　　前進　　01.0秒"_s}));

    const QImage shown = renderedList();
    QVERIFY(near(meanColour(shown, visiblePicture(1)), meanPictureColour(u"Photo\\Button\\FF.bmp"_s)));
    QVERIFY(near(meanColour(shown, visiblePicture(0)), QApplication::palette().color(QPalette::Base)));
}

QTEST_MAIN(TestProgramListWindow)
#include "tst_programlistwindow.moc"
