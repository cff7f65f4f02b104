// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/settingsscreen.h"
#include "common/errornumbers.h"

#include "app/settings/colorswatch.h"
#include "app/settings/reopenport.h"
#include "app/settings/settingsfile.h"
#include "app/settings/teacherguide.h"
#include "app/ui/backgroundpicture.h"
#include "app/ui/errorguard.h"
#include "app/ui/messagebox.h"
#include "app/ui/pictures.h"
#include "robot/instructioncode.h"
#include "robot/portmessages.h"
#include "robot/programtransfer.h"
#include "robot/serialportnames.h"
#include "robot/trs232c.h"
#include "robot/wireplan.h"
#include "robot/wireplayer.h"

#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSlider>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QStackedWidget>
#include <QtWidgets/QTreeWidget>
#include <QtWidgets/QVBoxLayout>

#include <QFontDatabase>
#include <QShowEvent>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The tree nodes in their expanded order, with the page each one shows.
struct TreeNode
{
    const char16_t *caption;
    int page;
};
constexpr TreeNode TREE_NODES[] = {
    {u"COMポート名", 1},         {u"速度調整", 2},   {u"命令の実行方法", 0},
    {u"STEP2・3　アイコン", 3}, {u"STEP4　文字入力", 4}, {u"文字の大きさ", 5},
    {u"背景色", 6},              {u"文字色", 7},     {u"フォント名", 8},
    {u"コメント色", 9},
};
constexpr int TREE_POSITION_ROLE = Qt::UserRole + 1;

void throwIfFailed(const SettingsResult &result)
{
    if (!result.ok)
        throw ui::Failure(result.error);
}

ColorValue colourOrThrow(const ColorRead &read)
{
    if (!read.ok)
        throw ui::Failure(read.error);
    return read.value;
}

void paintPreview(QLabel *memo, ColorValue back, ColorValue text, int size, const QString &font)
{
    QPalette p = memo->palette();
    p.setColor(QPalette::Window, toQColor(back));
    p.setColor(QPalette::WindowText, toQColor(text));
    memo->setPalette(p);
    QFont f(font);
    // A stored size of 0 or less cannot be drawn; the field's limits apply on OK anyway.
    f.setPointSize(std::max(1, size));
    memo->setFont(f);
}

}

