// SPDX-License-Identifier: GPL-3.0-or-later
// Draws every picture of the picture table into <program folder>/Photo and writes
// Photo/manifest.txt (one line per file: path, width, height); given an icon folder too, also
// the desktop icons into it.
#include "appicon.h"
#include "painting.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>

using pictures::Draw;
using pictures::Picture;

namespace {

QImage render(const Picture &picture, bool pressed)
{
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    switch (picture.draw) {
    case Draw::Backdrop: drawBackdrop(image, picture); break;
    case Draw::Picture: drawFixedPicture(image, picture); break;
    case Draw::Button: drawButton(image, picture, pressed); break;
    case Draw::MenuButton: drawMenuButton(image, picture, pressed); break;
    case Draw::Icon: drawIcon(image, picture); break;
    case Draw::Key: drawKey(image, picture, pressed); break;
    case Draw::Angle: drawAngle(image, picture, pressed); break;
    case Draw::Remote: drawRemote(image, picture, pressed); break;
    case Draw::Marker: if (!drawFloorMarker(image, picture)) drawMarker(image, picture); break;
    case Draw::HelpCard: drawHelpCard(image, picture); break;
    case Draw::HelpItem: drawHelpItem(image, picture); break;
    case Draw::HelpEntry: drawHelpEntry(image, picture); break;
    case Draw::HelpCardSketch: drawHelpCardWithSketch(image, picture); break;
    }
    return image;
}

bool save(const QImage &image, const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const bool jpeg = path.endsWith(u".jpg", Qt::CaseInsensitive);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!image.save(&file, jpeg ? "JPG" : "BMP", jpeg ? 92 : -1))
        return false;
    return file.commit();
}

}

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: rk25pictures <program folder> [<icon folder>]\n");
        return 2;
    }
    if (!QFontDatabase::families().contains(QStringLiteral("Noto Sans CJK JP"))) {
        std::fprintf(stderr, "rk25pictures: the Japanese font Noto Sans CJK JP is missing (fonts-noto-cjk)\n");
        return 1;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QString manifest;
    QTextStream out(&manifest);
    for (const Picture &picture : pictures::PICTURES) {
        const QStringList files = pictures::pictureFiles(picture);
        for (int i = 0; i < files.size(); ++i) {
            const QString path = folder + u'/' + files.at(i);
            if (!save(render(picture, i == 1), path)) {
                std::fprintf(stderr, "rk25pictures: cannot write %s\n", qPrintable(path));
                return 1;
            }
            out << files.at(i) << ' ' << picture.width << ' ' << picture.height << '\n';
        }
    }
    out.flush();
    QSaveFile file(folder + QStringLiteral("/Photo/manifest.txt"));
    if (!file.open(QIODevice::WriteOnly) || file.write(manifest.toUtf8()) < 0 || !file.commit()) {
        std::fprintf(stderr, "rk25pictures: cannot write the manifest\n");
        return 1;
    }
    if (argc == 3 && !writeAppIcons(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "rk25pictures: cannot write the desktop icons\n");
        return 1;
    }
    return 0;
}
