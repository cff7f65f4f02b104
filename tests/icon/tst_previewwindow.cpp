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
#include "support/findwindow.h"

#include <QtWidgets/QLabel>
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

// The route preview opened from the STEP2 icon screen of the real application, looked at in
// the rendered window.
class TestPreviewWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void oneStepIsRedAlongTheMiddle();
    void turnedPictureAndLabels();
    void secondPreviewKeepsDrawingCloseRemovesIt();
    void programWithoutMotionDrawsNothing();
    void missingPictureReportsOnceAndDrawsThePath();

private:
    struct Step
    {
        const char16_t *icon;
        int value;
    };
    void readProgram(const QList<Step> &steps);
    void click(QWidget *window, const QString &name);
    PreviewWindow *openPreview();
    // Labels and pictures a drawing put on the window.
    QStringList drawingParts(PreviewWindow *preview) const;

    MainMenu *m_menu = nullptr;
    IconScreen *m_icon = nullptr;
    QList<ui::MessageRequest> m_boxes;
    QString m_chosenFile;
    QTemporaryDir m_dir;
};

void TestPreviewWindow::initTestCase()
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
    click(m_menu, u"menu_icon1"_s);
    m_icon = testenv::findWindow<IconScreen>(u"TForm1"_s);
    QVERIFY(m_icon && m_icon->isVisible());
    QCOMPARE(m_icon->stepMode(), 1);
}

void TestPreviewWindow::init()
{
    m_boxes.clear();
}

void TestPreviewWindow::cleanup()
{
    if (auto *preview = testenv::findWindow(u"TForm6"_s); preview && preview->isVisible())
        click(preview, u"tojiru"_s);
    ui::setPictureFolderForTests({});
}

void TestPreviewWindow::cleanupTestCase()
{
    delete m_menu;
    ui::setMessageResponder({});
    ui::setProgramFileChooserForTests({});
}

void TestPreviewWindow::readProgram(const QList<Step> &steps)
{
    IconProgram program;
    int n = 0;
    for (const Step &s : steps) {
        QVERIFY(program.setFromIcon(n, QStringView(s.icon)));
        program.setValue(n++, s.value);
    }
    static int counter = 0;
    m_chosenFile = m_dir.filePath(u"preview%1.rk5"_s.arg(++counter));
    QVERIFY(cp932::writeLines(m_chosenFile, iconFileLines(program)));
    click(m_icon, u"Read"_s);
    for (int n = 0; n < SLOT_COUNT; ++n) {
        const ProgramSlot &got = m_icon->program().slot(n), &want = program.slot(n);
        QCOMPARE(got.name, want.name);
        QCOMPARE(got.value, want.value);
    }
}

void TestPreviewWindow::click(QWidget *window, const QString &name)
{
    auto *b = window->findChild<PictureButton *>(name);
    QVERIFY2(b && b->isVisible(), qPrintable(name));
    QTest::mouseClick(b, Qt::LeftButton);
}

PreviewWindow *TestPreviewWindow::openPreview()
{
    click(m_icon, u"Preview"_s);
    auto *preview = testenv::findWindow<PreviewWindow>(u"TForm6"_s);
    if (!preview || !QTest::qWaitForWindowExposed(preview))
        return nullptr;
    return preview;
}

QStringList TestPreviewWindow::drawingParts(PreviewWindow *preview) const
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

namespace {

bool isRed(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
}

}

void TestPreviewWindow::oneStepIsRedAlongTheMiddle()
{
    readProgram({{u"Image2", 10}});
    PreviewWindow *preview = openPreview();
    QVERIFY(preview);
    QVERIFY(preview->area());
    QCOMPARE(preview->area()->geometry(), QRect(9, 10, 500, 500));

    // From (250, 499) to (250, 0) of the area, 3 pixels wide; the FF picture covers its middle.
    const QImage shown = preview->grab().toImage();
    const QRect picture = preview->findChild<QLabel *>(u"SegmentPicture1"_s)->geometry();
    QCOMPARE(picture, QRect(247, 248, 24, 24));
    int redRows = 0;
    for (int y = 0; y < 500; ++y) {
        const int wy = 10 + y;
        if (wy >= picture.top() && wy <= picture.bottom())
            continue;
        for (int dx = -1; dx <= 1; ++dx)
            QVERIFY2(isRed(shown.pixel(9 + 250 + dx, wy)), qPrintable(u"x %1 y %2"_s.arg(250 + dx).arg(y)));
        QVERIFY2(!isRed(shown.pixel(9 + 250 - 3, wy)) && !isRed(shown.pixel(9 + 250 + 3, wy)),
                 qPrintable(u"too wide at y %1"_s.arg(y)));
        ++redRows;
    }
    QCOMPARE(redRows, 500 - 24);
    // Nothing red away from the path.
    for (int x : {20, 100, 200, 300, 400, 490})
        for (int y = 0; y < 500; y += 7)
            QVERIFY(!isRed(shown.pixel(9 + x, 10 + y)));

    QCOMPARE(preview->findChild<QLabel *>(u"Label2"_s)->text(), u"18"_s);
    auto *start = preview->findChild<QLabel *>(u"START"_s);
    auto *end = preview->findChild<QLabel *>(u"END"_s);
    QCOMPARE(start->text(), u"START"_s);
    QCOMPARE(start->pos(), QPoint(264, 494));
    QCOMPARE(end->text(), u"END"_s);
    QCOMPARE(end->pos(), QPoint(264, 15));
    QCOMPARE(preview->findChild<QLabel *>(u"SegmentNumber1"_s)->text(), u"1"_s);
    QVERIFY(m_boxes.isEmpty());
}

