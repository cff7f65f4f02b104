// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon/programlistrows.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestProgramListRows : public QObject
{
    Q_OBJECT
private slots:
    void rows_data();
    void rows();
    void cells_data();
    void cells();
};

namespace {

// An instruction in a slot with the two texts its labels show.
struct Placed
{
    int slot;
    QString icon;
    QString name;
    QString value;
};

struct Listing
{
    IconProgram program;
    QList<IconSlotTexts> labels;
};

Listing listingOf(const QList<Placed> &placed)
{
    Listing listing;
    listing.labels.resize(SLOT_COUNT);
    for (const Placed &p : placed) {
        listing.program.setFromIcon(p.slot, p.icon);
        listing.labels[p.slot] = {p.name, p.value};
    }
    return listing;
}

}

Q_DECLARE_METATYPE(Listing)

void TestProgramListRows::rows_data()
{
    QTest::addColumn<Listing>("listing");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("pictures");

    QTest::newRow("empty program") << listingOf({}) << QStringList{} << QStringList{};
    QTest::newRow("numbered by position, not by slot")
        << listingOf({{0, u"Image2"_s, u"前進"_s, u"01.5秒"_s},
                      {3, u"Image5"_s, u"停止"_s, u"02.0秒"_s},
                      {6, u"Image6"_s, u"右回転"_s, u"90度"_s}})
        << QStringList{u"01　　前進　　01.5秒"_s, u"02　　停止　　02.0秒"_s, u"03　　右回転　　90度"_s}
        << QStringList{u"Photo\\Button\\FF.bmp"_s, u"Photo\\Button\\Stop.bmp"_s, u"Photo\\Button\\R_Turn.bmp"_s};
    QTest::newRow("repeat start has one space, its end only the name")
        << listingOf({{10, u"Image10"_s, u"繰返開始"_s, u"3回"_s},
                      {11, u"Image1"_s, u"前左折"_s, u"45度"_s},
                      {12, u"Image11"_s, u"繰返終了"_s, u"0"_s}})
        << QStringList{u"01　　繰返開始　3回"_s, u"02　　前左折　　45度"_s, u"03　　繰返終了"_s}
        << QStringList{u"Photo\\Button\\Repeat_Start.bmp"_s, u"Photo\\Button\\FL.bmp"_s,
                       u"Photo\\Button\\Repeat_End.bmp"_s};
    QTest::newRow("switch waits and their ends show the name only")
        << listingOf({{0, u"Image13"_s, u"前SW OFFの間"_s, u"0"_s},
                      {1, u"Image15"_s, u"前チェック終了"_s, u"0"_s},
                      {57, u"Image14"_s, u"後SW OFFの間"_s, u"0"_s},
                      {58, u"Image16"_s, u"後チェック終了"_s, u"0"_s}})
        << QStringList{u"01　　前SW OFFの間"_s, u"02　　前チェック終了"_s, u"03　　後SW OFFの間"_s,
                       u"04　　後チェック終了"_s}
        << QStringList{u"Photo\\Button\\F_Off_Start.bmp"_s, u"Photo\\Button\\F_Off_End.bmp"_s,
                       u"Photo\\Button\\B_Off_Start.bmp"_s, u"Photo\\Button\\B_Off_End.bmp"_s};
    QTest::newRow("a name no icon has gives no picture")
        << listingOf({{0, u"Image2"_s, u"まえ"_s, u"01.0秒"_s}}) << QStringList{u"01　　まえ　　01.0秒"_s}
        << QStringList{QString()};
}

void TestProgramListRows::rows()
{
    QFETCH(Listing, listing);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, pictures);

    const QList<ProgramListRow> rows = programListRows(listing.program, listing.labels);
    QStringList gotTexts, gotPictures;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        gotTexts << programListRowText(int(r), rows[r]);
        gotPictures << rows[r].picture;
    }
    QCOMPARE(gotTexts, texts);
    QCOMPARE(gotPictures, pictures);
}

void TestProgramListRows::cells_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QRect>("cell");
    QTest::addColumn<QRect>("picture");

    QTest::newRow("first") << 0 << QRect(0, 0, 187, 30) << QRect(20, -2, 21, 21);
    QTest::newRow("last of the first column") << 16 << QRect(0, 480, 187, 30) << QRect(20, 478, 21, 21);
    QTest::newRow("18th starts the second column") << 17 << QRect(187, 0, 188, 30) << QRect(207, -2, 21, 21);
    QTest::newRow("third column") << 34 << QRect(375, 0, 187, 30) << QRect(395, -2, 21, 21);
    QTest::newRow("59th") << 58 << QRect(562, 210, 188, 30) << QRect(582, 208, 21, 21);
}

void TestProgramListRows::cells()
{
    QFETCH(int, row);
    QFETCH(QRect, cell);
    QFETCH(QRect, picture);
    QCOMPARE(programListCell(row), cell);
    QCOMPARE(programListPictureRect(programListCell(row)), picture);
}

QTEST_GUILESS_MAIN(TestProgramListRows)
#include "tst_programlistrows.moc"
