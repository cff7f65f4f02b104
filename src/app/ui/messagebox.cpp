// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/messagebox.h"

#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>

#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace ui {

namespace {

MessageResponder &responder()
{
    static MessageResponder r;
    return r;
}

QMessageBox::Icon iconOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::ButtonRole roleOf(MessageButton button)
{
    switch (button) {
    case MessageButton::Yes:
        return QMessageBox::YesRole;
    case MessageButton::No:
        return QMessageBox::NoRole;
    case MessageButton::Ok:
        return QMessageBox::AcceptRole;
    case MessageButton::Cancel:
        return QMessageBox::RejectRole;
    case MessageButton::None:
        break;
    }
    return QMessageBox::InvalidRole;
}

struct Told
{
    QPointer<QWidget> parent;
    MessageKind kind;
    QString text;
};

int &openBoxes()
{
    static int n = 0;
    return n;
}

QList<Told> &told()
{
    static QList<Told> t;
    return t;
}

void showToldSoon()
{
    QTimer::singleShot(0, qApp, [] {
        if (openBoxes() > 0 || told().isEmpty())
            return;
        const Told next = told().takeFirst();
        // Closing it brings the next one.
        showMessage(next.parent, next.kind, next.text);
    });
}

// Counts the box open for as long as it is, and lets the boxes told meanwhile follow it.
struct OpenBox
{
    OpenBox() { ++openBoxes(); }
    ~OpenBox()
    {
        if (--openBoxes() == 0 && !told().isEmpty())
            showToldSoon();
    }
    OpenBox(const OpenBox &) = delete;
    OpenBox &operator=(const OpenBox &) = delete;
};

MessageButton escapeAnswer(const QList<MessageButton> &buttons)
{
    for (MessageButton b : {MessageButton::Cancel, MessageButton::No, MessageButton::Ok})
        if (buttons.contains(b))
            return b;
    return MessageButton::None;
}

}

QString messageCaption(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning:
        return u"警告"_s;
    case MessageKind::Error:
        return u"エラー"_s;
    case MessageKind::Information:
        return u"情報"_s;
    case MessageKind::Confirmation:
        return u"確認"_s;
    }
    return {};
}

QString messageButtonText(MessageButton button)
{
    switch (button) {
    case MessageButton::Yes:
        return u"はい(&Y)"_s;
    case MessageButton::No:
        return u"いいえ(&N)"_s;
    case MessageButton::Ok:
        return u"OK"_s;
    case MessageButton::Cancel:
        return u"キャンセル"_s;
    case MessageButton::None:
        break;
    }
    return {};
}

MessageButton showMessage(QWidget *parent, MessageKind kind, const QString &text,
                          const QList<MessageButton> &buttons)
{
    return showMessageCaptioned(parent, kind, messageCaption(kind), text, buttons);
}

MessageButton showMessageCaptioned(QWidget *parent, MessageKind kind, const QString &caption,
                                   const QString &text, const QList<MessageButton> &buttons)
{
    const QList<MessageButton> offered = buttons.isEmpty() ? QList{MessageButton::Ok} : buttons;
    const OpenBox open;
    if (responder())
        return responder()(MessageRequest{kind, caption, text, offered});

    QMessageBox box(iconOf(kind), caption, text, QMessageBox::NoButton, parent);
    QHash<QAbstractButton *, MessageButton> answers;
    for (MessageButton b : offered) {
        QPushButton *pb = box.addButton(messageButtonText(b), roleOf(b));
        answers.insert(pb, b);
        if (b == offered.first())
            box.setDefaultButton(pb);
    }
    box.exec();
    return answers.value(box.clickedButton(), escapeAnswer(offered));
}

void tell(QWidget *parent, MessageKind kind, const QString &text)
{
    told().append({parent, kind, text});
    showToldSoon();
}

void setMessageResponder(MessageResponder r)
{
    responder() = std::move(r);
}

}
