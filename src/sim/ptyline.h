// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

namespace sim {

// The robot's end of a serial line: a pseudo-terminal whose other side the application opens
// like a serial device. Every byte the application writes arrives here unchanged.
class PtyLine : public QObject
{
    Q_OBJECT
public:
    explicit PtyLine(QObject *parent = nullptr);
    ~PtyLine() override;

    bool open(QString *error = nullptr);
    bool isOpen() const { return m_master >= 0; }
    // The device the application opens, for example "/dev/pts/7".
    QString devicePath() const { return m_devicePath; }

signals:
    void bytesArrived(const QByteArray &bytes);

private:
    void readAvailable();

    int m_master = -1;
    // Kept open so that the line does not hang up while the application closes and re-opens
    // its port.
    int m_device = -1;
    QString m_devicePath;
    QSocketNotifier *m_notifier = nullptr;
};

// The link "comN" in a folder through which the application's COM names reach the line.
enum class ComLinkState {
    Free,    // nothing of that name
    Ours,    // a link to this line's device
    Foreign, // a file, a folder or a link to something else: not ours to replace unasked
};

QString comLinkPath(int n, const QString &folder);
ComLinkState comLinkState(const QString &linkPath, const QString &devicePath);
// Links linkPath to the device. A foreign entry is replaced only when replaceForeign is set
// (the user said so), and never when it is a folder.
bool makeComLink(const QString &linkPath, const QString &devicePath, bool replaceForeign,
                 QString *error = nullptr);
// Removes the link only if it still leads to the device.
void removeComLinkIfOurs(const QString &linkPath, const QString &devicePath);

}
