// SPDX-License-Identifier: GPL-3.0-or-later
#include "robot/trs232c.h"

#include "robot/portdiagnosis.h"
#include "robot/serialportnames.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>

#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

QSerialPort::DataBits dataBitsFrom(int charbit, bool *ok)
{
    *ok = charbit >= 5 && charbit <= 8;
    return QSerialPort::DataBits(*ok ? charbit : 8);
}

// The user reads these, so the usual causes are said in Japanese; the rest keeps the
// system's own words.
QString reasonOf(const QSerialPort &port)
{
    switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
        return u"見つかりません"_s;
    case QSerialPort::PermissionError:
        return u"使う許可がないか、ほかのソフトが使っています"_s;
    case QSerialPort::OpenError:
        return u"もう開かれています"_s;
    case QSerialPort::UnsupportedOperationError:
        return u"この設定には対応していません"_s;
    case QSerialPort::TimeoutError:
        return u"時間内に終わりません"_s;
    default:
        return port.errorString();
    }
}

QString reasonOf(PortCause cause)
{
    return QString::fromUtf16(portMessage(cause).reason);
}

// The system takes bytes now, or has something to say (a hang-up, an error) that a write
// will report. Writing to a full line only to be told "try again" would count as an error.
bool takesBytesNow(const QSerialPort &port)
{
    const int fd = int(port.handle());
    if (fd < 0)
        return false;
    pollfd p{fd, POLLOUT, 0};
    return ::poll(&p, 1, 0) > 0 && p.revents != 0;
}

int queuedInDriver(const QSerialPort &port)
{
    const int fd = int(port.handle());
    int queued = 0;
    if (fd < 0 || ::ioctl(fd, TIOCOUTQ, &queued) != 0)
        return 0;
    return queued;
}

void setModemLines(QSerialPort &port, const QByteArray &asked)
{
    for (const char c : asked) {
        if (c == 'D' || c == 'd')
            port.setDataTerminalReady(c == 'D');
        else
            port.setRequestToSend(c == 'R');
    }
    port.clearError();
}

constexpr int DRAIN_POLL_MS = 2;

}

Trs232c::Trs232c(QObject *parent)
    : RobotLine(parent)
    , m_writeTimeout(new QTimer(this))
{
    m_port = newPort();
    m_writeTimeout->setSingleShot(true);
    m_writeTimeout->setTimerType(Qt::PreciseTimer);
    connect(m_writeTimeout, &QTimer::timeout, this, &Trs232c::writeTimedOut);
}

QSerialPort *Trs232c::newPort()
{
    auto *port = new QSerialPort(this);
    connect(port, &QSerialPort::bytesWritten, this, &Trs232c::checkWritten);
    connect(port, &QSerialPort::errorOccurred, this, [this, port](QSerialPort::SerialPortError error) {
        // A failure inside Write is reported by Write itself.
        if (port != m_port || !m_writePending || m_inWrite)
            return;
        if (error != QSerialPort::WriteError && error != QSerialPort::ResourceError)
            return;
        const QString reason = reasonOf(*port);
        port->clearError();
        m_writePending = false;
        m_writeTimeout->stop();
        failWrite(u"ポート %1 に送れません（%2）"_s.arg(m_devicePath, reason));
        emit writeFailed();
    });
    return port;
}

Trs232c::~Trs232c()
{
    // The port goes away with its owner's window; a claim cannot keep it open.
    dropClaim();
    Close();
    // Bytes still on their way finish by themselves while the event loop runs.
    if (m_draining)
        m_draining->setParent(nullptr);
}

