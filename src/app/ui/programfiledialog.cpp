// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/programfiledialog.h"

#include "app/ui/messagebox.h"
#include "common/cp932.h"
#include "common/programfilename.h"

#include <QtWidgets/QFileDialog>

#include <QFileInfo>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace ui {

namespace {

constexpr qint64 MAX_PROGRAM_FILE_BYTES = 4 * 1024 * 1024;

ProgramFileChooser &chooser()
{
    static ProgramFileChooser c;
    return c;
}

QString askSystem(QWidget *parent, bool save)
{
    if (chooser())
        return chooser()(save);
    const QString filter = QString::fromUtf16(PROGRAM_FILE_FILTER);
    // Our own overwrite question follows, after the extension rules; one question is enough.
    return save ? QFileDialog::getSaveFileName(parent, QString(), QString(), filter, nullptr,
                                               QFileDialog::DontConfirmOverwrite)
                : QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

// The path to write, or empty when there is nothing to do (cancelled, or refused with its
// message already shown).
QString pathToSave(QWidget *parent)
{
    const QString chosen = askSystem(parent, true);
    if (chosen.isEmpty())
        return {};
    const SaveFileName name = programFileSaveName(chosen);
    if (!name.ok) {
        showMessage(parent, MessageKind::Warning, QString::fromUtf16(WRONG_SAVE_EXTENSION_MESSAGE));
        return {};
    }
    if (QFileInfo::exists(name.path)
        && showMessage(parent, MessageKind::Confirmation, QString::fromUtf16(OVERWRITE_QUESTION),
                       {MessageButton::Yes, MessageButton::No})
               != MessageButton::Yes)
        return {};
    return name.path;
}

}

void readProgramFile(QWidget *parent, std::function<void(const ProgramFileContents &)> read,
                     std::function<void(const QString &)> failed)
{
    const QPointer<QWidget> alive(parent);
    const QString path = askSystem(parent, false);
    if (path.isEmpty() || !alive)
        return;
    if (!hasProgramFileExtension(path)) {
        showMessage(parent, MessageKind::Information, QString::fromUtf16(WRONG_OPEN_EXTENSION_MESSAGE));
        return;
    }
    // A program file is a few kilobytes; a huge file chosen by mistake is not read into memory.
    if (QFileInfo(path).size() > MAX_PROGRAM_FILE_BYTES) {
        failed(u"プログラムの ファイルに しては 大きすぎます。"_s);
        return;
    }
    const cp932::ReadResult file = cp932::readLines(path);
    if (!file.ok) {
        failed(file.error);
        return;
    }
    read({path, file.lines});
}

void saveProgramFile(QWidget *parent, const QStringList &lines, std::function<void()> saved)
{
    const QPointer<QWidget> alive(parent);
    const QString path = pathToSave(parent);
    if (path.isEmpty() || !alive)
        return;
    QString error;
    if (!cp932::writeLines(path, lines, &error)) {
        // Nothing is lost: the old file stays whole and the program stays marked as changed.
        showMessage(parent, MessageKind::Error, u"ファイルを保存できませんでした。\r\n%1"_s.arg(error));
        return;
    }
    saved();
}

void setProgramFileChooserForTests(ProgramFileChooser c)
{
    chooser() = std::move(c);
}

}
