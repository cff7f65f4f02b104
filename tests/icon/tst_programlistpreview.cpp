// SPDX-License-Identifier: GPL-3.0-or-later
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
#include "icon/previewwindow.h"
#include "icon/programlistwindow.h"
#include "support/findwindow.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

struct Step
{
    int slot;
    const char16_t *icon;
    int value;
};

// A copy of the program folder's pictures without the named ones.
bool copyPicturesWithout(const QString &target, const QStringList &missing)
{
    const QDir photo(programFilePath(u"Photo"_s));
    QDirIterator it(photo.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        if (missing.contains(QFileInfo(from).fileName()))
            continue;
        const QString to = QDir(target).filePath(u"Photo/"_s + photo.relativeFilePath(from));
        if (!QDir().mkpath(QFileInfo(to).path()) || !QFile::copy(from, to))
            return false;
    }
    return true;
}

QColor meanColour(const QImage &image, const QRect &rect)
{
    const QRect r = rect.intersected(image.rect());
    qint64 sum[3] = {};
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            sum[0] += c.red();
            sum[1] += c.green();
            sum[2] += c.blue();
        }
    }
    const qint64 n = qMax<qint64>(1, qint64(r.width()) * r.height());
    return QColor(int(sum[0] / n), int(sum[1] / n), int(sum[2] / n));
}

bool near(const QColor &a, const QColor &b)
{
    return qAbs(a.red() - b.red()) < 24 && qAbs(a.green() - b.green()) < 24 && qAbs(a.blue() - b.blue()) < 24;
}

bool isRed(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
}

// The part of list row r's picture inside its own cell (its top two lines reach above it),
// and the mean colour a picture file has there.
QRect visiblePicture(int r)
{
    const QRect cell = programListCell(r);
    return QRect(programListPictureRect(cell).left(), cell.top(), 21, 19);
}

QColor meanPictureColour(const QString &relativeName)
{
    const QImage picture = ui::loadPicture(relativeName).toImage().scaled(21, 21);
    return meanColour(picture, QRect(0, 2, 21, 19));
}

}

// The program list and the preview opened from the icon screen of the real application with
// clicks, looked at in the rendered windows.
class TestProgramListPreview : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void listShowsRowsWithTheirPictures();
    void listNotUpdatedWhileOpenRebuiltWhenReopened();
    void listMissingPictureReportsOnceAndKeepsText();

    void previewOfOneStepIsRedAlongTheMiddle();
    void previewTurnsPicturesAsTheRobotStands();
    void secondPreviewKeepsDrawingCloseRemovesIt();
    void previewWithoutMotionDrawsNothing();
    void previewMissingPictureReportsOnceAndDrawsThePath();

private:
    void openStep(int step);
    // Writes the program to a file and reads it through the icon screen's Read button.
    void readProgram(const QList<Step> &steps);
    void click(QWidget *window, const QString &name);
    template <typename Window>
    Window *open(const QString &button, const QString &windowName);
    QLabel *label(QWidget *window, const QString &name) { return window->findChild<QLabel *>(name); }
    // The names of what a drawing put on the preview window.
    QStringList drawingParts(PreviewWindow *preview) const;

    MainMenu *m_menu = nullptr;
    IconScreen *m_icon = nullptr;
    QList<ui::MessageRequest> m_boxes;
    QString m_chosenFile;
    QTemporaryDir m_dir;
};

void TestProgramListPreview::initTestCase()
{
    ui::setMessageResponder([this](const ui::MessageRequest &r) {
        m_boxes << r;
        return r.buttons.contains(ui::MessageButton::No) ? ui::MessageButton::No : r.buttons.first();
    });
    ui::setProgramFileChooserForTests([this](bool) { return m_chosenFile; });
    m_menu = new MainMenu;
    m_menu->createOtherWindows();
    m_icon = testenv::findWindow<IconScreen>(u"TForm1"_s);
    QVERIFY(m_icon);
}

void TestProgramListPreview::init()
{
    m_boxes.clear();
    // The list tests use every kind of instruction (STEP3), the preview tests STEP2.
    openStep(QString::fromLatin1(QTest::currentTestFunction()).startsWith(u"list") ? 2 : 1);
}

void TestProgramListPreview::cleanup()
{
    for (const QString &name : {u"TForm2"_s, u"TForm6"_s}) {
        if (QWidget *w = testenv::findWindow(name); w && w->isVisible())
            click(w, u"tojiru"_s);
    }
    ui::setPictureFolderForTests({});
}

void TestProgramListPreview::cleanupTestCase()
{
    delete m_menu;
    ui::setMessageResponder({});
    ui::setProgramFileChooserForTests({});
}