void TestPreviewWindow::turnedPictureAndLabels()
{
    readProgram({{u"Image2", 10}, {u"Image6", 90}, {u"Image2", 10}, {u"Image4", 45}, {u"Image2", 10}});
    PreviewWindow *preview = openPreview();
    QVERIFY(preview);
    auto picture = [&](int n) { return preview->findChild<QLabel *>(u"SegmentPicture%1"_s.arg(n)); };
    QCOMPARE(picture(1)->size(), QSize(24, 24));
    QCOMPARE(picture(3)->size(), QSize(24, 24));
    QCOMPARE(picture(5)->size(), QSize(34, 34));

    // The third FF is drawn turned a quarter to the right, as the robot then stands.
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
    // Its background is see-through: the grid shows in the corners.
    QCOMPARE(qAlpha(turned.pixel(0, 0)), 0);

    QCOMPARE(preview->findChildren<QLabel *>(QRegularExpression(u"^SegmentNumber\\d+$"_s)).size(), 5);
    QVERIFY(m_boxes.isEmpty());
}

void TestPreviewWindow::secondPreviewKeepsDrawingCloseRemovesIt()
{
    readProgram({{u"Image2", 10}});
    PreviewWindow *preview = openPreview();
    QVERIFY(preview);
    PreviewArea *area = preview->area();
    const QStringList parts = drawingParts(preview);
    QCOMPARE(parts, (QStringList{u"END"_s, u"START"_s, u"SegmentNumber1"_s, u"SegmentPicture1"_s, u"area"_s}));

    // A changed program and a second Preview: the open window keeps its drawing.
    readProgram({{u"Image6", 90}, {u"Image2", 20}, {u"Image5", 10}});
    click(m_icon, u"Preview"_s);
    QCOMPARE(preview->area(), area);
    QCOMPARE(drawingParts(preview), parts);
    QCOMPARE(preview->findChild<QLabel *>(u"Label2"_s)->text(), u"18"_s);

    click(preview, u"tojiru"_s);
    QVERIFY(!preview->isVisible());
    QVERIFY(!preview->area());
    QVERIFY(drawingParts(preview).isEmpty());

    // Opened again: the program of now.
    QVERIFY(openPreview());
    QCOMPARE(drawingParts(preview).size(), 2 + 2 * 3 + 1);
    QCOMPARE(preview->findChild<QLabel *>(u"Label2"_s)->text(), u"36"_s);
    QVERIFY(m_boxes.isEmpty());
}

void TestPreviewWindow::programWithoutMotionDrawsNothing()
{
    // First a drawing with a length, so that nothing of it may stay behind.
    readProgram({{u"Image2", 10}});
    PreviewWindow *preview = openPreview();
    QVERIFY(preview);
    click(preview, u"tojiru"_s);

    readProgram({});
    QVERIFY(openPreview());
    QCOMPARE(drawingParts(preview), (QStringList{u"END"_s, u"START"_s, u"area"_s}));
    QVERIFY(preview->findChild<QLabel *>(u"START"_s)->text().isEmpty());
    QVERIFY(preview->findChild<QLabel *>(u"END"_s)->text().isEmpty());
    QCOMPARE(preview->findChild<QLabel *>(u"Label2"_s)->text(), u"000"_s);

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

void TestPreviewWindow::missingPictureReportsOnceAndDrawsThePath()
{
    // A program folder without the pictures of the turns.
    QTemporaryDir folder;
    QVERIFY(copyPicturesWithout(folder.path(), {u"R_Turn.bmp"_s, u"L_Turn.bmp"_s}));
    readProgram({{u"Image2", 10}, {u"Image6", 90}, {u"Image2", 10}, {u"Image4", 90}, {u"Image2", 10}});
    ui::setPictureFolderForTests(folder.path());

    PreviewWindow *preview = openPreview();
    QVERIFY(preview);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].text, ui::numberedErrorText(errors::PREVIEW_DRAW));
    auto picture = [&](int n) { return preview->findChild<QLabel *>(u"SegmentPicture%1"_s.arg(n)); };
    QVERIFY(!picture(1)->pixmap().isNull());
    QVERIFY(picture(2)->pixmap().isNull());
    QVERIFY(!picture(5)->pixmap().isNull());
    QCOMPARE(preview->findChild<QLabel *>(u"END"_s)->text(), u"END"_s);
    // The last segment, up from (374, 250) to (374, 1), is drawn although pictures before it
    // were missing.
    const QImage area = preview->area()->picture().toImage();
    QVERIFY(isRed(area.pixel(374, 100)));
}

QTEST_MAIN(TestPreviewWindow)
#include "tst_previewwindow.moc"
