// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include <QList>
#include <QString>

#include <functional>

// The one way the system asks or tells the user something in a box. Every box uses the
// system's own captions and button texts; tests install a responder so no box ever blocks.
namespace ui {

enum class MessageKind { Warning, Error, Information, Confirmation };
enum class MessageButton { None, Yes, No, Ok, Cancel };

struct MessageRequest
{
    MessageKind kind = MessageKind::Information;
    QString caption;
    QString text;
    QList<MessageButton> buttons;
};

// Caption ("警告", "エラー", "情報", "確認") and button text ("はい(&Y)", ...).
QString messageCaption(MessageKind kind);
QString messageButtonText(MessageButton button);

// Shows a modal box with the kind's caption; returns the button chosen. Closing the box
// without a choice counts as cancel (or no, or OK, whichever the box offers, in that order).
MessageButton showMessage(QWidget *parent, MessageKind kind, const QString &text,
                          const QList<MessageButton> &buttons = {MessageButton::Ok});

// As showMessage with a caption of the caller's choosing (the unexpected-failure box).
MessageButton showMessageCaptioned(QWidget *parent, MessageKind kind, const QString &caption,
                                   const QString &text,
                                   const QList<MessageButton> &buttons = {MessageButton::Ok});

// A box that only tells (OK), for the end of a step that runs on its own (a transfer, a test,
// a key held): shown after the step's handler has returned and once no other box is open, so
// that boxes never open inside one another and no step waits for an answer. Boxes told while
// one is open follow it in order. A parent gone by then leaves the box without one.
void tell(QWidget *parent, MessageKind kind, const QString &text);

// Replaces the modal box, for tests: the responder sees each request and answers it.
// An empty responder brings the real boxes back.
using MessageResponder = std::function<MessageButton(const MessageRequest &)>;
void setMessageResponder(MessageResponder responder);

}
