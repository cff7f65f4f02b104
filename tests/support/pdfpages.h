// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRectF>
#include <QString>

// Reading back a PDF the program wrote, through poppler's command-line tools (poppler-utils).
namespace pdfpages {

// Whether pdftotext, pdfinfo and pdftoppm are there.
bool toolsAvailable();

// The output of a tool run on the file (empty when it fails).
QString toolOutput(const QString &tool, const QString &path);

// Number of pages (0 when the file cannot be read).
int pageCount(const QString &path);

// The text of one page, or of all with page 0.
QString text(const QString &path, int page = 0);

struct Word
{
    int page = 0;
    QRectF box; // in points, from the page's top left
    QString text;
};

// Every word with its box. Text the painter clipped away is still in the file, so the boxes
// tell what a reader sees.
QList<Word> words(const QString &path);

// Rasterises one page at dpi into a PNG file beside the PDF; its path, or empty on failure.
QString pagePicture(const QString &path, int page, int dpi);

}
