// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/application.h"
#include "app/ui/backgroundpicture.h"
#include "app/ui/errorguard.h"
#include "app/ui/messagebox.h"
#include "app/ui/picturebutton.h"
#include "app/ui/pictures.h"
#include "app/ui/picturewindow.h"
#include "app/ui/stage.h"
#include "app/ui/windowscaling.h"

#include <QtWidgets/QDialog>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStackedWidget>
#include <QtWidgets/QWidget>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

// The conventions every window follows: picture buttons, dragging a borderless window by its
// background, the numbered and the unexpected-failure boxes.
class TestUiConventions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void buttonShowsPressedPictureWhileHeld();
    void missingPictureShowsNumberAndKeepsPicture_data();
    void missingPictureShowsNumberAndKeepsPicture();
    void disabledButtonDoesNothing();
    void draggingBackgroundMovesWindow_data();
    void draggingBackgroundMovesWindow();
    void scalingBackKeepsTheFontLastSet_data();
    void scalingBackKeepsTheFontLastSet();
    void controlsKeepTheirColoursOnADarkDesktop();
    void numberedBoxText();
    void unexpectedFailureDot_data();
    void unexpectedFailureDot();
    void failureOutsideGuardReachesTitledBox();
    void guardStopsAtFailingStep();
    void boxesUseSystemCaptionsAndButtons_data();
    void boxesUseSystemCaptionsAndButtons();
    void toldBoxesWaitForTheOpenOne();
    void screensAppearThroughTheStage();
    void qtTextsAreJapanese_data();
    void qtTextsAreJapanese();

private:
    void writePicture(const QString &name, QSize size);
    void removePicture(const QString &name);

    QTemporaryDir m_folder;
    QList<ui::MessageRequest> m_boxes;
};

void TestUiConventions::initTestCase()
{
    QVERIFY(m_folder.isValid());
    QDir(m_folder.path()).mkpath(QStringLiteral("Photo/Button"));
}

void TestUiConventions::init()
{
    m_boxes.clear();
    ui::setPictureFolderForTests(m_folder.path());
    ui::setMessageResponder([this](const ui::MessageRequest &r) {
        m_boxes.append(r);
        return r.buttons.first();
    });
    // Released pictures are 10 x 10, pressed ones 20 x 10: the size tells which one shows.
    writePicture(QStringLiteral("menu_key.jpg"), QSize(10, 10));
    writePicture(QStringLiteral("menu_key-1.jpg"), QSize(20, 10));
}

void TestUiConventions::cleanup()
{
    ui::setPictureFolderForTests(QString());
    ui::setMessageResponder({});
}

void TestUiConventions::writePicture(const QString &name, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(m_folder.filePath(QStringLiteral("Photo/Button/") + name), "JPG"));
}

void TestUiConventions::removePicture(const QString &name)
{
    QFile::remove(m_folder.filePath(QStringLiteral("Photo/Button/") + name));
}

void TestUiConventions::buttonShowsPressedPictureWhileHeld()
{
    QWidget window;
    PictureButton button(QStringLiteral("menu_key"), QRect(0, 0, 50, 20), {1201, 1202},
                         QStringLiteral("STEP4"), &window);
    QCOMPARE(button.picture().size(), QSize(10, 10));
    int clicks = 0;
    connect(&button, &PictureButton::clicked, [&] { ++clicks; });

    QTest::mousePress(&button, Qt::LeftButton);
    QCOMPARE(button.picture().size(), QSize(20, 10));
    QCOMPARE(clicks, 0);
    QTest::mouseRelease(&button, Qt::LeftButton);
    QCOMPARE(button.picture().size(), QSize(10, 10));
    QCOMPARE(clicks, 1);
    QVERIFY(m_boxes.isEmpty());
}