void TestProgramListPreview::openStep(int step)
{
    m_icon->hide();
    m_menu->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_menu));
    click(m_menu, step == 1 ? u"menu_icon1"_s : u"menu_icon2"_s);
    QVERIFY(m_icon->isVisible());
    QCOMPARE(m_icon->stepMode(), step);
}

void TestProgramListPreview::readProgram(const QList<Step> &steps)
{
    IconProgram program;
    for (const Step &s : steps) {
        QVERIFY(program.setFromIcon(s.slot, QStringView(s.icon)));
        program.setValue(s.slot, s.value);
    }
    static int counter = 0;
    m_chosenFile = m_dir.filePath(u"p%1.rk5"_s.arg(++counter));
    QVERIFY(cp932::writeLines(m_chosenFile, iconFileLines(program)));
    click(m_icon, u"Read"_s);
    for (int n = 0; n < SLOT_COUNT; ++n) {
        QCOMPARE(m_icon->program().slot(n).name, program.slot(n).name);
        QCOMPARE(m_icon->program().slot(n).value, program.slot(n).value);
    }
}

void TestProgramListPreview::click(QWidget *window, const QString &name)
{
    auto *b = window->findChild<PictureButton *>(name);
    QVERIFY2(b && b->isVisible(), qPrintable(name));
    QTest::mouseClick(b, Qt::LeftButton);
}

template <typename Window>
Window *TestProgramListPreview::open(const QString &button, const QString &windowName)
{
    click(m_icon, button);
    auto *window = testenv::findWindow<Window>(windowName);
    return window && QTest::qWaitForWindowExposed(window) ? window : nullptr;
}

QStringList TestProgramListPreview::drawingParts(PreviewWindow *preview) const
{
    QStringList parts;
    for (QWidget *w : preview->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        const QString name = w->objectName();
        if (name == u"area" || name == u"START" || name == u"END" || name.startsWith(u"Segment"))
            parts << name;
    }
    parts.sort();
    return parts;
}

void TestProgramListPreview::listShowsRowsWithTheirPictures()
{
    // Twenty instructions of every kind with empty slots between some: more than one column.
    const Step kinds[] = {{0, u"Image2", 15}, {0, u"Image10", 3}, {0, u"Image6", 90}, {0, u"Image5", 15},
                          {0, u"Image11", 0}, {0, u"Image13", 0}, {0, u"Image15", 0}, {0, u"Image1", 90},
                          {0, u"Image8", 15}, {0, u"Image4", 90}};
    QList<Step> steps;
    for (int k = 0; k < 20; ++k)
        steps.append({k + k / 4, kinds[k % 10].icon, kinds[k % 10].value});
    readProgram(steps);
    auto *list = open<ProgramListWindow>(u"All_View"_s, u"TForm2"_s);
    QVERIFY(list);

    const QStringList texts = list->listBox()->rowTexts();
    QCOMPARE(texts.size(), 20);
    QCOMPARE(texts.value(0), u"01　　前進　　01.5秒"_s);
    QCOMPARE(texts.value(1), u"02　　繰返開始　3.0回"_s);
    QCOMPARE(texts.value(4), u"05　　繰返終了"_s);
    QCOMPARE(texts.value(5), u"06　　前SW OFFの間"_s);
    QCOMPARE(texts.value(17), u"18　　前左折　　90度"_s);

    const QImage shown = list->grab().toImage().copy(list->listBox()->geometry());
    for (int r = 0; r < 21; ++r) {
        const QRect cell = programListCell(r);
        int dark = 0;
        for (int y = cell.top(); y < cell.top() + 22; ++y)
            for (int x = cell.left() + 44; x <= cell.right(); ++x)
                dark += qGray(shown.pixel(x, y)) < 128;
        if (r == 20) {
            QCOMPARE(dark, 0);
            QVERIFY(near(meanColour(shown, visiblePicture(r)), QApplication::palette().color(QPalette::Base)));
            break;
        }
        QVERIFY2(dark > 20, qPrintable(texts[r]));
        const QColor want = meanPictureColour(list->listBox()->rows()[r].picture);
        const QColor got = meanColour(shown, visiblePicture(r));
        QVERIFY2(near(got, want), qPrintable(u"row %1: %2 vs %3"_s.arg(r + 1).arg(got.name(), want.name())));
    }
    QVERIFY(m_boxes.isEmpty());
}

