// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/windowkeys.h"

#include "app/ui/controlnames.h"

#include <QShortcut>

namespace ui {

void bindKeys(QWidget *window, std::initializer_list<KeyForControl> keys)
{
    for (const KeyForControl &k : keys) {
        auto *shortcut = new QShortcut(k.key, window);
        const QString name = k.control.toString();
        QObject::connect(shortcut, &QShortcut::activated, window, [window, name] {
            // The first one that is shown: a screen may have the name on a hidden page too.
            for (QWidget *control : window->findChildren<QWidget *>(name)) {
                if (control->isVisible() && control->isEnabled()) {
                    pressPictureControl(control);
                    return;
                }
            }
        });
    }
}

void addWorkingScreenKeys(QWidget *screen)
{
    bindKeys(screen, {
        {QKeySequence(Qt::CTRL | Qt::Key_Return), u"send"},
        {QKeySequence(Qt::CTRL | Qt::Key_Enter), u"send"},
        {QKeySequence(Qt::Key_F5), u"play"},
        {QKeySequence(Qt::Key_F6), u"trial"},
        {QKeySequence(Qt::Key_Escape), u"shutdown"},
    });
}

}