void TestUiConventions::missingPictureShowsNumberAndKeepsPicture_data()
{
    QTest::addColumn<QString>("missing");
    QTest::addColumn<bool>("onPress");
    QTest::addColumn<int>("number");
    QTest::addColumn<QSize>("shownWhileHeld");
    QTest::addColumn<QSize>("shownAfter");
    QTest::newRow("pressed picture missing") << u"menu_key-1.jpg"_s << true << 1201
                                             << QSize(10, 10) << QSize(10, 10);
    QTest::newRow("released picture missing") << u"menu_key.jpg"_s << false << 1202
                                              << QSize(20, 10) << QSize(20, 10);
}

void TestUiConventions::missingPictureShowsNumberAndKeepsPicture()
{
    QFETCH(QString, missing);
    QFETCH(bool, onPress);
    QFETCH(int, number);
    QFETCH(QSize, shownWhileHeld);
    QFETCH(QSize, shownAfter);

    QWidget window;
    PictureButton button(QStringLiteral("menu_key"), QRect(0, 0, 50, 20), {1201, 1202},
                         QStringLiteral("STEP4"), &window);
    removePicture(missing);
    int clicks = 0;
    connect(&button, &PictureButton::clicked, [&] { ++clicks; });

    QTest::mousePress(&button, Qt::LeftButton);
    QCOMPARE(button.picture().size(), shownWhileHeld);
    QCOMPARE(m_boxes.size(), onPress ? 1 : 0);
    QTest::mouseRelease(&button, Qt::LeftButton);
    QCOMPARE(button.picture().size(), shownAfter);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().kind, ui::MessageKind::Warning);
    QCOMPARE(m_boxes.first().caption, u"警告"_s);
    QCOMPARE(m_boxes.first().text, ui::numberedErrorText(number));
    QCOMPARE(m_boxes.first().buttons, QList{ui::MessageButton::Ok});
    // The click is an event of its own and still runs.
    QCOMPARE(clicks, 1);
}

void TestUiConventions::disabledButtonDoesNothing()
{
    QWidget window;
    PictureButton button(QStringLiteral("menu_key"), QRect(0, 0, 50, 20), {1201, 1202},
                         QStringLiteral("STEP4"), &window);
    button.setEnabled(false);
    int clicks = 0;
    connect(&button, &PictureButton::clicked, [&] { ++clicks; });
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicks, 0);
    QCOMPARE(button.picture().size(), QSize(10, 10));
}

void TestUiConventions::draggingBackgroundMovesWindow_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("travel");
    QTest::newRow("left, right and down") << Qt::LeftButton << QPoint(30, 10);
    QTest::newRow("right button, left and up") << Qt::RightButton << QPoint(-25, -7);
}