SettingsScreen::SettingsScreen(Trs232c *port)
    : PictureWindow({u"TForm7"_s, u"setup"_s, QSize(500, 350),
                     u"Image1"_s, {errors::SETTINGS_BUTTON_PRESS, errors::SETTINGS_BUTTON_RELEASE}})
    , m_port(port)
{
    background()->setFillColor(QColor(225, 232, 245));

    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName(u"TreeView1"_s);
    TreeView1->setGeometry(47, 44, 120, 185);
    TreeView1->setHeaderHidden(true);
    TreeView1->setFrameShape(QFrame::NoFrame);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setIndentation(8);
    QFont treeFont = TreeView1->font();
    treeFont.setPixelSize(10);
    TreeView1->setFont(treeFont);
    QTreeWidgetItem *editorNode = nullptr;
    for (int i = 0; i < int(std::size(TREE_NODES)); ++i) {
        auto *item = i >= 5 ? new QTreeWidgetItem(editorNode) : new QTreeWidgetItem(TreeView1);
        item->setText(0, QString::fromUtf16(TREE_NODES[i].caption));
        item->setData(0, TREE_POSITION_ROLE, i);
        if (i == 4)
            editorNode = item;
    }
    connect(TreeView1, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *item) { TreeView1Change(item); });

    m_pages = buildSettingsPages(this, errors::SETTINGS_BUTTON_PRESS, errors::SETTINGS_BUTTON_RELEASE);
    m_pages.PageControl1->setGeometry(182, 44, 272, 230);
    m_pages.PageControl1->setAutoFillBackground(true);
    m_pages.PageControl1->setCurrentIndex(1);
    TreeView1->setCurrentItem(TreeView1->topLevelItem(0));

    Memo1 = new QLabel(u"Sample"_s, this);
    Memo1->setObjectName(u"Memo1"_s);
    Memo1->setGeometry(45, 243, 124, 79);
    Memo1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Memo1->setAutoFillBackground(true);
    Memo1->setFrameShape(QFrame::Box);
    Memo1->setMargin(2);
    Memo2 = new QLabel(u"//コメント"_s, this);
    Memo2->setObjectName(u"Memo2"_s);
    Memo2->setGeometry(53, 280, 97, 33);
    Memo2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Memo2->setAutoFillBackground(true);
    showPreviews();

    ok = addButton(u"ok"_s, QRect(232, 296, 94, 29), u"OK"_s);
    cancel = addButton(u"cancel"_s, QRect(342, 296, 94, 29), u"キャンセル"_s);
    connect(ok, &PictureButton::clicked, this, &SettingsScreen::okClick);
    connect(cancel, &PictureButton::clicked, this, &SettingsScreen::cancelClick);
    auto *guide = addButton(u"teacherguide"_s, QRect(362, 8, 112, 26), u"先生むけ せつめい"_s);
    connect(guide, &PictureButton::clicked, this, [this] { openTeacherGuide(this); });
    connect(m_pages.comport, &PictureButton::clicked, this, &SettingsScreen::comportClick);
    connect(m_pages.dosatest, &PictureButton::clicked, this, &SettingsScreen::dosatestClick);

    for (ColorSwatch *swatch : m_pages.swatches)
        connect(swatch, &ColorSwatch::clicked, this, &SettingsScreen::PanelClick);
    connect(m_pages.SpinEdit1, &QSpinBox::valueChanged, this, &SettingsScreen::SpinEdit1Change);
    connect(m_pages.ListBox1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { ListBox1Click(item->text()); });
    connect(m_pages.LMDTrackBar1, &QSlider::valueChanged, this,
            [this](int value) { m_pages.Label25->setText(QString::number(value)); });

    Panel1 = new QLabel(this);
    Panel1->setObjectName(u"Panel1"_s);
    Panel1->setGeometry(135, 190, 223, 87);
    {
        auto *panel = static_cast<QLabel *>(Panel1);
        const QPixmap wait = ui::loadPictureQuietly(u"Photo\\Back\\setup_wait.jpg"_s);
        if (wait.isNull()) {
            panel->setText(u"シリアルポートを\n更新しています。\nしばらくお待ちください。"_s);
            panel->setAlignment(Qt::AlignCenter);
            panel->setStyleSheet(u"background: #fff8d0; border: 2px solid #c08000;"
                                                " color: #503000; font-weight: bold;"_s);
        } else {
            panel->setPixmap(wait);
            panel->setScaledContents(true);
        }
    }
    Panel1->hide();
    showValues(SettingsValues());
    refreshPortDevices();
}

void SettingsScreen::showSettings()
{
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    show();
    raise();
    activateWindow();
}

bool SettingsScreen::deleteShiftsUp() const
{
    return m_pages.CheckBox1->isChecked();
}

void SettingsScreen::showEvent(QShowEvent *event)
{
    PictureWindow::showEvent(event);
    if (!event->spontaneous())
        ui::guarded(this, errors::SETTINGS_LOAD, [this] { FormShow(); });
}

