// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The rules and messages that the three kinds of program file (.rk5) share: the icon ("DD"),
// route ("D_pro") and text ("KB") screens all save and read through them.

// A file name chosen in the save dialogue. The extension is taken from the last "." of the
// file name part, in lower case.
struct SaveFileName
{
    bool ok = false; // false: another extension was given; nothing is to be written
    QString path;    // the name, with ".rk5" appended when it had no extension
};
SaveFileName programFileSaveName(const QString &chosen);
// Whether a file to read carries the extension ".rk5" (in any case: "X.RK5" too).
bool hasProgramFileExtension(const QString &path);

inline constexpr char16_t PROGRAM_FILE_FILTER[] = u"RK-25ファイル(*.rk5 *.RK5)";
inline constexpr char16_t WRONG_SAVE_EXTENSION_MESSAGE[] = u"ファイル形式が違います";
inline constexpr char16_t WRONG_OPEN_EXTENSION_MESSAGE[] =
    u"指定したファイルを開くことができません\r\nファイル名を確認して下さい。";
inline constexpr char16_t OTHER_STEP_MESSAGE[] =
    u"指定したファイルを開くことが出来ません\r\n他のステップで保存されいる可能性があります。";
inline constexpr char16_t OVERWRITE_QUESTION[] = u"同じ名前のファイルが既にあります。上書きしますか？";
