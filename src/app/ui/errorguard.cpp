// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/errorguard.h"

#include "app/ui/messagebox.h"

using namespace Qt::StringLiterals;

namespace ui {

Failure::Failure(const QString &message)
    : std::runtime_error(message.toStdString())
{
}

QString Failure::message() const
{
    return QString::fromUtf8(what());
}

QString numberedErrorText(int number)
{
    return u"("_s + QString::number(number)
           + u")エラーが発生しました\r\nソフトを再起動するか再度インストールして下さい"_s;
}

void showNumberedError(QWidget *parent, int number)
{
    showMessage(parent, MessageKind::Warning, numberedErrorText(number), {MessageButton::Ok});
}

QString applicationTitle()
{
    return u"ステッピングモータロボット制御ソフト"_s;
}

QString unexpectedFailureText(const QString &message)
{
    if (!message.isEmpty() && message.back() > u'.')
        return message + u'.';
    return message;
}

void showUnexpectedFailure(QWidget *parent, const QString &message)
{
    showMessageCaptioned(parent, MessageKind::Error, applicationTitle(),
                         unexpectedFailureText(message), {MessageButton::Ok});
}

QString messageOf(const std::exception &e)
{
    return QString::fromUtf8(e.what());
}

}
