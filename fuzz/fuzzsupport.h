// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/cp932.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

// What every fuzz target shares: the input as the lines of a CP932 file, and a property check
// that stops the run with a message (a finding) instead of going on quietly.
namespace fuzz {

inline QStringList fileLines(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    return cp932::splitLines(cp932::decode(bytes));
}

inline QString text(const uint8_t *data, size_t size)
{
    return cp932::decode(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
}

[[noreturn]] inline void fail(const char *property)
{
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

inline void check(bool holds, const char *property)
{
    if (!holds)
        fail(property);
}

// Qt's codecs and file classes want an application object; one for the whole run.
inline void ensureApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication *app = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
}

}
