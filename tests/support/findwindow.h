// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <QString>
#include <QTest>

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

// Clicks the middle of the parent's child of that objectName; a missing child fails the test.
template <typename T = QWidget>
void clickChild(const QObject *parent, const QString &objectName)
{
    auto *w = parent->findChild<T *>(objectName);
    QVERIFY2(w, qPrintable(objectName));
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

}
