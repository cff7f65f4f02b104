// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/scratchmount.h"

#include <QFile>

#include <sys/mount.h>

using namespace Qt::StringLiterals;

ScratchMount::ScratchMount(Kind kind)
    : m_kind(kind)
{
    if (!m_dir.isValid())
        return;
    const QByteArray target = QFile::encodeName(m_dir.path());
    m_mounted = ::mount("tmpfs", target.constData(), "tmpfs", 0, "size=256k,mode=0777") == 0;
}

ScratchMount::~ScratchMount()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

bool ScratchMount::put(const QString &name, const QByteArray &bytes)
{
    QFile f(m_dir.path() + u'/' + name);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

bool ScratchMount::close()
{
    if (!m_mounted)
        return false;
    const QByteArray target = QFile::encodeName(m_dir.path());
    if (m_kind == Kind::ReadOnly)
        return ::mount("tmpfs", target.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=256k") == 0;
    QFile filler(m_dir.path() + u"/filler"_s);
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray chunk(4096, 'x');
    while (filler.write(chunk) == chunk.size()) {
    }
    while (filler.write("x", 1) == 1) {
    }
    return true;
}
