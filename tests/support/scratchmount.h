// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>

// A small file system of the test's own (tmpfs) for writes that must fail: one that is full,
// or one mounted read-only. Needs the right to mount (root); isValid() says whether it worked.
class ScratchMount
{
public:
    enum class Kind { Full, ReadOnly };

    // Mounts, puts the files the test writes first through prepare(), then fills it up or
    // turns it read-only.
    explicit ScratchMount(Kind kind);
    ~ScratchMount();

    bool isValid() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    // Writes bytes as a file before the mount is made full or read-only.
    bool put(const QString &name, const QByteArray &bytes);
    // Makes the mount full or read-only; returns whether it did.
    bool close();

private:
    Kind m_kind;
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
