// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's guide in the program folder: its troubleshooting page holds every numbered
// error and every message the program shows (the compiler's messages about a pupil's program
// excepted), each row of its table still matches the program, and its pages load in the
// viewer with their links and pictures. The settings screen's button opens it.
#include "app/settings/settingsscreen.h"
#include "app/settings/teacherguide.h"
#include "app/ui/picturebutton.h"
#include "common/cp932.h"
#include "common/programfolder.h"
#include "robot/portmessages.h"
#include "robot/trs232c.h"
#include "support/testenv.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QTextBrowser>

#include <QDesktopServices>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString readUtf8(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString guideFolder()
{
    return QFileInfo(teacherGuidePath()).absolutePath();
}

QString unescaped(const QString &literal)
{
    QString out;
    for (qsizetype i = 0; i < literal.size(); ++i) {
        if (literal.at(i) == u'\\' && i + 1 < literal.size()) {
            const QChar c = literal.at(++i);
            out += c == u'n' || c == u'r' ? QChar(u'\n') : c;
        } else {
            out += literal.at(i);
        }
    }
    return out;
}

// The fixed parts of a message: what stays when the changing parts (%1) and the line breaks
// are taken out, without blanks (the page's layout folds them).
QStringList fixedParts(QString text)
{
    static const QRegularExpression cut(u"%\\d|\\\\n|\\n"_s);
    static const QRegularExpression blank(u"\\s+"_s);
    QStringList parts;
    for (QString part : text.split(cut)) {
        part.remove(blank);
        if (!part.isEmpty())
            parts << part;
    }
    return parts;
}

bool isJapanese(const QString &text)
{
    static const QRegularExpression japanese(u"[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}]"_s);
    return text.contains(japanese);
}

// From the bracket at `start` to its partner (strings skipped), or up to the end of the
// statement when `start` is no bracket.
QString spanFrom(const QString &t, qsizetype start)
{
    const bool bracketed = start < t.size() && (t.at(start) == u'(' || t.at(start) == u'{');
    int depth = 0;
    for (qsizetype j = start; j < t.size(); ++j) {
        const QChar c = t.at(j);
        if (c == u'"') {
            for (++j; j < t.size() && t.at(j) != u'"'; ++j) {
                if (t.at(j) == u'\\')
                    ++j;
            }
        } else if (c == u'(' || c == u'{') {
            ++depth;
        } else if (c == u')' || c == u'}') {
            --depth;
            if (bracketed && depth == 0)
                return t.mid(start, j - start + 1);
            if (depth < 0)
                return t.mid(start, j - start);
        } else if (c == u';' && !bracketed && depth == 0) {
            return t.mid(start, j - start);
        }
    }
    return t.mid(start);
}

struct Literal
{
    QString file;
    QString text;
};

QList<Literal> literalsIn(const QString &file, const QString &span)
{
    static const QRegularExpression literal(uR"re((?<![\w\x22])u\x22((?:[^\x22\\]|\\.)*)\x22)re"_s);
    QList<Literal> out;
    for (auto it = literal.globalMatch(span); it.hasNext();) {
        const QString text = unescaped(it.next().captured(1));
        if (isJapanese(text))
            out.append({file, text});
    }
    return out;
}

