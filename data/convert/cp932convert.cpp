// Turns a UTF-8 text file of the repository into the CP932 file the application reads
// (help pages, report template, sample program): every line ended by CR LF.
// The sources stay UTF-8 so that they can be read and reviewed like every other source.
#include "common/cp932.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: rk25cp932 <UTF-8 source> <CP932 target>\n");
        return 2;
    }
    QFile source(args.at(1));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "rk25cp932: cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(source.readAll());
    if (utf8.hasError()) {
        std::fprintf(stderr, "rk25cp932: %s is not UTF-8\n", qPrintable(args.at(1)));
        return 1;
    }
    if (text.startsWith(QChar(0xfeff)))
        text.remove(0, 1);
    const QStringList lines = cp932::splitLines(text);
    // A character CP932 cannot hold would reach the pupil as a "?": refuse it here, by line.
    for (int i = 0; i < lines.size(); ++i) {
        bool ok = false;
        cp932::encode(lines.at(i), &ok);
        if (!ok) {
            std::fprintf(stderr, "%s:%d: a character cannot be written in CP932\n",
                         qPrintable(args.at(1)), i + 1);
            return 1;
        }
    }
    QDir().mkpath(QFileInfo(args.at(2)).absolutePath());
    QString error;
    if (!cp932::writeLines(args.at(2), lines, &error)) {
        std::fprintf(stderr, "rk25cp932: %s: %s\n", qPrintable(args.at(2)), qPrintable(error));
        return 1;
    }
    return 0;
}