void TestUiConventions::draggingBackgroundMovesWindow()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, travel);

    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(300, 200);
    auto *back = new BackgroundPicture(QStringLiteral("back"), QStringLiteral("Photo\\Back\\none.jpg"), &window);
    window.move(200, 150);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint start = window.pos();

    const QPoint pressAt(100, 80);
    QTest::mousePress(back, button, {}, pressAt);
    QMouseEvent move(QEvent::MouseMove, QPointF(pressAt + travel), back->mapToGlobal(QPointF(pressAt + travel)),
                     button, button, Qt::NoModifier);
    QApplication::sendEvent(back, &move);
    QTest::mouseRelease(back, button, {}, pressAt + travel);
    QCOMPARE(window.pos(), start + travel);

    // After the release, moving the pointer moves nothing.
    QMouseEvent after(QEvent::MouseMove, QPointF(10, 10), back->mapToGlobal(QPointF(10, 10)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(back, &after);
    QCOMPARE(window.pos(), start + travel);
}

void TestUiConventions::scalingBackKeepsTheFontLastSet_data()
{
    QTest::addColumn<bool>("whileScaled"); // the program sets the font while docked, or between dockings
    QTest::newRow("set while scaled") << true;
    QTest::newRow("set between two scalings") << false;
}

void TestUiConventions::scalingBackKeepsTheFontLastSet()
{
    QFETCH(bool, whileScaled);
    QWidget window;
    window.setFixedSize(800, 600);
    auto *editor = new QLineEdit(&window);
    editor->setGeometry(100, 100, 400, 200);
    auto *label = new QLabel(QStringLiteral("1"), &window);
    QFont design = label->font();
    design.setPixelSize(20);
    label->setFont(design);
    QFont chosen = editor->font();
    chosen.setPointSize(17);

    ui::scaleWindowContent(&window, 640, 800);
    QCOMPARE(label->font().pixelSize(), 16);
    QCOMPARE(editor->geometry(), QRect(80, 80, 320, 160));
    if (whileScaled) {
        editor->setFont(chosen);
        ui::restoreWindowContent(&window);
    } else {
        ui::restoreWindowContent(&window);
        editor->setFont(chosen);
        ui::scaleWindowContent(&window, 512, 800);
        ui::restoreWindowContent(&window);
    }
    QCOMPARE(editor->font(), chosen);
    QCOMPARE(label->font(), design);
    QCOMPARE(editor->geometry(), QRect(100, 100, 400, 200));
    QCOMPARE(window.size(), QSize(800, 600));
}

void TestUiConventions::controlsKeepTheirColoursOnADarkDesktop()
{
    const QPalette desktop = QApplication::palette();
    QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x2B, 0x2B, 0x2B));
    QApplication::setPalette(dark);
    QCOMPARE(QApplication::palette().color(QPalette::WindowText), QColor(Qt::white));

    PictureWindow window({QStringLiteral("TFormTest"), QStringLiteral("none"), QSize(300, 200), u"back"_s, {}});
    // A white panel with a number on it, as the slot column has.
    auto *panel = new QWidget(&window);
    panel->setGeometry(10, 10, 120, 60);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel->setPalette(white);
    auto *number = new QLabel(QStringLiteral("58"), panel);
    QFont font = number->font();
    font.setPixelSize(30);
    font.setBold(true);
    number->setFont(font);
    number->setGeometry(0, 0, 120, 60);
    auto *field = new QLineEdit(QStringLiteral("たろう"), &window);
    field->setGeometry(10, 100, 200, 30);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    auto darkest = [](const QImage &image) {
        int least = 255;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                least = std::min(least, qGray(image.pixel(x, y)));
        }
        return least;
    };
    const QImage numberImage = panel->grab().toImage();
    QCOMPARE(numberImage.pixelColor(1, 1), QColor(Qt::white));
    QVERIFY2(darkest(numberImage) < 80, "the number is drawn dark on its white panel");
    const QImage fieldImage = field->grab().toImage();
    QVERIFY(qGray(fieldImage.pixel(fieldImage.width() - 4, fieldImage.height() / 2)) > 200);
    QVERIFY2(darkest(fieldImage) < 80, "the field's text is dark on white");

    // A box over the window follows the desktop.
    QDialog box(&window);
    QCOMPARE(box.palette().color(QPalette::Window), dark.color(QPalette::Window));
    QApplication::setPalette(desktop);
}

void TestUiConventions::numberedBoxText()
{
    QCOMPARE(ui::numberedErrorText(701),
             u"(701)エラーが発生しました\r\nソフトを再起動するか再度インストールして下さい"_s);
    ui::showNumberedError(nullptr, 1103);
    QCOMPARE(m_boxes.size(), 1);
    QVERIFY(m_boxes.first().text.startsWith(u"(1103)"_s));
}

void TestUiConventions::unexpectedFailureDot_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Japanese ends") << u"/x/set.ini に書き込めません"_s << u"/x/set.ini に書き込めません."_s;
    QTest::newRow("letter") << u"abc"_s << u"abc."_s;
    QTest::newRow("already a dot") << u"abc."_s << u"abc."_s;
    QTest::newRow("exclamation sorts before the dot") << u"abc!"_s << u"abc!"_s;
    QTest::newRow("comma sorts before the dot") << u"a,"_s << u"a,"_s;
    QTest::newRow("slash sorts after the dot") << u"a/"_s << u"a/."_s;
    QTest::newRow("empty") << QString() << QString();
}