QList<QString> sourceFiles()
{
    QList<QString> files;
    QDirIterator it(testenv::sourceDir() + u"/src"_s, {u"*.cpp"_s, u"*.h"_s}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    std::sort(files.begin(), files.end());
    return files;
}

// Every text the program shows as a message: what it passes to a message box or hands back as
// a failure or a reason, the message constants and functions, and every text of a table file
// of messages (*messages.h, *messages.cpp) except the port table, whose rows the page takes from
// the table itself. The compiler's messages belong to the help pages.
QList<Literal> programMessages()
{
    static const QRegularExpression call(
        uR"re(\b(?:showMessage|showMessageCaptioned|showUnexpectedFailure|tell|fail|Failure|refuse|setError|messages\s*->\s*append)\s*(?=\())re"_s);
    static const QRegularExpression assignment(
        uR"re((?:\b(?:reason|error|refused)|\*error|\b[A-Z_]*_MESSAGE\s*(?:\[\])?)\s*=\s*(?=u\x22)|return\s*(?=\{\s*false\s*,))re"_s);
    static const QRegularExpression function(
        uR"re(\bQString\s+(?:\w+::)?(?:\w+(?:Text|Message)\s*\(\s*\)|reason\w*\s*\([^;{)]*\))\s*(?:const\s*)?(?=\{))re"_s);
    QList<Literal> out;
    for (const QString &path : sourceFiles()) {
        const QString name = QFileInfo(path).fileName();
        if (name.startsWith(u"tsmr."_s))
            continue;
        const QString file = QDir(testenv::sourceDir()).relativeFilePath(path);
        const QString text = readUtf8(path);
        if (name.startsWith(u"portmessages."_s))
            continue;
        if (name.contains(QRegularExpression(u"messages\\.(h|cpp)$"_s))) {
            out << literalsIn(file, text);
            continue;
        }
        for (const QRegularExpression *pattern : {&call, &assignment, &function}) {
            for (auto it = pattern->globalMatch(text); it.hasNext();) {
                const QRegularExpressionMatch m = it.next();
                out << literalsIn(file, spanFrom(text, m.capturedEnd()));
            }
        }
    }
    return out;
}

QString troublePage()
{
    return cp932::decode([] {
        QFile file(QDir(guideFolder()).filePath(u"trouble.html"_s));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }());
}

QString shownText(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText().remove(QRegularExpression(u"\\s+"_s));
}

}

class TestTeacherGuide : public QObject
{
    Q_OBJECT

private slots:
    void everyNumberedErrorHasItsRow();
    void everyMessageHasItsRow();
    void everyRowStillMatchesTheProgram();
    void pagesLoad_data();
    void pagesLoad();
    void settingsButtonOpensTheGuide();

public slots:
    void openUrl(const QUrl &url) { m_opened << url; }

private:
    QList<QUrl> m_opened;
};

void TestTeacherGuide::everyNumberedErrorHasItsRow()
{
    const QString header = readUtf8(testenv::sourceDir() + u"/src/common/errornumbers.h"_s);
    const QString page = troublePage();
    QVERIFY2(!page.isEmpty(), "no trouble.html in the program folder");
    static const QRegularExpression constant(uR"re(inline\s+constexpr\s+int\s+(\w+)\s*=\s*(\d+)\s*;)re"_s);
    const QString table = readUtf8(testenv::sourceDir() + u"/data/guide/troubles.tsv"_s);
    QStringList missing;
    int constants = 0;
    for (auto it = constant.globalMatch(header); it.hasNext(); ++constants) {
        const QRegularExpressionMatch m = it.next();
        const QString anchor = u"name=\"e%1\""_s.arg(m.captured(2));
        const bool described = table.contains(QRegularExpression(u"^error\\t"_s + m.captured(1) + u"\\t"_s,
                                                                 QRegularExpression::MultilineOption));
        if (!page.contains(anchor) || !described)
            missing << u"%1 (%2)"_s.arg(m.captured(1), m.captured(2));
    }
    QVERIFY(constants > 30);
    QVERIFY2(missing.isEmpty(),
             qPrintable(u"numbered errors without their row in data/guide/troubles.tsv: "_s + missing.join(u", "_s)));
}

void TestTeacherGuide::everyMessageHasItsRow()
{
    const QString shown = shownText(troublePage());
    const QList<Literal> messages = programMessages();
    // The scan has to find the messages of each kind, or it has stopped seeing them.
    for (const char16_t *known : {u"フォルダが 見つかりません。", u"ファイル形式が違います", u"%1 に書き込めません",
                                  u"つかえる プリンターが ありません。", u"思いがけないエラーが起きました"}) {
        const QString k = QString::fromUtf16(known);
        QVERIFY2(std::any_of(messages.cbegin(), messages.cend(), [&](const Literal &l) { return l.text.startsWith(k); }),
                 qPrintable(k));
    }
    QStringList missing;
    for (const Literal &message : messages) {
        for (const QString &part : fixedParts(message.text)) {
            if (!shown.contains(part)) {
                missing << u"%1: %2"_s.arg(message.file, message.text);
                break;
            }
        }
    }
    for (const PortMessage &m : portMessageTable()) {
        for (const char16_t *text : {m.box, m.mark, m.stateLine}) {
            QString fixed = QString::fromUtf16(text);
            fixed.replace(QRegularExpression(u"\\{\\w+\\}"_s), u"%1"_s);
            for (const QString &part : fixedParts(fixed)) {
                if (!shown.contains(part)) {
                    missing << u"port table %1: %2"_s.arg(QString::fromUtf16(m.key), QString::fromUtf16(text));
                    break;
                }
            }
        }
    }
    missing.removeDuplicates();
    QVERIFY2(missing.isEmpty(),
             qPrintable(u"messages without their row in data/guide/troubles.tsv:\n"_s + missing.join(u'\n')));
}