std::optional<QSerialPort::Parity> Trs232c::parityFromText(const QString &text)
{
    struct Words
    {
        QSerialPort::Parity parity;
        std::initializer_list<const char16_t *> words;
    };
    static const Words table[] = {
        {QSerialPort::NoParity, {u"無し", u"なし"}},
        {QSerialPort::OddParity, {u"奇数", u"きすう", u"ODD", u"odd", u"ＯＤＤ", u"ｏｄｄ"}},
        {QSerialPort::EvenParity, {u"偶数", u"ぐうすう", u"EVEN", u"even", u"ＥＶＥＮ", u"ｅｖｅｎ"}},
        {QSerialPort::MarkParity, {u"マーク", u"まーく", u"MARK", u"mark", u"ＭＡＲＫ", u"ｍａｒｋ"}},
        {QSerialPort::SpaceParity,
         {u"スペース", u"すぺーす", u"SPACE", u"space", u"ＳＰＡＣＥ", u"ｓｐａｃｅ"}},
    };
    for (const Words &entry : table) {
        for (const char16_t *word : entry.words) {
            if (text == QStringView(word))
                return entry.parity;
        }
    }
    return std::nullopt;
}

std::optional<QSerialPort::StopBits> Trs232c::stopBitsFromText(const QString &text)
{
    if (text == u"1")
        return QSerialPort::OneStop;
    if (text == u"1.5")
        return QSerialPort::OneAndHalfStop;
    if (text == u"2")
        return QSerialPort::TwoStop;
    return std::nullopt;
}

QSerialPort::FlowControl Trs232c::flowControlFromFlags(quint32 flowflag)
{
    // RTS handshake is the value 2 in the two RTS-control bits.
    const bool rtsHandshake = (flowflag & (dfRtsControl_b0 | dfRtsControl_b1)) == dfRtsControl_b1;
    if ((flowflag & dfOutxCtsFlow) || rtsHandshake)
        return QSerialPort::HardwareControl;
    if (flowflag & (dfOutX | dfInX))
        return QSerialPort::SoftwareControl;
    return QSerialPort::NoFlowControl;
}

bool Trs232c::hungUp() const
{
    const int fd = m_opened ? int(m_port->handle()) : -1;
    if (fd < 0)
        return false;
    pollfd p{fd, POLLOUT, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL));
}

bool Trs232c::sameDeviceAsOpened() const
{
    if (resolvePortName(m_portname) != m_devicePath)
        return false;
    struct stat now {};
    if (::stat(QFile::encodeName(m_devicePath).constData(), &now) != 0)
        return false;
    return now.st_rdev == m_openedRdev && now.st_ino == m_openedInode;
}

bool Trs232c::isSound() const
{
    return m_opened && !m_writeFailed && !hungUp() && sameDeviceAsOpened();
}

bool Trs232c::makeReady()
{
    if (claimedByOther())
        return fail(lineBusyText());
    if (isSound())
        return true;
    // Bytes stuck on an unsound line would only hold the device for the new open.
    if (m_opened) {
        m_port->clear(QSerialPort::AllDirections);
        Close();
    }
    return Open();
}

PortStatus Trs232c::currentStatus() const
{
    if (m_opened) {
        if (isSound()) {
            PortStatus ok;
            ok.device = m_devicePath;
            return ok;
        }
        const QString now = resolvePortName(m_portname);
        // A new device behind the name: the next send opens it.
        if (now != m_devicePath)
            return diagnosePort(now);
        PortStatus gone;
        gone.cause = PortCause::Gone;
        gone.device = m_devicePath;
        return gone;
    }
    const QString device = resolvePortName(m_portname);
    const PortStatus seen = diagnosePort(device);
    // What only the open itself found out (a setting the device refused) stays said.
    if (seen.cause == PortCause::Usable && m_status.cause == PortCause::Other && m_status.device == device)
        return m_status;
    return seen;
}

