// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/textscreen.h"

#include "app/settings/colorswatch.h"
#include "app/settings/delaywithevents.h"
#include "app/settings/settingsfile.h"
#include "common/workfolder.h"
#include "app/ui/backgroundpicture.h"
#include "app/ui/errorguard.h"
#include "app/ui/messagebox.h"
#include "app/ui/programfiledialog.h"
#include "common/cp932.h"
#include "common/errornumbers.h"
#include "common/programfilename.h"
#include "common/programfolder.h"
#include "editor/sonedit.h"
#include "robot/trs232c.h"
#include "robot/tsmr.h"
#include "text/helppanel.h"
#include "text/textfile.h"

#include <QtWidgets/QScrollBar>

#include <QKeySequence>
#include <QShortcut>
#include <QShowEvent>

using namespace Qt::StringLiterals;
using ui::MessageButton;
using ui::MessageKind;

namespace {

const QString SAVE_QUESTION = u"プログラムが更新されています。保存しますか？"_s;
const QString SAMPLE_FILE = u"Data\\文字入力サンプル.rk5"_s;
// After a refused send the box has gone; the pause lets a transfer window still on its way
// come up before it is closed.
constexpr int AFTER_FAULT_PAUSE_MS = 500;

}

TextScreen::TextScreen(const RobotLink &link)
    : WorkingScreen({u"TForm9"_s, u"text"_s, QSize(770, 578), u"back"_s,
                     {errors::TEXT_BUTTON_PRESS, errors::TEXT_BUTTON_RELEASE}},
                    {QRect(568, 93, 49, 30), QRect(619, 93, 61, 29), QRect(683, 93, 50, 29),
                     QRect(332, 549, 120, 29), QRect(125, 549, 116, 29), QRect(539, 549, 116, 29)},
                    9)
    , m_link(link)
{
    SonEdit1 = new TSonEdit(this);
    SonEdit1->setObjectName(u"SonEdit1"_s);
    SonEdit1->setGeometry(256, 31, 302, 500);
    applyLayoutLook();
    connect(SonEdit1, &TSonEdit::OnChange, this, &TextScreen::SonEdit1Change);
    connect(SonEdit1, &TSonEdit::OnPaint, this, &TextScreen::paintComments);
    connect(SonEdit1, &TSonEdit::textRefused, this, &TextScreen::refuseCharacters);

    m_help = new HelpPanel(this);
    createCommandButtons();

    // The keys every editor user knows do what the buttons do, questions included.
    auto *saveKey = new QShortcut(QKeySequence::Save, this);
    connect(saveKey, &QShortcut::activated, this, &TextScreen::SaveClick);
    auto *openKey = new QShortcut(QKeySequence::Open, this);
    connect(openKey, &QShortcut::activated, this, &TextScreen::ReadClick);
    enableRecovery(u"text.rk5"_s, [] { return WorkFolderPath(); });
}

void TextScreen::createCommandButtons()
{
    // Eight buttons share the panel that once held seven.
    const auto at = [](int row) { return QRect(595, 165 + 44 * row, 92, 35); };
    addCommandButtons<TextScreen>(this, {
        {send, u"send", at(0), u"転送", u"プログラムを転送します"_s, &TextScreen::sendClick},
        {play, u"play", at(1), u"実行", u"プログラムを実行します"_s, &TextScreen::playClick},
        {trial, u"trial", at(2), u"ためす", trialHint(), &TextScreen::trialClick},
        {Read, u"Read", at(3), u"読み込み", u"保存したプログラムを読み込みます"_s, &TextScreen::ReadClick},
        {Save, u"Save", at(4), u"保存", u"作成したプログラムを保存します"_s, &TextScreen::SaveClick},
        {Report, u"Report", at(5), u"印刷", u"作成したプログラムを印刷します"_s, &TextScreen::ReportClick},
        {readsample, u"readsample", at(6), u"サンプルの読み込み", u"サンプルのプログラムを読み込みます"_s,
         &TextScreen::readsampleClick},
    });
    Image1 = new HelpPicture(u"Image1"_s, at(7), u"機能拡張"_s, this);
    Image1->setToolTip(u"命令のせつめいを くわしく見ます"_s);
    Image1->setPictureFileQuietly(u"Photo\\Button\\kinou.jpg"_s);
    connect(Image1, &HelpPicture::pressed, this, &TextScreen::Image1MouseDown);
    if (setup)
        setup->setToolTip(u"プログラム入力画面、ポート及びモータ等の設定を行います"_s);
}