void TestProgramListPreview::listNotUpdatedWhileOpenRebuiltWhenReopened()
{
    readProgram({{0, u"Image2", 10}, {1, u"Image5", 10}});
    auto *list = open<ProgramListWindow>(u"All_View"_s, u"TForm2"_s);
    QVERIFY(list);
    const QStringList first{u"01　　前進　　01.0秒"_s, u"02　　停止　　01.0秒"_s};
    QCOMPARE(list->listBox()->rowTexts(), first);

    readProgram({{5, u"Image6", 90}});
    click(m_icon, u"All_View"_s);
    QCOMPARE(list->listBox()->rowTexts(), first);

    click(list, u"tojiru"_s);
    QVERIFY(!list->isVisible());
    QVERIFY(open<ProgramListWindow>(u"All_View"_s, u"TForm2"_s));
    QCOMPARE(list->listBox()->rowTexts(), QStringList{u"01　　右回転　　90度"_s});
    QVERIFY(m_boxes.isEmpty());
}

void TestProgramListPreview::listMissingPictureReportsOnceAndKeepsText()
{
    QTemporaryDir folder;
    QVERIFY(copyPicturesWithout(folder.path(), {u"Stop.bmp"_s}));
    readProgram({{0, u"Image5", 10}, {1, u"Image2", 10}});
    ui::setPictureFolderForTests(folder.path());

    auto *list = open<ProgramListWindow>(u"All_View"_s, u"TForm2"_s);
    QVERIFY(list);
    for (int k = 0; k < 3; ++k)
        list->listBox()->repaint();
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].text, ui::numberedErrorText(errors::LIST_ROW));
    QCOMPARE(list->listBox()->rowTexts(), (QStringList{u"01　　停止　　01.0秒"_s, u"02　　前進　　01.0秒"_s}));
    const QImage shown = list->grab().toImage().copy(list->listBox()->geometry());
    QVERIFY(near(meanColour(shown, visiblePicture(0)), QApplication::palette().color(QPalette::Base)));
    QVERIFY(near(meanColour(shown, visiblePicture(1)), meanPictureColour(u"Photo\\Button\\FF.bmp"_s)));
}

void TestProgramListPreview::previewOfOneStepIsRedAlongTheMiddle()
{
    readProgram({{0, u"Image2", 10}});
    auto *preview = open<PreviewWindow>(u"Preview"_s, u"TForm6"_s);
    QVERIFY(preview && preview->area());
    QCOMPARE(preview->area()->geometry(), QRect(9, 10, 500, 500));

    // From (250, 499) to (250, 0) of the area, 3 pixels wide; the FF picture covers its middle.
    const QImage shown = preview->grab().toImage();
    const QRect picture = label(preview, u"SegmentPicture1"_s)->geometry();
    QCOMPARE(picture, QRect(247, 248, 24, 24));
    for (int y = 0; y < 500; ++y) {
        const int wy = 10 + y;
        if (wy >= picture.top() && wy <= picture.bottom())
            continue;
        for (int dx = -1; dx <= 1; ++dx)
            QVERIFY2(isRed(shown.pixel(9 + 250 + dx, wy)), qPrintable(u"x %1 y %2"_s.arg(250 + dx).arg(y)));
        QVERIFY2(!isRed(shown.pixel(9 + 247, wy)) && !isRed(shown.pixel(9 + 253, wy)), qPrintable(QString::number(y)));
    }
    for (int x : {20, 100, 200, 300, 400, 490})
        for (int y = 0; y < 500; y += 7)
            QVERIFY(!isRed(shown.pixel(9 + x, 10 + y)));

    QCOMPARE(label(preview, u"Label2"_s)->text(), u"18"_s);
    QCOMPARE(label(preview, u"START"_s)->text(), u"START"_s);
    QCOMPARE(label(preview, u"START"_s)->pos(), QPoint(264, 494));
    QCOMPARE(label(preview, u"END"_s)->text(), u"END"_s);
    QCOMPARE(label(preview, u"END"_s)->pos(), QPoint(264, 15));
    QCOMPARE(label(preview, u"SegmentNumber1"_s)->text(), u"1"_s);
    QVERIFY(m_boxes.isEmpty());
}

void TestProgramListPreview::previewTurnsPicturesAsTheRobotStands()
{
    readProgram({{0, u"Image2", 10}, {1, u"Image6", 90}, {2, u"Image2", 10}, {3, u"Image4", 45}, {4, u"Image2", 10}});
    auto *preview = open<PreviewWindow>(u"Preview"_s, u"TForm6"_s);
    QVERIFY(preview);
    auto picture = [&](int n) { return label(preview, u"SegmentPicture%1"_s.arg(n)); };
    QCOMPARE(picture(1)->size(), QSize(24, 24));
    QCOMPARE(picture(3)->size(), QSize(24, 24));
    QCOMPARE(picture(5)->size(), QSize(34, 34));

    // The third FF is drawn turned a quarter to the right, as the robot then stands, and its
    // background is see-through.
    const QImage upright = picture(1)->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage turned = picture(3)->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage expected = upright.transformed(QTransform().rotate(90));
    QCOMPARE(turned.size(), expected.size());
    int differing = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            const QRgb a = turned.pixel(x, y), b = expected.pixel(x, y);
            differing += qAbs(qAlpha(a) - qAlpha(b)) > 40 || qAbs(qGray(a) - qGray(b)) > 40;
        }
    QVERIFY2(differing < 10, qPrintable(QString::number(differing)));
    QVERIFY(upright != turned);
    QCOMPARE(qAlpha(turned.pixel(0, 0)), 0);
    QVERIFY(m_boxes.isEmpty());
}

