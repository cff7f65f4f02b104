// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "robot/portmessages.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QPointer>
#include <QString>

// The line to the robot, whatever carries it: the serial port (Trs232c) or the virtual robot
// inside the program (sim::SimLine). Everything that sends to the robot (the player, the
// transfer, the operation test, remote control) knows only this.
//
// Nothing waits here. Write hands the bytes on and returns; written() says when all bytes
// written so far are on their way, writeFailed() when they could not go. While open, DTR and
// RTS are raised by whoever handles OnOpen.
class RobotLine : public QObject
{
    Q_OBJECT
public:
    explicit RobotLine(QObject *parent = nullptr);

    virtual bool Open() = 0;
    virtual bool Close() = 0;
    bool Write(const char *buffer, int count);
    bool WriteByte(int value);
    virtual bool Write(QByteArrayView bytes) = 0;
    virtual bool SetRTS(bool raise) = 0;
    virtual bool SetDTR(bool raise) = 0;

    bool isOpen() const { return m_opened; }
    // The line is open and nothing is wrong with it.
    virtual bool isSound() const = 0;
    // Before a send, a run or the remote start: a line that is not sound is closed and opened
    // again, without a word. True when it is open and sound afterwards; otherwise lastStatus()
    // says why. Refused while a transfer owns the line.
    virtual bool makeReady() = 0;
    // The state to show now, without opening anything.
    virtual PortStatus currentStatus() const = 0;
    // What the line reaches, as the boxes name it (a device path for the serial port).
    virtual QString devicePath() const = 0;

    // Why the last Open or Write failed (cause Usable after a success), with what the box names.
    const PortStatus &lastStatus() const { return m_status; }
    // Why the last Open or Write failed (empty after a success), in Japanese, for the user.
    QString lastError() const { return m_lastError; }
    // The levels last asked for through SetDTR / SetRTS.
    bool dtrRequested() const { return m_dtr; }
    bool rtsRequested() const { return m_rts; }

    // While a transfer plays, it owns the line: every other Write, WriteByte, Open and Close is
    // refused (false, lastError() says why), so no byte can fall between the bytes of a program
    // image and the line cannot change under it. The claim ends with releaseLine or when the
    // owner is destroyed. The owner writes with WriteByteAs.
    bool claimLine(const QObject *owner);
    void releaseLine(const QObject *owner);
    bool lineClaimed() const { return !m_lineOwner.isNull(); }
    bool WriteByteAs(const QObject *owner, int value);
    static QString lineBusyText();

signals:
    // Raised after opening; the main menu's handler raises DTR and RTS.
    void OnOpen();
    // Raised while the line is still open, so that the handler can lower DTR and RTS.
    void OnClose();
    // The owner of the line gave it back: waiting senders may go on.
    void lineReleased();
    // lastStatus() changed (an open, a close, a failed write).
    void statusChanged();
    // Everything written so far is on its way now.
    void written();
    // Bytes written could not be handed over (lastError() says why); they are not retried.
    void writeFailed();

protected:
    bool fail(const QString &reason);
    bool failWith(PortStatus status, const QString &reason);
    void setStatus(const PortStatus &status);
    bool claimedByOther() const { return lineClaimed() && !m_ownerWriting; }
    // The owner is going away with the line: a claim cannot keep it open.
    void dropClaim() { m_lineOwner.clear(); }

    bool m_opened = false;
    bool m_dtr = false;
    bool m_rts = false;
    QString m_lastError;
    PortStatus m_status;

private:
    QPointer<const QObject> m_lineOwner;
    bool m_ownerWriting = false;
};

// The main menu's handlers on its line: opening raises DTR then RTS, closing (while the line
// is still open) lowers DTR then RTS.
void connectModemLineHandlers(RobotLine &line);