// The look the screen's layout gives the editor; the settings replace colours and font on show.
void TextScreen::applyLayoutLook()
{
    SonEdit1->setColor(Qt::black);
    SonEdit1->setEditorFontPixels(u"FixedSys"_s, 19);
    SonEdit1->setFontColor(Qt::white);
    SonEdit1->setSelColor(toQColor(0x00E2EFF1));
    SonEdit1->setCREOFcolor(Qt::white);
    SonEdit1->setShowCR(true);
    SonEdit1->setShowEOF(false);
    SonEdit1->setShowDblSpace(true);
    SonEdit1->setShowLineNumber(true);
    SonEdit1->setLineNoColumn(3);
    SonEdit1->setTopMargin(4);
    SonEdit1->setLeftMargin(0);
    SonEdit1->setLineSpace(0);
    SonEdit1->setTabCount(6);
    SonEdit1->setWantTabs(true);
    SonEdit1->setWordWrap(true);
    SonEdit1->setColumn(100);
    SonEdit1->setScrollStep(1);
    SonEdit1->setUndoBuf(1015808);
    SonEdit1->setReadOnly(false);
}

QString TextScreen::helpPage() const
{
    return helpPanelOpen() ? u"Navi\\navi\\index_s8.html"_s : u"Navi\\navi\\index_s4.html"_s;
}

bool TextScreen::helpPanelOpen() const
{
    return m_help->isOpen();
}

int TextScreen::reportTag() const
{
    return REPORT_TAG_TEXT;
}

void TextScreen::fillReportListing(ReportInput *input) const
{
    input->programLines = SonEdit1->lines().bodies();
}

void TextScreen::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    WorkingScreen::showEvent(event);
}

void TextScreen::FormShow()
{
    const SettingsFile settings;
    auto colour = [this](const ColorRead &read, ColorValue fallback) {
        if (read.ok)
            return toQColor(read.value);
        ui::showUnexpectedFailure(this, read.error);
        return toQColor(fallback);
    };
    m_back = colour(settings.backColor(), colors::clBlack);
    const QColor marks = colour(settings.fontColor(), colors::clWhite);
    const int size = settings.fontSize();
    const QString name = settings.fontName();
    const QColor selection = colour(settings.selColor(), 0x00E2EFF1);
    m_comment = colour(settings.comentColor(), colors::clLime);

    SonEdit1->setColor(m_back);
    SonEdit1->setCREOFcolor(marks);
    SonEdit1->setFontColor(marks);
    SonEdit1->setEditorFont(name, size);
    SonEdit1->setSelColor(selection);
    SonEdit1->recomputeLayout();
    paintComments();

    m_help->reset();
    ui::guarded(this, errors::TEXT_BUTTON_PRESS, [&] { Image1->setPictureFile(u"Photo\\Button\\kinou.jpg"_s); });
}

void TextScreen::applyEditorAppearance(const EditorAppearance &appearance)
{
    m_appearance = appearance;
    m_back = toQColor(appearance.background);
    m_comment = toQColor(appearance.comment);
    SonEdit1->setColor(m_back);
    SonEdit1->setFontColor(toQColor(appearance.text));
    SonEdit1->setEditorFont(appearance.fontName, appearance.fontSize);
    SonEdit1->setSelColor(toQColor(appearance.selection));
    SonEdit1->setCREOFcolor(toQColor(appearance.marks));
    SonEdit1->recomputeLayout();
    paintComments();
}

void TextScreen::SonEdit1Change()
{
    m_comments = commentRanges(SonEdit1->lines().bodies());
    paintComments();
    if (SonEdit1->modified())
        programChanged();
}

QStringList TextScreen::recoveryLines() const
{
    const QString text = SonEdit1->text();
    return text.isEmpty() ? QStringList() : textFileLines(text);
}

bool TextScreen::restoreRecovery(const QStringList &lines)
{
    const TextRead read = textFromFileLines(lines);
    if (read.status != TextReadStatus::Ok)
        return false;
    // The copy holds the editor's text as it was, without the line a file read adds.
    QString text = read.text;
    text.chop(2);
    SonEdit1->setText(text);
    SonEdit1->markModified();
    SonEdit1->refresh();
    return true;
}

// Every repaint paints the ranges again; they are found anew only when the text changes.
void TextScreen::paintComments()
{
    for (const CommentRange &r : std::as_const(m_comments))
        SonEdit1->paintRange(r.line, r.column, r.bytes, m_comment, m_back);
}

void TextScreen::refuseCharacters(const QString &characters)
{
    ui::showMessage(this, MessageKind::Information,
                    u"「%1」は つかえない 文字です。\r\nほかの 文字で 書いてね。"_s.arg(characters));
}

