// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "robot/programimage.h"
#include "robot/wireplan.h"

#include <QObject>
#include <QPointer>
#include <QString>

class RobotLine;
class WirePlayback;

// The road of one program to the robot, without any window: compile, refuse with the
// compiler's messages, program image, wire plan, the line made ready, then the plan played by
// the line's player with its progress, its end, a stop at the end of the block on its way, or
// the robot out of reach. Windows only show what it says.
class ProgramTransfer : public QObject
{
    Q_OBJECT
public:
    enum class Refusal {
        LineBusy,    // a transfer owns the line already
        NotAccepted, // does not compile, or is too long (the compiler's or our messages)
        Unreachable, // the line cannot be made ready
    };
    Q_ENUM(Refusal)

    explicit ProgramTransfer(RobotLine *line, QObject *parent = nullptr);
    ~ProgramTransfer() override;

    // Compiles the text and makes the plan. False, with refused() told, when the line is
    // owned by a transfer or the program is not accepted. how: the start mode of set.ini.
    bool prepare(const QString &programText, ScreenKind kind, bool how);
    // Makes the line ready (a line that is not sound is opened again, silently) and starts the
    // plan. False, with refused() told, when the line cannot be reached.
    bool play();
    // Ends the transfer at the end of the block on its way; stopped() follows.
    void stop();

    const WirePlan &plan() const { return m_plan; }
    bool isActive() const;
    int sentCount() const;
    // Whether a stop now leaves the robot without part of the program: what still goes out
    // after a stop (the block's rest as 254) is not what was planned.
    bool stopLosesBytes() const;

signals:
    void refused(ProgramTransfer::Refusal why, const QString &text);
    // The bar, after a byte's own pause.
    void progressChanged(int percent);
    // Every byte went out and the last pause is over.
    void finished();
    // stop() is done: what had to follow went out.
    void stopped();
    // The robot went out of reach on the way; text is the box for it.
    void failed(const QString &text);

private:
    bool refuse(Refusal why, const QString &text);

    QPointer<RobotLine> m_line;
    WirePlan m_plan;
    WirePlayback *m_playback = nullptr;
};

// Our own words when the robot cannot be reached and nothing more is known.
QString robotUnreachableText();
// The box for the line's last failure: its cause, and how to mend it.
QString unreachableText(const RobotLine *line);
// After a transfer was stopped because its screen was left: the program must be sent again.
QString transferCutText();
