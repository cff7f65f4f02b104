// Writes the troubleshooting page of the teacher's guide (CP932, like every page beside the
// program) from the table troubles.tsv and the error numbers of the program:
//   rk25guidetable troubles.tsv errornumbers.h trouble.html
// Every error number gets its row even before the table describes it, so the page never
// misses one; the guide's test names every number the table has not described yet.
#include "common/cp932.h"
#include "robot/portmessages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>

#include <algorithm>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

struct Area
{
    QString id;
    QString heading;
};

struct TroubleRow
{
    QString area;
    bool isMessage = false; // a text the program shows, or only what the teacher sees
    QString text;
    QString cause;
    QString advice;
};

struct ErrorRow
{
    QString name;
    QString when;
    QString advice;
};

struct TroubleTable
{
    QList<Area> areas;
    QList<TroubleRow> rows;
    QList<ErrorRow> errors;
    QMap<QString, std::pair<QString, QString>> ports; // port cause key -> cause, what to do

    const ErrorRow *errorRow(const QString &name) const
    {
        for (const ErrorRow &row : errors) {
            if (row.name == name)
                return &row;
        }
        return nullptr;
    }
};

struct ErrorConstant
{
    QString name;
    int number = 0;
};

TroubleTable parseTroubleTable(const QString &text, QString *error)
{
    TroubleTable table;
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList f = line.split(u'\t');
        const QString where = u"line %1: "_s.arg(i + 1);
        const QString kind = f.at(0);
        if (kind == u"area" && f.size() == 3) {
            table.areas.append({f.at(1), f.at(2)});
        } else if ((kind == u"message" || kind == u"sign") && f.size() == 5) {
            const bool known = std::any_of(table.areas.cbegin(), table.areas.cend(),
                                           [&](const Area &a) { return a.id == f.at(1); });
            if (!known) {
                *error = where + u"unknown area "_s + f.at(1);
                return {};
            }
            table.rows.append({f.at(1), kind == u"message", f.at(2), f.at(3), f.at(4)});
        } else if (kind == u"port" && f.size() == 4) {
            table.ports.insert(f.at(1), {f.at(2), f.at(3)});
        } else if (kind == u"error" && (f.size() == 3 || f.size() == 4)) {
            table.errors.append({f.at(1), f.at(2), f.value(3)});
        } else {
            *error = where + u"expected area/message/sign/port/error with its fields split by tabs"_s;
            return {};
        }
    }
    // Every text of the port table gets its row from the table itself: the box, the settings
    // screen's mark and the remote screen's state line, with the cause's own explanation.
    for (const PortMessage &m : portMessageTable()) {
        const QString key = QString::fromUtf16(m.key);
        const auto words = table.ports.constFind(key);
        if (words == table.ports.cend()) {
            *error = u"no port row for the cause "_s + key;
            return {};
        }
        for (const char16_t *text : {m.box, m.mark, m.stateLine}) {
            QString shown = QString::fromUtf16(text);
            if (shown.isEmpty())
                continue;
            shown.replace(u"\r\n"_s, u"\\n"_s);
            shown.replace(QRegularExpression(u"\\{(port|user|lock)\\}"_s), u"○○"_s);
            shown.replace(u"{holder}"_s, QString());
            table.rows.append({u"port"_s, true, shown, words->first, words->second});
        }
    }
    return table;
}

// The constants as the header defines them: "inline constexpr int NAME = 123;".
QList<ErrorConstant> parseErrorNumbers(const QString &header)
{
    static const QRegularExpression constant(uR"(inline\s+constexpr\s+int\s+(\w+)\s*=\s*(\d+)\s*;)"_s);
    QList<ErrorConstant> result;
    for (auto it = constant.globalMatch(header); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        result.append({m.captured(1), m.captured(2).toInt()});
    }
    return result;
}

// A changing part ("%1") is shown as "○○", "\n" of the table as a line break.
QString toHtml(const QString &text)
{
    QString html = text.toHtmlEscaped();
    static const QRegularExpression placeholder(u"%\\d"_s);
    html.replace(placeholder, u"○○"_s);
    html.replace(u"\\n"_s, u"<br>"_s);
    return html;
}

QString readUtf8(const QString &path, bool *ok)
{
    QFile file(path);
    *ok = file.open(QIODevice::ReadOnly);
    return *ok ? QString::fromUtf8(file.readAll()) : QString();
}

const QString DEFAULT_ADVICE = u"上の「いつもの手順」で続けてください。"_s;