bool Trs232c::Open()
{
    if (claimedByOther())
        return fail(lineBusyText());
    if (m_opened)
        return fail(u"ポートはもう開いています"_s);

    m_devicePath = resolvePortName(m_portname);
    // The device closed last may still hold its last bytes; a new open must not wait for them.
    if (m_draining) {
        m_draining->clear(QSerialPort::AllDirections);
        m_draining->close();
        delete m_draining.data();
    }
    m_port->setPortName(m_devicePath);

    // Settings are stored first and opening applies them in one go: a setting the device
    // refuses makes the open fail with the device's reason. (A pseudo-terminal takes them all.)
    bool dataBitsOk = false;
    const QSerialPort::DataBits dataBits = dataBitsFrom(m_charbit, &dataBitsOk);
    if (!dataBitsOk)
        return failWith(PortStatus{PortCause::Other, m_devicePath, 0, {}, {}},
                        u"データのビット数 %1 は使えません"_s.arg(m_charbit));
    m_port->setBaudRate(m_bps);
    m_port->setDataBits(dataBits);
    // Texts outside the tables leave the value the port already has.
    if (const auto parity = parityFromText(m_paritymode))
        m_port->setParity(*parity);
    if (const auto stopBits = stopBitsFromText(m_stopbit))
        m_port->setStopBits(*stopBits);
    m_port->setFlowControl(flowControlFromFlags(m_flowflag));
    // The driver's receive queue cannot be sized on Linux; this bounds Qt's own buffer (unused,
    // since the port is opened for writing only). txbuffsize has no equivalent at all: the
    // kernel's send buffer is fixed. The time-outs for reading (readinterval, rxtimeout) have
    // nothing to act on because nothing is read; txtimeout bounds every Write. XonLim, XoffLim
    // and the special characters belong to the Windows driver's XON/XOFF and event handling,
    // which stay off here, so they are kept only as values.
    m_port->setReadBufferSize(m_rxbuffsize);

    // What can be told without opening (and what root could open regardless, for tests).
    PortStatus before = diagnosePort(m_devicePath);
    if (before.cause != PortCause::Usable) {
        return failWith(before, u"ポート %1 を開けません（%2）"_s.arg(m_devicePath, reasonOf(before.cause)));
    }

    // Write-only: the line is used for sending, nothing is ever read.
    if (!m_port->open(QIODevice::WriteOnly)) {
        const QSerialPort::SerialPortError error = m_port->error();
        const QString reason = reasonOf(*m_port);
        m_port->clearError();
        // Looked at again: the device may have gone or been taken meanwhile.
        PortStatus after = diagnosePort(m_devicePath);
        if (after.cause == PortCause::Usable) {
            if (error == QSerialPort::DeviceNotFoundError)
                after.cause = PortCause::NotFound;
            else if (error == QSerialPort::PermissionError)
                after.cause = PortCause::Held; // the device refuses a second user
            else
                after.cause = PortCause::Other;
        }
        return failWith(after, u"ポート %1 を開けません（%2）"_s.arg(m_devicePath, reason));
    }
    // Purge both directions, so that nothing left over from before goes out.
    m_port->clear(QSerialPort::AllDirections);
    m_port->clearError();
    m_opened = true;
    m_writeFailed = false;
    struct stat opened {};
    const bool known = ::fstat(int(m_port->handle()), &opened) == 0;
    m_openedRdev = known ? opened.st_rdev : 0;
    m_openedInode = 0;
    // The inode of the name, not of the descriptor: that is what a re-plug changes.
    if (::stat(QFile::encodeName(m_devicePath).constData(), &opened) == 0)
        m_openedInode = opened.st_ino;
    m_lastError.clear();
    PortStatus ok;
    ok.device = m_devicePath;
    setStatus(ok);
    emit OnOpen();
    return true;
}

bool Trs232c::Close()
{
    if (claimedByOther())
        return fail(lineBusyText());
    if (!m_opened)
        return false;
    // The last bytes (the 254 on leaving, or before quitting) may still be on their way out;
    // purging the output now would drop them, so the device closes once they are out. A device
    // that has hung up takes nothing more.
    if (hungUp())
        m_port->clear(QSerialPort::AllDirections);
    m_port->clear(QSerialPort::Input);
    // No receive thread to stop: none is ever created.
    m_closing = true;
    m_modemOnClose.clear();
    emit OnClose();
    m_closing = false;
    m_opened = false;
    m_writeFailed = false;
    m_writePending = false;
    m_writeTimeout->stop();
    if (m_port->bytesToWrite() > 0 || queuedInDriver(*m_port) > 0) {
        detachForClosing();
        return true;
    }
    setModemLines(*m_port, m_modemOnClose);
    m_port->close();
    const bool ok = m_port->error() == QSerialPort::NoError;
    m_port->clearError();
    return ok;
}