void TestTeacherGuide::everyRowStillMatchesTheProgram()
{
    QStringList texts;
    for (const QString &path : sourceFiles()) {
        for (const Literal &l : literalsIn(path, readUtf8(path)))
            texts << QString(l.text).remove(QRegularExpression(u"\\s+"_s));
    }
    const QString tablePath = testenv::sourceDir() + u"/data/guide/troubles.tsv"_s;
    const QStringList lines = readUtf8(tablePath).split(u'\n');
    QStringList stale;
    int rows = 0;
    for (const QString &line : lines) {
        const QStringList f = line.split(u'\t');
        if (f.size() < 3 || f.at(0) != u"message")
            continue;
        ++rows;
        for (const QString &part : fixedParts(f.at(2))) {
            if (std::none_of(texts.cbegin(), texts.cend(), [&](const QString &t) { return t.contains(part); })) {
                stale << f.at(2);
                break;
            }
        }
    }
    QVERIFY(rows > 40);
    QVERIFY2(stale.isEmpty(), qPrintable(u"rows whose message the program no longer has:\n"_s + stale.join(u'\n')));
}

void TestTeacherGuide::pagesLoad_data()
{
    QTest::addColumn<QString>("page");
    const QDir folder(guideFolder());
    const QStringList pages = folder.entryList({u"*.html"_s}, QDir::Files, QDir::Name);
    QVERIFY(pages.size() >= 12);
    for (const QString &page : pages)
        QTest::newRow(qPrintable(page)) << folder.filePath(page);
}

void TestTeacherGuide::pagesLoad()
{
    QFETCH(QString, page);
    QFile file(page);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.contains("charset=windows-31j"));
    const QString html = cp932::decode(bytes);
    QVERIFY(!html.contains(QChar::ReplacementCharacter));

    QTextBrowser browser;
    browser.setSource(QUrl::fromLocalFile(page));
    QVERIFY2(browser.documentTitle().startsWith(u"先生むけ せつめい"_s), qPrintable(browser.documentTitle()));
    QVERIFY(browser.toPlainText().size() > 200);

    const QDir here = QFileInfo(page).dir();
    static const QRegularExpression link(uR"re(<a href=\x22([^\x22#]+)\x22)re"_s);
    for (auto it = link.globalMatch(html); it.hasNext();) {
        const QString target = it.next().captured(1);
        QVERIFY2(QFileInfo::exists(here.filePath(target)), qPrintable(target));
    }
    // The pictures come from the build's virtual display; without one the pages go without.
    static const QRegularExpression image(uR"re(<img src=\x22([^\x22]+)\x22)re"_s);
    static const QRegularExpression pictureName(u"^pictures/[a-z0-9]+\\.png$"_s);
    for (auto it = image.globalMatch(html); it.hasNext();) {
        const QString source = it.next().captured(1);
        QVERIFY2(pictureName.match(source).hasMatch(), qPrintable(source));
        if (!QFileInfo::exists(here.filePath(source))) {
            qWarning("%s was not taken by the build (no virtual display?)", qPrintable(source));
            continue;
        }
        const QVariant loaded = browser.document()->resource(QTextDocument::ImageResource, QUrl(source));
        QVERIFY2(loaded.isValid(), qPrintable(source));
    }
}

void TestTeacherGuide::settingsButtonOpensTheGuide()
{
    QDesktopServices::setUrlHandler(u"file"_s, this, "openUrl");
    Trs232c port;
    SettingsScreen settings(&port);
    settings.show();
    QVERIFY(QTest::qWaitForWindowExposed(&settings));
    auto *button = settings.findChild<PictureButton *>(u"teacherguide"_s);
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    QDesktopServices::unsetUrlHandler(u"file"_s);
    QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(programFilePath(u"Navi\\teacher\\index.html"_s))});
}

QTEST_MAIN(TestTeacherGuide)
#include "tst_teacherguide.moc"
