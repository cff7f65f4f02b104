// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include <QString>

#include <exception>
#include <stdexcept>

// Failures inside event handlers are exceptions. A handler with a number in the error table
// runs its body through guarded(), which turns any failure into the numbered warning box;
// everything else reaches the application's notify() and the unexpected-failure box.
namespace ui {

// A failure of our own making (a picture that cannot be read, a value that is no colour).
class Failure : public std::runtime_error
{
public:
    explicit Failure(const QString &message);
    QString message() const;
};

// "(" + number + ")エラーが発生しました" + CR LF + "ソフトを再起動するか再度インストールして下さい"
QString numberedErrorText(int number);
void showNumberedError(QWidget *parent, int number);

// The failure's message with "." appended when its last character sorts after ".".
QString unexpectedFailureText(const QString &message);
// The error box captioned with the application title.
void showUnexpectedFailure(QWidget *parent, const QString &message);
QString applicationTitle();

QString messageOf(const std::exception &e);

// Runs body; a failure stops it there and shows the numbered box. True when it ran through.
template <typename Body>
bool guarded(QWidget *parent, int number, Body &&body)
{
    try {
        body();
        return true;
    } catch (const std::exception &) {
        showNumberedError(parent, number);
        return false;
    }
}

}