void Trs232c::detachForClosing()
{
    QSerialPort *closing = m_port;
    closing->disconnect(this);
    m_port = newPort();
    m_draining = closing;
    auto *watch = new QTimer(closing);
    QDeadlineTimer deadline(m_txtimeout);
    connect(watch, &QTimer::timeout, closing, [closing, deadline, modem = m_modemOnClose] {
        const bool out = closing->bytesToWrite() == 0 && queuedInDriver(*closing) == 0;
        if (!out && !deadline.hasExpired())
            return;
        // What could not go out in time is purged.
        if (!out)
            closing->clear(QSerialPort::AllDirections);
        setModemLines(*closing, modem);
        closing->close();
        closing->deleteLater();
    });
    watch->start(DRAIN_POLL_MS);
}

bool Trs232c::Write(QByteArrayView bytes)
{
    if (claimedByOther())
        return fail(lineBusyText());
    if (!m_opened)
        return fail(u"ポートが開いていません"_s);
    const qint64 queued = m_port->write(bytes.data(), bytes.size());
    if (queued != bytes.size()) {
        const QString reason = reasonOf(*m_port);
        m_port->clearError();
        return failWrite(u"ポート %1 に送れません（%2）"_s.arg(m_devicePath, reason));
    }
    m_pendingCount = m_writePending ? m_pendingCount + bytes.size() : bytes.size();
    m_writePending = true;
    // Handed to the system now when it takes them, so a paced byte leaves when it is written;
    // the rest follows as the line moves.
    m_inWrite = true;
    const bool handedOver = !takesBytesNow(*m_port) || m_port->flush() || m_port->error() == QSerialPort::NoError;
    m_inWrite = false;
    if (!handedOver) {
        const QString reason = reasonOf(*m_port);
        m_port->clearError();
        m_writePending = false;
        return failWrite(u"ポート %1 に送れません（%2）"_s.arg(m_devicePath, reason));
    }
    m_lastError.clear();
    if (m_port->bytesToWrite() > 0)
        m_writeTimeout->start(m_txtimeout);
    checkWritten();
    return true;
}

qint64 Trs232c::bytesWaiting() const
{
    return m_opened ? m_port->bytesToWrite() : 0;
}

void Trs232c::checkWritten()
{
    if (!m_writePending || m_port->bytesToWrite() > 0)
        return;
    m_writePending = false;
    m_writeTimeout->stop();
    m_lastWritten = m_pendingCount;
    emit written();
}

void Trs232c::writeTimedOut()
{
    if (!m_writePending)
        return;
    m_writePending = false;
    // The bytes stay queued: they still go out if the line moves again.
    failWrite(u"ポート %1 への送信が時間内に終わりません"_s.arg(m_devicePath));
    emit writeFailed();
}

bool Trs232c::failWrite(const QString &reason)
{
    m_writeFailed = true;
    PortStatus status;
    status.device = m_devicePath;
    const bool gone = hungUp() || !QFileInfo::exists(m_devicePath) || !sameDeviceAsOpened();
    status.cause = gone ? PortCause::Gone : PortCause::Other;
    return failWith(status, reason);
}

bool Trs232c::SetRTS(bool raise)
{
    if (!m_opened)
        return false;
    m_rts = raise;
    if (m_closing) {
        m_modemOnClose.append(raise ? 'R' : 'r');
        return true;
    }
    const bool ok = m_port->setRequestToSend(raise);
    m_port->clearError();
    return ok;
}

bool Trs232c::SetDTR(bool raise)
{
    if (!m_opened)
        return false;
    m_dtr = raise;
    if (m_closing) {
        m_modemOnClose.append(raise ? 'D' : 'd');
        return true;
    }
    const bool ok = m_port->setDataTerminalReady(raise);
    m_port->clearError();
    return ok;
}

