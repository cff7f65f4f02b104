// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/sonstrings.h"

#include <QtTest>

using namespace Qt::StringLiterals;

// The editor's line store, its code page 932 byte columns, comment ranges and the characters
// the code page cannot hold: all without a window.
class TestSonStrings : public QObject
{
    Q_OBJECT
private slots:
    void lines_data();
    void lines();
    void byteRanges_data();
    void byteRanges();
    void comments_data();
    void comments();
    void holdable_data();
    void holdable();
    void faultMarkReadable();
};

void TestSonStrings::lines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("withTerminators");
    QTest::addColumn<QString>("back");

    QTest::newRow("empty text is one empty line") << QString() << QStringList{QString()} << QString();
    QTest::newRow("one line") << u"wait(10)"_s << QStringList{u"wait(10)"_s} << u"wait(10)"_s;
    QTest::newRow("final CR LF gives an empty last line")
        << u"a\r\nb\r\n"_s << QStringList{u"a\r\n"_s, u"b\r\n"_s, QString()} << u"a\r\nb\r\n"_s;
    QTest::newRow("lone LF and CR become CR LF")
        << u"a\nb\rc"_s << QStringList{u"a\r\n"_s, u"b\r\n"_s, u"c"_s} << u"a\r\nb\r\nc"_s;
    QTest::newRow("Unicode breaks become CR LF")
        << u"a\u2028b\u2029c\u0085d"_s << QStringList{u"a\r\n"_s, u"b\r\n"_s, u"c\r\n"_s, u"d"_s}
        << u"a\r\nb\r\nc\r\nd"_s;
    QTest::newRow("only a break") << u"\r\n"_s << QStringList{u"\r\n"_s, QString()} << u"\r\n"_s;
    QTest::newRow("blank lines kept") << u"\r\n\r\nx"_s << QStringList{u"\r\n"_s, u"\r\n"_s, u"x"_s}
                                      << u"\r\n\r\nx"_s;
}

void TestSonStrings::lines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, withTerminators);
    QFETCH(QString, back);
    const TSonStrings strings(text);
    QCOMPARE(strings.count(), withTerminators.size());
    for (int i = 0; i < strings.count(); ++i)
        QCOMPARE(strings.line(i), withTerminators.at(i));
    QCOMPARE(strings.text(), back);
    QCOMPARE(strings.line(strings.count()), QString());
    QCOMPARE(strings.line(-1), QString());
}

void TestSonStrings::byteRanges_data()
{
    QTest::addColumn<QStringList>("bodies");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("bytes");
    // line:first:count per span
    QTest::addColumn<QStringList>("spans");

    const QStringList ascii{u"abcdef"_s, u"ghij"_s, u"kl"_s};
    QTest::newRow("inside one line") << ascii << 0 << 2 << 3 << QStringList{u"0:2:3"_s};
    QTest::newRow("up to the end") << ascii << 0 << 4 << 2 << QStringList{u"0:4:2"_s};
    QTest::newRow("across a line end, CR LF counts two")
        << ascii << 0 << 4 << 6 << QStringList{u"0:4:2"_s, u"1:0:2"_s};
    QTest::newRow("over a whole line") << ascii << 0 << 0 << 20
                                       << QStringList{u"0:0:6"_s, u"1:0:4"_s, u"2:0:2"_s};
    QTest::newRow("last line has no terminator") << ascii << 2 << 1 << 50 << QStringList{u"2:1:1"_s};
    QTest::newRow("from the terminator on") << ascii << 0 << 7 << 3 << QStringList{u"1:0:2"_s};
    QTest::newRow("beyond the text") << ascii << 3 << 0 << 5 << QStringList{};
    QTest::newRow("nothing to paint") << ascii << 0 << 0 << 0 << QStringList{};

    // あ and い take two columns each; ｱ (half-width) one.
    const QStringList kana{u"aあいｱb"_s, u"う"_s};
    QTest::newRow("double-byte from its lead byte") << kana << 0 << 1 << 2 << QStringList{u"0:1:1"_s};
    QTest::newRow("start on a trail byte takes the whole character") << kana << 0 << 2 << 1 << QStringList{u"0:1:1"_s};
    QTest::newRow("end on a lead byte takes the whole character") << kana << 0 << 0 << 4 << QStringList{u"0:0:3"_s};
    QTest::newRow("half-width katakana is one column") << kana << 0 << 5 << 1 << QStringList{u"0:3:1"_s};
    QTest::newRow("double-byte across the line end")
        << kana << 0 << 5 << 5 << QStringList{u"0:3:2"_s, u"1:0:1"_s};
    QTest::newRow("full-width space is two columns") << QStringList{u"　x"_s} << 0 << 2 << 1 << QStringList{u"0:1:1"_s};
}