void TestUiConventions::unexpectedFailureDot()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(ui::unexpectedFailureText(message), shown);
}

void TestUiConventions::failureOutsideGuardReachesTitledBox()
{
    QWidget window;
    PictureButton button(QStringLiteral("menu_key"), QRect(0, 0, 50, 20), {1201, 1202},
                         QStringLiteral("STEP4"), &window);
    bool after = false;
    connect(&button, &PictureButton::clicked, [&] {
        throw ui::Failure(u"書き込めません"_s);
        after = true;
    });
    QTest::mouseClick(&button, Qt::LeftButton);
    QVERIFY(!after);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().kind, ui::MessageKind::Error);
    QCOMPARE(m_boxes.first().caption, u"ステッピングモータロボット制御ソフト"_s);
    QCOMPARE(m_boxes.first().text, u"書き込めません."_s);
    // The application goes on: the next click works.
    int clicks = 0;
    disconnect(&button, &PictureButton::clicked, nullptr, nullptr);
    connect(&button, &PictureButton::clicked, [&] { ++clicks; });
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicks, 1);
}

void TestUiConventions::guardStopsAtFailingStep()
{
    QStringList done;
    const bool ran = ui::guarded(nullptr, 401, [&] {
        done << u"first"_s;
        throw std::runtime_error("x");
        done << u"second"_s;
    });
    QVERIFY(!ran);
    QCOMPARE(done, QStringList{u"first"_s});
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().text, ui::numberedErrorText(401));
    QVERIFY(ui::guarded(nullptr, 401, [] {}));
    QCOMPARE(m_boxes.size(), 1);
}

void TestUiConventions::boxesUseSystemCaptionsAndButtons_data()
{
    QTest::addColumn<ui::MessageKind>("kind");
    QTest::addColumn<QString>("caption");
    QTest::newRow("warning") << ui::MessageKind::Warning << u"警告"_s;
    QTest::newRow("error") << ui::MessageKind::Error << u"エラー"_s;
    QTest::newRow("information") << ui::MessageKind::Information << u"情報"_s;
    QTest::newRow("confirmation") << ui::MessageKind::Confirmation << u"確認"_s;
}

void TestUiConventions::boxesUseSystemCaptionsAndButtons()
{
    QFETCH(ui::MessageKind, kind);
    QFETCH(QString, caption);
    const QList<ui::MessageButton> three{ui::MessageButton::Yes, ui::MessageButton::No,
                                         ui::MessageButton::Cancel};
    ui::setMessageResponder([&](const ui::MessageRequest &r) {
        m_boxes.append(r);
        return ui::MessageButton::No;
    });
    QCOMPARE(ui::showMessage(nullptr, kind, u"プログラムを保存しますか？"_s, three), ui::MessageButton::No);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().caption, caption);
    QCOMPARE(m_boxes.first().buttons, three);
    QCOMPARE(ui::messageButtonText(ui::MessageButton::Yes), u"はい(&Y)"_s);
    QCOMPARE(ui::messageButtonText(ui::MessageButton::No), u"いいえ(&N)"_s);
    QCOMPARE(ui::messageButtonText(ui::MessageButton::Ok), u"OK"_s);
    QCOMPARE(ui::messageButtonText(ui::MessageButton::Cancel), u"キャンセル"_s);
}

