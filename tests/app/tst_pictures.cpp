// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures drawn at build time: every file of the picture table is in the program folder
// with the size the windows show it at, and the pictures the windows rely on in a particular
// way (pressed faces, white drag transparency) are drawn that way.
#include "../../assets/generator/picturetable.h"
#include "common/programfolder.h"
#include "icon/icontable.h"

#include <QtWidgets/QApplication>

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

using pictures::Draw;
using pictures::PICTURES;
using pictures::Picture;

namespace {

const Picture *rowOf(const QString &file)
{
    for (const Picture &picture : PICTURES)
        if (pictures::pictureFiles(picture).contains(file))
            return &picture;
    return nullptr;
}

qreal meanLightness(const QImage &image)
{
    qint64 sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sum += qGray(image.pixel(x, y));
    return qreal(sum) / (image.width() * image.height());
}

}

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void everyFileLoadsWithItsSize_data();
    void everyFileLoadsWithItsSize();
    void namesAreUnique();
    void pressedFacesAreDarker_data();
    void pressedFacesAreDarker();
    void dragAndFloorPicturesHaveWhiteCorners_data();
    void dragAndFloorPicturesHaveWhiteCorners();
    void iconTablePicturesExist();
    void manifestListsEveryFile();
};

void TestPictures::everyFileLoadsWithItsSize_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    for (const Picture &picture : PICTURES)
        for (const QString &file : pictures::pictureFiles(picture))
            QTest::newRow(qPrintable(file)) << file << QSize(picture.width, picture.height);
}

void TestPictures::everyFileLoadsWithItsSize()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);
    QImageReader reader(programFilePath(file));
    // The extension tells the application's loader what to expect.
    QCOMPARE(QString::fromLatin1(reader.format()), file.endsWith(u".jpg") ? u"jpeg"_s : u"bmp"_s);
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(file + u": "_s + reader.errorString()));
    QCOMPARE(image.size(), size);
}

void TestPictures::namesAreUnique()
{
    QSet<QString> seen;
    for (const Picture &picture : PICTURES) {
        for (const QString &file : pictures::pictureFiles(picture)) {
            // Case matters too: two names differing only in case would clash on some disks.
            QVERIFY2(!seen.contains(file.toLower()), qPrintable(file));
            seen.insert(file.toLower());
        }
    }
}

void TestPictures::pressedFacesAreDarker_data()
{
    QTest::addColumn<QString>("file");
    for (const Picture &picture : PICTURES)
        if (picture.pressed)
            QTest::newRow(picture.name) << pictures::picturePath(picture.name);
}

void TestPictures::pressedFacesAreDarker()
{
    QFETCH(QString, file);
    const Picture *row = rowOf(file);
    QVERIFY(row);
    const QImage normal(programFilePath(file));
    const QImage pressed(programFilePath(pictures::pressedPath(row->name)));
    QVERIFY(!normal.isNull() && !pressed.isNull());
    // The pupil has to see the press: clearly darker, not a copy with JPEG noise.
    QVERIFY2(meanLightness(pressed) < meanLightness(normal) - 4,
             qPrintable(u"%1 vs %2"_s.arg(meanLightness(pressed)).arg(meanLightness(normal))));
}

void TestPictures::dragAndFloorPicturesHaveWhiteCorners_data()
{
    QTest::addColumn<QString>("file");
    for (const Picture &picture : PICTURES)
        if (picture.draw == Draw::Icon || picture.draw == Draw::Marker)
            QTest::newRow(picture.name) << pictures::picturePath(picture.name);
}

void TestPictures::dragAndFloorPicturesHaveWhiteCorners()
{
    QFETCH(QString, file);
    // White is the transparent colour of the drag image and of the floor and preview marks;
    // a corner of any other colour would show as a box around the picture.
    const QImage image(programFilePath(file));
    QVERIFY(!image.isNull());
    const int r = image.width() - 1, b = image.height() - 1;
    for (const QPoint corner : {QPoint(0, 0), QPoint(r, 0), QPoint(0, b), QPoint(r, b)})
        QCOMPARE(image.pixel(corner) & 0xffffff, 0xffffffu);
}

void TestPictures::iconTablePicturesExist()
{
    // The icon screen, the list and the preview load these names; the generator must draw
    // every one of them.
    QStringList names{EMPTY_SLOT_PICTURE.toString()};
    for (const IconInfo &icon : iconTable())
        names << icon.picture << icon.dragPicture;
    for (const QString &name : std::as_const(names)) {
        if (name.isEmpty())
            continue;
        QVERIFY2(rowOf(QString(name).replace(u'\\', u'/')), qPrintable(name));
        QVERIFY2(QFile::exists(programFilePath(name)), qPrintable(name));
    }
}

void TestPictures::manifestListsEveryFile()
{
    QFile manifest(programFilePath(u"Photo\\manifest.txt"_s));
    QVERIFY(manifest.open(QIODevice::ReadOnly));
    QStringList listed;
    for (const QByteArray &line : manifest.readAll().split('\n'))
        if (!line.isEmpty())
            listed << QString::fromUtf8(line.left(line.indexOf(' ')));
    QStringList expected;
    for (const Picture &picture : PICTURES)
        expected << pictures::pictureFiles(picture);
    // A stale Photo folder (the generator not rerun after the table changed) shows up here.
    QCOMPARE(listed, expected);
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