bool TextScreen::askBeforeLosing()
{
    if (!SonEdit1->modified())
        return true;
    const MessageButton answer = ui::showMessage(this, MessageKind::Information, SAVE_QUESTION,
                                                 {MessageButton::Yes, MessageButton::No, MessageButton::Cancel});
    if (answer == MessageButton::Yes) {
        // The pupil saves; the operation itself waits for the next click.
        saveProgram();
        return false;
    }
    return answer == MessageButton::No;
}

bool TextScreen::mayLeave()
{
    return askBeforeLosing();
}

void TextScreen::programLeft()
{
    SonEdit1->clear();
    dropRecovery();
}

bool TextScreen::compilesOrSaysWhy(const QString &program)
{
    TSmr compiler(program);
    if (!compiler.Compile()) {
        // The faulty lines stay marked behind the box and after it, until the next edit.
        SonEdit1->markLines(faultLinesOf(compiler.messages()));
        ui::showMessage(this, MessageKind::Warning, compiler.messages().join(u"\r\n"_s));
        DelayWithEvents(AFTER_FAULT_PAUSE_MS, this, [this] {
            // A transfer still playing owns that window: closing it would cut the program off.
            const bool transferPlaying = m_link.port && m_link.port->lineClaimed();
            if (m_link.display && !transferPlaying)
                m_link.display->transferWidget()->close();
        });
        return false;
    }
    return true;
}

void TextScreen::sendClick()
{
    const QString program = SonEdit1->text();
    // The text screen never sends the start header, whatever set.ini says.
    if (compilesOrSaysWhy(program))
        sendProgram(m_link, ScreenKind::Text, program, true, this);
}

void TextScreen::trialClick()
{
    const QString program = SonEdit1->text();
    if (compilesOrSaysWhy(program))
        tryProgram(m_link, ScreenKind::Text, program, true, this, [this](int line) { SonEdit1->setRunningLine(line - 1); });
}

void TextScreen::playClick()
{
    playProgram(m_link, ScreenKind::Text, this);
}

void TextScreen::ReadClick()
{
    if (!askBeforeLosing())
        return;
    ui::readProgramFile(
        this,
        [this](const ui::ProgramFileContents &file) {
            ui::guarded(this, errors::TEXT_READ, [&] {
                SonEdit1->clear();
                loadFileLines(file.lines, true);
            });
        },
        [this](const QString &reason) {
            ui::guarded(this, errors::TEXT_READ, [&] {
                SonEdit1->clear();
                throw ui::Failure(reason);
            });
        });
}

void TextScreen::readsampleClick()
{
    if (!askBeforeLosing())
        return;
    ui::guarded(this, errors::TEXT_READ, [&] {
        SonEdit1->clear();
        const cp932::ReadResult read = cp932::readLines(programFilePath(SAMPLE_FILE));
        if (!read.ok)
            throw ui::Failure(read.error);
        loadFileLines(read.lines, false);
    });
}

void TextScreen::loadFileLines(const QStringList &lines, bool checkMarker)
{
    QStringList marked = lines;
    // The sample's first line is not looked at.
    if (!checkMarker && !marked.isEmpty())
        marked.first() = QString::fromUtf16(TEXT_FILE_MARKER);
    const TextRead read = textFromFileLines(marked);
    if (read.status == TextReadStatus::Undecodable)
        throw ui::Failure(QString());
    if (read.status != TextReadStatus::Ok) {
        ui::showMessage(this, MessageKind::Information, QString::fromUtf16(OTHER_STEP_MESSAGE));
        return;
    }
    SonEdit1->setText(read.text);
    SonEdit1->refresh();
    // The text is the file's.
    dropRecovery();
}

void TextScreen::SaveClick()
{
    saveProgram();
}

void TextScreen::saveProgram()
{
    const QString text = SonEdit1->text();
    QString refused;
    holdable::filter(text, &refused);
    if (!refused.isEmpty()) {
        // Written to the file, these would turn into "?" without a word.
        ui::showMessage(this, MessageKind::Warning,
                        u"「%1」は ほぞんできない 文字です。\r\nけしてから もういちど ほぞんしてね。"_s.arg(refused));
        return;
    }
    // Saving leaves the modified mark set: leaving still asks.
    ui::saveProgramFile(this, textFileLines(text), [this] { dropRecovery(); });
}

void TextScreen::ReportClick()
{
    emit reportRequested();
}

void TextScreen::Image1MouseDown()
{
    ui::guarded(this, errors::TEXT_BUTTON_PRESS, [&] {
        m_help->toggle();
        Image1->setPictureFile(m_help->isOpen() ? u"Photo\\Button\\kinou_back.jpg"_s : u"Photo\\Button\\kinou.jpg"_s);
    });
}