void SettingsScreen::FormShow()
{
    TreeView1->expandAll();

    QStringList families = QFontDatabase::families();
    families.append(u"Default"_s);
    std::sort(families.begin(), families.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    m_pages.ListBox1->clear();
    m_pages.ListBox1->addItems(families);
    m_pages.ListBox1->setCurrentRow(-1);

    refreshPortDevices();
    loadFrom(SettingsFile());
}

// Reads the keys in their fixed order; a colour that is no colour stops here, leaving what
// was read before it on the screen.
void SettingsScreen::loadFrom(const SettingsFile &file)
{
    m_memo1Back = colourOrThrow(file.backColor());
    showPreviews();
    m_memo1Text = colourOrThrow(file.fontColor());
    showPreviews();
    const int size = file.fontSize();
    m_memo1Size = size;
    m_memo2Back = colourOrThrow(file.backColor());
    m_memo2Size = size;
    showPreviews();
    m_memo2Text = colourOrThrow(file.comentColor());
    showPreviews();
    selectPortIndex(m_pages, file.comportName());
    {
        const QSignalBlocker block(m_pages.SpinEdit1);
        m_pages.SpinEdit1->setValue(std::clamp(file.fontSize(), 5, 30));
    }
    m_fontName = file.fontName();
    showPreviews();
    const int speed = file.smrSpeed();
    m_pages.Label25->setText(QString::number(speed));
    {
        // The label keeps the stored number even where the slider stops at its end.
        const QSignalBlocker block(m_pages.LMDTrackBar1);
        m_pages.LMDTrackBar1->setValue(std::clamp(speed, 10, 50));
    }
    const bool startAtOnce = file.playHow();
    m_pages.CheckBox1->setChecked(file.deleteShift());
    if (startAtOnce)
        m_pages.RadioButton1->setChecked(true);
    else
        m_pages.RadioButton2->setChecked(true);
    m_pages.Label9->setText(m_fontName);
}

void SettingsScreen::showPreviews()
{
    paintPreview(Memo1, m_memo1Back, m_memo1Text, m_memo1Size, m_fontName);
    paintPreview(Memo2, m_memo2Back, m_memo2Text, m_memo2Size, m_fontName);
}

void SettingsScreen::TreeView1Change(QTreeWidgetItem *item)
{
    if (!item)
        return;
    const int position = item->data(0, TREE_POSITION_ROLE).toInt();
    if (position < 0 || position >= int(std::size(TREE_NODES)))
        return;
    m_pages.PageControl1->setCurrentIndex(TREE_NODES[position].page);
}

void SettingsScreen::PanelClick(ColorSwatch *swatch)
{
    const int number = swatchNumberOf(swatch->objectName());
    if (number < 20)
        return;
    const int group = number / 20; // 1: background, 2: text, 3: comment
    const int index = number - group * 20;
    if (index < 0 || index >= SWATCH_COUNT)
        return;
    const ColorValue colour = swatchColors()[index];
    switch (group) {
    case 1:
        m_memo1Back = colour;
        m_memo2Back = colour;
        break;
    case 2:
        m_memo1Text = colour;
        break;
    case 3:
        m_memo2Text = colour;
        break;
    default:
        return;
    }
    showPreviews();
}

void SettingsScreen::SpinEdit1Change(int value)
{
    m_memo1Size = value;
    m_memo2Size = value;
    showPreviews();
}

void SettingsScreen::ListBox1Click(const QString &name)
{
    m_fontName = name;
    m_pages.Label9->setText(name);
    showPreviews();
}

SettingsValues SettingsScreen::valuesOnScreen() const
{
    SettingsValues values;
    values.comportName = selectedPortIndex(m_pages);
    values.fontColor = m_memo1Text;
    values.comentColor = m_memo2Text;
    values.backColor = m_memo1Back;
    values.fontSize = m_pages.SpinEdit1->value();
    values.fontName = m_fontName;
    values.smrSpeed = m_pages.LMDTrackBar1->value();
    values.playHow = m_pages.RadioButton1->isChecked();
    values.deleteShift = m_pages.CheckBox1->isChecked();
    return values;
}

// The controls and previews as values would have them (at start: the key table's defaults).
void SettingsScreen::showValues(const SettingsValues &values)
{
    m_memo1Back = m_memo2Back = values.backColor;
    m_memo1Text = values.fontColor;
    m_memo2Text = values.comentColor;
    m_memo1Size = m_memo2Size = values.fontSize;
    m_fontName = values.fontName;
    showPreviews();
    selectPortIndex(m_pages, values.comportName);
    {
        const QSignalBlocker block(m_pages.SpinEdit1);
        m_pages.SpinEdit1->setValue(values.fontSize);
    }
    m_pages.Label25->setText(QString::number(values.smrSpeed));
    {
        const QSignalBlocker block(m_pages.LMDTrackBar1);
        m_pages.LMDTrackBar1->setValue(values.smrSpeed);
    }
    m_pages.CheckBox1->setChecked(values.deleteShift);
    (values.playHow ? m_pages.RadioButton1 : m_pages.RadioButton2)->setChecked(true);
    m_pages.Label9->setText(m_fontName);
}

void SettingsScreen::okClick()
{
    if (m_busy)
        return;
    SettingsFile file;
    const SettingsValues values = valuesOnScreen();
    // Every value is checked before anything is written, so a value the file cannot hold
    // leaves the whole file as it was; the pupil is told which one to change.
    if (const SettingsResult result = writeAllSettings(file, values); !result) {
        if (result.refused) {
            ui::showMessage(this, ui::MessageKind::Warning, result.error);
            return;
        }
        throw ui::Failure(result.error);
    }

    EditorAppearance look;
    look.background = m_memo1Back;
    look.text = m_memo1Text;
    look.fontSize = values.fontSize;
    look.fontName = m_fontName;
    look.selection = InvertColor(m_memo1Back);
    look.comment = m_memo2Text;
    look.marks = m_memo1Text;
    emit editorAppearanceChanged(look);
    emit settingsAccepted();
    close();
}

void SettingsScreen::cancelClick()
{
    if (m_busy)
        return;
    close();
}

void SettingsScreen::setBusy(bool busy)
{
    m_busy = busy;
    ok->setEnabled(!busy);
    m_pages.dosatest->setEnabled(!busy);
    cancel->setEnabled(!busy);
    m_pages.comport->setEnabled(!busy);
}

void SettingsScreen::comportClick()
{
    if (m_busy)
        return;
    // A re-open is refused while a transfer owns the line; say so instead of dropping the change.
    if (m_port && m_port->lineClaimed()) {
        ui::showMessage(this, ui::MessageKind::Warning, Trs232c::lineBusyText());
        return;
    }
    SettingsFile file;
    throwIfFailed(file.setComportName(selectedPortIndex(m_pages)));
    setBusy(true);
    Panel1->show();
    Panel1->raise();
    const auto done = [this](bool) {
        Panel1->hide();
        setBusy(false);
        refreshPortDevices();
    };
    if (!m_port || !::ReopenPort(*m_port, this, done))
        done(false);
}

// A second test (or a port update) started inside the waits would mix its bytes into this
// one's, and the robot would read a speed as a command; so the test runs alone.
void SettingsScreen::dosatestClick()
{
    if (m_busy || !m_port)
        return;
    m_busy = true;
    ok->setEnabled(false);
    cancel->setEnabled(false);
    m_pages.comport->setEnabled(false);
    // The three bytes go out as one plan through the port's player, which holds the line for
    // them: a transfer cannot start between them, and the test does not start while one plays.
    const WirePlan test = operationTestPlan(m_pages.LMDTrackBar1->value());
    // A re-plugged robot is reached without the port button first.
    if (!m_port->lineClaimed())
        m_port->makeReady();
    playThen(m_port, test, this, [this](WirePlayer::Failure failure) {
        setBusy(false);
        if (failure == WirePlayer::Failure::LineBusy)
            ui::tell(this, ui::MessageKind::Warning, Trs232c::lineBusyText());
        // The pupil would otherwise wait for a robot that never got the test.
        else if (failure != WirePlayer::Failure::None)
            ui::tell(this, ui::MessageKind::Warning, unreachableText(m_port));
    });
}

void SettingsScreen::refreshPortDevices()
{
    for (int i = 0; i < m_pages.portDevices.size(); ++i) {
        const QString description = describeComPort(i);
        const PortStatus status = comPortStatus(i);
        const QString mark = QString::fromUtf16(portMessage(status.cause).mark);
        QLabel *label = m_pages.portDevices[i];
        // Two lines: what the COM reaches (cut only if it must be, the tooltip has it all) and
        // whether it can be used, so the teacher sees the cause before a pupil sends.
        const QString reach = label->fontMetrics().elidedText(description, Qt::ElideMiddle, label->width());
        const bool usable = status.cause == PortCause::Usable;
        label->setText(u"<span style=\"color:#3c3c3c\">%1</span><br><span style=\"color:%2\">%3</span>"_s
                           .arg(reach.toHtmlEscaped(), usable ? u"#00783c"_s : u"#c81e1e"_s, mark));
        QString tip = description + u"\n"_s + mark;
        if (!usable)
            tip += u"\n\n"_s + portBoxText(status);
        label->setToolTip(tip);
        m_pages.portChoices->button(i)->setToolTip(tip);
    }
}