void TestUiConventions::toldBoxesWaitForTheOpenOne()
{
    // A transfer's end told while the pupil's question is open: it follows, never inside it.
    int open = 0;
    int deepest = 0;
    QStringList shown;
    ui::setMessageResponder([&](const ui::MessageRequest &r) {
        ++open;
        deepest = std::max(deepest, open);
        shown << r.text;
        if (r.text == u"question"_s) {
            ui::tell(nullptr, ui::MessageKind::Warning, u"first"_s);
            ui::tell(nullptr, ui::MessageKind::Warning, u"second"_s);
            QTest::qWait(20);
        }
        --open;
        return r.buttons.first();
    });
    ui::showMessage(nullptr, ui::MessageKind::Confirmation, u"question"_s,
                    {ui::MessageButton::Yes, ui::MessageButton::No});
    QTRY_COMPARE(shown, (QStringList{u"question"_s, u"first"_s, u"second"_s}));
    QCOMPARE(deepest, 1);
}

void TestUiConventions::screensAppearThroughTheStage()
{
    // The desktop: each screen a window of its own, taking the menu's place.
    PictureWindow menu({u"TFormMenu"_s, u"none"_s, QSize(300, 200), u"back"_s, {}});
    PictureWindow screen({u"TFormScreen"_s, u"none"_s, QSize(300, 200), u"back"_s, {}});
    menu.move(40, 30);
    ui::stage().showScreen(&screen, &menu);
    QVERIFY(screen.isWindow());
    QVERIFY(screen.isVisible());
    QCOMPARE(screen.pos(), QPoint(40, 30));
    ui::stage().hideScreen(&screen);
    QVERIFY(!screen.isVisible());

    // One surface: the same calls make the screens pages of it, one on view at a time.
    QStackedWidget surface;
    ui::PageStage pages(&surface);
    ui::setStage(&pages);
    surface.show();
    ui::stage().showScreen(&menu);
    ui::stage().showScreen(&screen, &menu);
    ui::stage().hideScreen(&menu);
    ui::setStage(nullptr);
    QVERIFY(!menu.isWindow());
    QVERIFY(!screen.isWindow());
    QCOMPARE(surface.count(), 2);
    QCOMPARE(surface.currentWidget(), &screen);
    QVERIFY(screen.isVisible());
    QVERIFY(!menu.isVisible());
    // They are this function's, not the surface's.
    menu.setParent(nullptr);
    screen.setParent(nullptr);
}

void TestUiConventions::qtTextsAreJapanese_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("expected");
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Open | QDialogButtonBox::Save);
    QTest::newRow("standard Cancel button") << box.button(QDialogButtonBox::Cancel)->text() << u"キャンセル"_s;
    QTest::newRow("standard Open button") << box.button(QDialogButtonBox::Open)->text() << u"開く"_s;
    QTest::newRow("standard Save button") << box.button(QDialogButtonBox::Save)->text() << u"保存"_s;
    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList menuTexts;
    for (QAction *action : menu->actions())
        menuTexts << action->text().section(u'\t', 0, 0);
    QTest::newRow("edit menu: copy") << menuTexts.value(menuTexts.indexOf(u"コピー(&C)"_s)) << u"コピー(&C)"_s;
    QTest::newRow("edit menu: paste") << menuTexts.value(menuTexts.indexOf(u"貼り付け(&P)"_s)) << u"貼り付け(&P)"_s;
    QTest::newRow("file dialogue: file name")
        << QCoreApplication::translate("QFileDialog", "File &name:") << u"ファイル名(&N):"_s;
}

// Qt's own texts (standard buttons, the edit menu, the file dialogue) are Japanese even on a
// system whose language is English (main sets one before the application starts).
void TestUiConventions::qtTextsAreJapanese()
{
    QFETCH(QString, shown);
    QFETCH(QString, expected);
    QVERIFY(static_cast<Rk25Application *>(QCoreApplication::instance())->hasJapaneseQtTexts());
    QCOMPARE(shown, expected);
}

int main(int argc, char **argv)
{
    // The system's language is English: Qt's texts must still come out in Japanese.
    qputenv("LANG", "en_US.UTF-8");
    qputenv("LC_ALL", "en_US.UTF-8");
    qputenv("LANGUAGE", "en");
    Rk25Application app(argc, argv);
    TestUiConventions test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_uiconventions.moc"
