#pragma once

#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <QString>

namespace testenv {

// A top-level window by its objectName (TForm1, TForm9, ...), as the main menu made it.
template <typename T = QWidget>
T *findWindow(const QString &objectName)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == objectName)
            return qobject_cast<T *>(w);
    }
    return nullptr;
}

}
