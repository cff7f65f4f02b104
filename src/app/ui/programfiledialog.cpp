// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/programfiledialog.h"

#include "app/ui/messagebox.h"
#include "common/programfilename.h"

#include <QtWidgets/QFileDialog>

#include <QFileInfo>

namespace ui {

namespace {

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

}

QString chooseProgramFileToRead(QWidget *parent)
{
    const QString path = askSystem(parent, false);
    if (path.isEmpty())
        return {};
    if (!hasProgramFileExtension(path)) {
        showMessage(parent, MessageKind::Information, QString::fromUtf16(WRONG_OPEN_EXTENSION_MESSAGE));
        return {};
    }
    return path;
}

QString chooseProgramFileToSave(QWidget *parent)
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

void setProgramFileChooserForTests(ProgramFileChooser c)
{
    chooser() = std::move(c);
}

}
