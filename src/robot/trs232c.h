// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFlags>
#include <QObject>
#include <QPointer>
#include <QSerialPort>
#include <QString>
#include <QTimer>

#include "robot/robotline.h"

#include <optional>

#include <sys/types.h>

// The serial port to the robot's interface. The application owns one (rs232c1 on the main
// menu); every byte it sends goes through WriteByte. The line is used for sending only: the
// port is opened for writing, nothing is ever read and no receive thread exists.
//
// Nothing here waits. A write hands the bytes to the system at once when it can; written()
// says when they are all with it, writeFailed() when they could not go (an error, or txtimeout
// ran out). Close() lets bytes still on their way go out before the device is really closed.
//
// Port names "com1".."com4" (any case) are resolved to Linux devices by resolvePortName
// (serialportnames.h); any other name is used as a device path ("ttyS0" means /dev/ttyS0).
class Trs232c : public RobotLine
{
    Q_OBJECT
public:
    // One element per bit of flowflag, from bit 0 up.
    enum FlowFlag : quint32 {
        dfBinary = 1u << 0,
        dfParity = 1u << 1,
        dfOutxCtsFlow = 1u << 2,
        dfOutxDsrFlow = 1u << 3,
        dfDtrControl_b0 = 1u << 4,
        dfDtrControl_b1 = 1u << 5,
        dfDsrSensitivity = 1u << 6,
        dfTXContinueOnXoff = 1u << 7,
        dfOutX = 1u << 8,
        dfInX = 1u << 9,
        dfErrorChar = 1u << 10,
        dfNull = 1u << 11,
        dfRtsControl_b0 = 1u << 12,
        dfRtsControl_b1 = 1u << 13,
        dfAbortOnError = 1u << 14,
    };
    Q_DECLARE_FLAGS(FlowFlags, FlowFlag)
    Q_FLAG(FlowFlags)
    static constexpr quint32 ALL_FLOW_BITS = 0x7FFF;

    explicit Trs232c(QObject *parent = nullptr);
    ~Trs232c() override;

    bool Open() override;
    bool Close() override;
    using RobotLine::Write;
    bool Write(QByteArrayView bytes) override;
    bool SetRTS(bool raise) override;
    bool SetDTR(bool raise) override;

    // The line is open and nothing is wrong with it: no failed write, the device has not hung
    // up, and the port's name still leads to the device that was opened.
    bool isSound() const override;
    // A port that is not sound (or not open) is closed and opened again.
    bool makeReady() override;
    // The line's own state while open, or what the chosen device looks like while closed.
    PortStatus currentStatus() const override;
    // The device the last Open used (after resolving "com1".."com4").
    QString devicePath() const override { return m_devicePath; }
    // Bytes handed to the device by the last Write that is completely written.
    qint64 lastWritten() const { return m_lastWritten; }
    // Bytes accepted by Write that the system has not taken yet.
    qint64 bytesWaiting() const;