void TestProgramListPreview::secondPreviewKeepsDrawingCloseRemovesIt()
{
    readProgram({{0, u"Image2", 10}});
    auto *preview = open<PreviewWindow>(u"Preview"_s, u"TForm6"_s);
    QVERIFY(preview);
    PreviewArea *area = preview->area();
    const QStringList parts = drawingParts(preview);
    QCOMPARE(parts, (QStringList{u"END"_s, u"START"_s, u"SegmentNumber1"_s, u"SegmentPicture1"_s, u"area"_s}));

    // A changed program and a second Preview: the open window keeps its drawing.
    readProgram({{0, u"Image6", 90}, {1, u"Image2", 20}, {2, u"Image5", 10}});
    click(m_icon, u"Preview"_s);
    QCOMPARE(preview->area(), area);
    QCOMPARE(drawingParts(preview), parts);

    click(preview, u"tojiru"_s);
    QVERIFY(!preview->isVisible());
    QVERIFY(!preview->area());
    QVERIFY(drawingParts(preview).isEmpty());

    QVERIFY(open<PreviewWindow>(u"Preview"_s, u"TForm6"_s));
    QCOMPARE(drawingParts(preview).size(), 3 + 2 * 3);
    QCOMPARE(label(preview, u"Label2"_s)->text(), u"36"_s);
    QVERIFY(m_boxes.isEmpty());
}

void TestProgramListPreview::previewWithoutMotionDrawsNothing()
{
    // First a drawing with a length, so that nothing of it may stay behind.
    readProgram({{0, u"Image2", 10}});
    auto *preview = open<PreviewWindow>(u"Preview"_s, u"TForm6"_s);
    QVERIFY(preview);
    click(preview, u"tojiru"_s);

    readProgram({});
    QVERIFY(open<PreviewWindow>(u"Preview"_s, u"TForm6"_s));
    QCOMPARE(drawingParts(preview), (QStringList{u"END"_s, u"START"_s, u"area"_s}));
    QVERIFY(label(preview, u"START"_s)->text().isEmpty());
    QVERIFY(label(preview, u"END"_s)->text().isEmpty());
    QCOMPARE(label(preview, u"Label2"_s)->text(), u"000"_s);

    // The grid alone: silver lines every 5 pixels, nothing red.
    const QImage area = preview->area()->picture().toImage();
    QCOMPARE(area.pixel(5, 2), qRgb(0xC0, 0xC0, 0xC0));
    QCOMPARE(area.pixel(2, 5), qRgb(0xC0, 0xC0, 0xC0));
    QCOMPARE(area.pixel(2, 2), qRgb(0xFF, 0xFF, 0xFF));
    for (int y = 0; y < 500; y += 3)
        for (int x = 0; x < 500; x += 3)
            QVERIFY(!isRed(area.pixel(x, y)));
    QVERIFY(m_boxes.isEmpty());
}

void TestProgramListPreview::previewMissingPictureReportsOnceAndDrawsThePath()
{
    QTemporaryDir folder;
    QVERIFY(copyPicturesWithout(folder.path(), {u"R_Turn.bmp"_s, u"L_Turn.bmp"_s}));
    readProgram({{0, u"Image2", 10}, {1, u"Image6", 90}, {2, u"Image2", 10}, {3, u"Image4", 90}, {4, u"Image2", 10}});
    ui::setPictureFolderForTests(folder.path());

    auto *preview = open<PreviewWindow>(u"Preview"_s, u"TForm6"_s);
    QVERIFY(preview);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].text, ui::numberedErrorText(errors::PREVIEW_DRAW));
    QVERIFY(!label(preview, u"SegmentPicture1"_s)->pixmap().isNull());
    QVERIFY(label(preview, u"SegmentPicture2"_s)->pixmap().isNull());
    QVERIFY(!label(preview, u"SegmentPicture5"_s)->pixmap().isNull());
    QCOMPARE(label(preview, u"END"_s)->text(), u"END"_s);
    // The last segment, up from (374, 250) to (374, 1), is drawn after the missing pictures.
    QVERIFY(isRed(preview->area()->picture().toImage().pixel(374, 100)));
}

QTEST_MAIN(TestProgramListPreview)
#include "tst_programlistpreview.moc"