QStringList page(const TroubleTable &table, const QList<ErrorConstant> &constants)
{
    QStringList out;
    out << u"<html>"_s << u"<head>"_s
        << u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-31j\">"_s
        << u"<title>先生むけ せつめい こまったときは</title>"_s << u"</head>"_s
        << u"<body bgcolor=\"#FFFFFF\">"_s
        << u"<table width=\"100%\" cellpadding=\"8\" cellspacing=\"0\"><tr><td bgcolor=\"#5B6F8F\">"_s
        << u"<font size=\"5\" color=\"#FFFFFF\"><b>こまったときは（メッセージの一覧）</b></font><br>"_s
        << u"<font color=\"#FFFFFF\">RK-25 ステッピングモータロボット制御ソフト　先生むけ せつめい</font>"_s
        << u"</td></tr></table>"_s
        << u"<p><a href=\"index.html\">もくじへ もどる</a></p>"_s
        << u"<p>ソフトが出すメッセージと、その原因、どうするかの一覧です。「○○」のところには、そのときどきの名前や数が入ります。"
           u"STEP4 で書いたプログラムのまちがい（「○○行目が違います」など）は、子ども向けの学習ナビで説明しています。</p>"_s;
    out << u"<ul>"_s;
    for (const Area &area : table.areas)
        out << u"<li><a href=\"#%1\">%2</a></li>"_s.arg(area.id, toHtml(area.heading));
    out << u"<li><a href=\"#numbers\">番号つきのエラー</a></li>"_s << u"</ul>"_s;

    for (const Area &area : table.areas) {
        out << u"<h2><a name=\"%1\"></a>%2</h2>"_s.arg(area.id, toHtml(area.heading));
        out << u"<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"4\">"_s
            << u"<tr bgcolor=\"#E1E8F5\"><th width=\"34%\">メッセージ・ようす</th><th width=\"33%\">原因</th><th width=\"33%\">どうするか</th></tr>"_s;
        for (const TroubleRow &row : table.rows) {
            if (row.area != area.id)
                continue;
            const QString shown = row.isMessage ? u"<b>%1</b>"_s.arg(toHtml(row.text))
                                                : u"（%1）"_s.arg(toHtml(row.text));
            out << u"<tr valign=\"top\"><td>%1</td><td>%2</td><td>%3</td></tr>"_s.arg(
                shown, toHtml(row.cause), toHtml(row.advice));
        }
        out << u"</table>"_s;
    }

    out << u"<h2><a name=\"numbers\"></a>番号つきのエラー</h2>"_s
        << u"<p>「(番号)エラーが発生しました」と出たときは、番号で、どの画面のどの操作だったかがわかります。"
           u"ほとんどは、その操作をもう一度すれば続けられます。</p>"_s
        << u"<p><b>いつもの手順</b></p>"_s << u"<ol>"_s
        << u"<li>「OK」を押して、同じ操作をもう一度します。</li>"_s
        << u"<li>同じ操作でくりかえし出るときは、ソフトを終了して起動しなおします。</li>"_s
        << u"<li>それでも出るときは、パッケージを入れなおします（<a href=\"install.html\">インストール</a>）。</li>"_s
        << u"</ol>"_s
        << u"<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"4\">"_s
        << u"<tr bgcolor=\"#E1E8F5\"><th width=\"12%\">番号</th><th width=\"40%\">起きたとき</th><th width=\"48%\">どうするか</th></tr>"_s;
    // Two guarded places may share a number: one row, both places.
    QMap<int, QList<const ErrorConstant *>> byNumber;
    for (const ErrorConstant &c : constants)
        byNumber[c.number].append(&c);
    for (auto it = byNumber.cbegin(); it != byNumber.cend(); ++it) {
        QStringList when;
        QStringList advice;
        for (const ErrorConstant *c : it.value()) {
            const ErrorRow *row = table.errorRow(c->name);
            when << (row ? toHtml(row->when) : u"（説明はまだありません）"_s);
            const QString own = row ? row->advice : QString();
            const QString text = toHtml(own.isEmpty() ? DEFAULT_ADVICE : own);
            if (!advice.contains(text))
                advice << text;
        }
        out << u"<tr valign=\"top\"><td><a name=\"e%1\"></a><b>(%1)</b></td><td>%2</td><td>%3</td></tr>"_s.arg(
            QString::number(it.key()), when.join(u"<br>"_s), advice.join(u"<br>"_s));
    }
    out << u"</table>"_s << u"<p><a href=\"index.html\">もくじへ もどる</a></p>"_s << u"</body>"_s
        << u"</html>"_s;
    return out;
}

}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: rk25guidetable <troubles.tsv> <errornumbers.h> <trouble.html>\n");
        return 2;
    }
    bool ok = false;
    const QString tableText = readUtf8(args.at(1), &ok);
    if (!ok) {
        std::fprintf(stderr, "rk25guidetable: cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    const QString header = readUtf8(args.at(2), &ok);
    if (!ok) {
        std::fprintf(stderr, "rk25guidetable: cannot read %s\n", qPrintable(args.at(2)));
        return 1;
    }
    QString error;
    const TroubleTable table = parseTroubleTable(tableText, &error);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(args.at(1)), qPrintable(error));
        return 1;
    }
    const QList<ErrorConstant> constants = parseErrorNumbers(header);
    if (constants.isEmpty()) {
        std::fprintf(stderr, "rk25guidetable: no error numbers in %s\n", qPrintable(args.at(2)));
        return 1;
    }
    QDir().mkpath(QFileInfo(args.at(3)).absolutePath());
    if (!cp932::writeLines(args.at(3), page(table, constants), &error)) {
        std::fprintf(stderr, "rk25guidetable: %s: %s\n", qPrintable(args.at(3)), qPrintable(error));
        return 1;
    }
    return 0;
}