    // Line settings. They take effect at the next Open.
    int bps() const { return m_bps; }
    void setBps(int value) { m_bps = value; }
    int charbit() const { return m_charbit; }
    void setCharbit(int value) { m_charbit = value; }
    QString stopbit() const { return m_stopbit; }
    void setStopbit(const QString &value) { m_stopbit = value; }
    QString paritymode() const { return m_paritymode; }
    void setParitymode(const QString &value) { m_paritymode = value; }
    QString portname() const { return m_portname; }
    void setPortname(const QString &value) { m_portname = value; }
    int rxbuffsize() const { return m_rxbuffsize; }
    void setRxbuffsize(int value) { m_rxbuffsize = value; }
    int txbuffsize() const { return m_txbuffsize; }
    void setTxbuffsize(int value) { m_txbuffsize = value; }
    int readinterval() const { return m_readinterval; }
    void setReadinterval(int value) { m_readinterval = value; }
    int rxtimeout() const { return m_rxtimeout; }
    void setRxtimeout(int value) { m_rxtimeout = value; }
    // Also the longest wait for one Write.
    int txtimeout() const { return m_txtimeout; }
    void setTxtimeout(int value) { m_txtimeout = value; }
    quint32 flowflag() const { return m_flowflag; }
    void setFlowflag(quint32 value) { m_flowflag = value; }
    FlowFlags flow() const { return FlowFlags::fromInt(m_flowflag & ALL_FLOW_BITS); }
    void setFlow(FlowFlags value) { m_flowflag = value.toInt() & ALL_FLOW_BITS; }
    int packetsize() const { return m_packetsize; }
    void setPacketsize(int value) { m_packetsize = value; }
    int XonLim() const { return m_xonLim; }
    void setXonLim(int value) { m_xonLim = value; }
    int XoffLim() const { return m_xoffLim; }
    void setXoffLim(int value) { m_xoffLim = value; }
    char XonChar() const { return m_xonChar; }
    void setXonChar(char value) { m_xonChar = value; }
    char XoffChar() const { return m_xoffChar; }
    void setXoffChar(char value) { m_xoffChar = value; }
    char ErrorChar() const { return m_errorChar; }
    void setErrorChar(char value) { m_errorChar = value; }
    char EofChar() const { return m_eofChar; }
    void setEofChar(char value) { m_eofChar = value; }
    char EvtChar() const { return m_evtChar; }
    void setEvtChar(char value) { m_evtChar = value; }

    // The line events watched while open. No receive notification exists, so it is empty.
    quint32 eventMask() const { return 0; }

    // The word tables of paritymode and stopbit; nullopt for a text that leaves the value.
    static std::optional<QSerialPort::Parity> parityFromText(const QString &text);
    static std::optional<QSerialPort::StopBits> stopBitsFromText(const QString &text);
    // The flow control that a flag word asks for.
    static QSerialPort::FlowControl flowControlFromFlags(quint32 flowflag);

private:
    bool failWrite(const QString &reason);
    // The device has hung up (a pseudo-terminal whose other end closed, an adapter pulled).
    bool hungUp() const;
    bool sameDeviceAsOpened() const;
    // Checks whether the write in progress is with the system, or failed.
    void checkWritten();
    void writeTimedOut();
    // The device being closed goes on by itself until its last bytes are out.
    void detachForClosing();

    QSerialPort *newPort();

    QSerialPort *m_port = nullptr;
    QTimer *m_writeTimeout = nullptr;
    bool m_writePending = false;
    bool m_inWrite = false;
    qint64 m_pendingCount = 0;
    // While OnClose runs, the modem lines asked for are only noted (DTR true/false as 'D'/'d',
    // RTS as 'R'/'r'): they reach the device after its last bytes, in the order asked.
    bool m_closing = false;
    QByteArray m_modemOnClose;
    // A closed device whose last bytes are still on their way.
    QPointer<QSerialPort> m_draining;
    QString m_devicePath;
    qint64 m_lastWritten = 0;
    bool m_writeFailed = false;
    dev_t m_openedRdev = 0;
    ino_t m_openedInode = 0;

    int m_bps = 9600;
    int m_charbit = 8;
    QString m_stopbit = QString::fromUtf16(u"1");
    QString m_paritymode = QString::fromUtf16(u"無し");
    QString m_portname = QString::fromUtf16(u"COM1");
    int m_rxbuffsize = 1024;
    int m_txbuffsize = 1024;
    int m_readinterval = 0;
    int m_rxtimeout = 30000;
    int m_txtimeout = 30000;
    quint32 m_flowflag = dfBinary;
    int m_packetsize = 0;
    int m_xonLim = 0;
    int m_xoffLim = 0;
    char m_xonChar = 0x13;
    char m_xoffChar = 0x11;
    char m_errorChar = 0;
    char m_eofChar = 0;
    char m_evtChar = 0;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Trs232c::FlowFlags)