void TestSonStrings::byteRanges()
{
    QFETCH(QStringList, bodies);
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(int, bytes);
    QFETCH(QStringList, spans);
    QStringList got;
    for (const bytecolumns::Span &s : bytecolumns::resolve(bodies, line, column, bytes))
        got << u"%1:%2:%3"_s.arg(s.line).arg(s.first).arg(s.count);
    QCOMPARE(got, spans);
}

void TestSonStrings::comments_data()
{
    QTest::addColumn<QStringList>("bodies");
    QTest::addColumn<QStringList>("ranges"); // line:column:bytes

    QTest::newRow("none") << QStringList{u"motor(fwd,fwd)"_s, u"wait(10)"_s} << QStringList{};
    QTest::newRow("after an instruction")
        << QStringList{u"wait(10) //まつ"_s} << QStringList{u"0:9:6"_s};
    QTest::newRow("two // on a line: from the first")
        << QStringList{u"a//b//c"_s} << QStringList{u"0:1:6"_s};
    QTest::newRow("comment-only line") << QStringList{u"//すすむ"_s} << QStringList{u"0:0:8"_s};
    QTest::newRow("double-byte before the comment counts two")
        << QStringList{u"　wait(1)//x"_s} << QStringList{u"0:9:3"_s};
    QTest::newRow("single slash is no comment") << QStringList{u"a/b"_s} << QStringList{};
    QTest::newRow("every line its own")
        << QStringList{u"//a"_s, u"b"_s, u"c //d"_s} << QStringList{u"0:0:3"_s, u"2:2:3"_s};
}

void TestSonStrings::comments()
{
    QFETCH(QStringList, bodies);
    QFETCH(QStringList, ranges);
    QStringList got;
    for (const CommentRange &r : commentRanges(bodies))
        got << u"%1:%2:%3"_s.arg(r.line).arg(r.column).arg(r.bytes);
    QCOMPARE(got, ranges);
}

void TestSonStrings::holdable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("refused");

    QTest::newRow("program text") << u"motor(fwd,fwd) //まえへ　すすむ"_s << u"motor(fwd,fwd) //まえへ　すすむ"_s << QString();
    QTest::newRow("half-width katakana") << u"ｽｽﾑ"_s << u"ｽｽﾑ"_s << QString();
    QTest::newRow("emoji") << u"wait(1)😀"_s << u"wait(1)"_s << u"😀"_s;
    QTest::newRow("rare kanji") << u"𠮟る"_s << u"る"_s << u"𠮟"_s;
    QTest::newRow("each refused once") << u"a😀b😀c🚗"_s << u"abc"_s << u"😀🚗"_s;
    QTest::newRow("hangul") << u"x한y"_s << u"xy"_s << u"한"_s;
}

void TestSonStrings::holdable()
{
    QFETCH(QString, text);
    QFETCH(QString, kept);
    QFETCH(QString, refused);
    QString out = u"stale"_s;
    QCOMPARE(holdable::filter(text, &out), kept);
    QCOMPARE(out, refused);
    QCOMPARE(holdable::all(text), refused.isEmpty());
}

// Whatever colours the pupil picks from the settings' swatches, a marked line stands apart
// from the others and its text stays readable where the plain text is.
void TestSonStrings::faultMarkReadable()
{
    const quint32 swatches[] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
                                0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0xFFFFFF};
    for (const quint32 back : swatches) {
        for (const quint32 text : swatches) {
            if (faultmark::contrast(back, text) < 3)
                continue;
            for (const quint32 comment : {text, 0x00FF00u}) {
                const quint32 mark = faultmark::background(back, text, comment);
                const QString where = u"back %1 text %2"_s.arg(QString::number(back, 16), QString::number(text, 16));
                QVERIFY2(faultmark::contrast(mark, back) >= 1.25, qPrintable(where));
                QVERIFY2(faultmark::contrast(mark, text) >= 2.0, qPrintable(where));
            }
        }
    }
}

QTEST_APPLESS_MAIN(TestSonStrings)
#include "tst_sonstrings.moc"
