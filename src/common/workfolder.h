// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The per-user working folder "RK-25Temp" in the documents folder, ending with a separator so
// that callers append a bare file name. Every call creates the folder (and missing parents).
QString WorkFolderPath();

// The folder path for a given documents folder, without creating anything.
QString workFolderPathFor(const QString &documentsFolder);
