// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// The look of the STEP4 editor as the settings screen hands it over on OK. Colours are colour
// values as set.ini keeps them (low byte red, then green, then blue).
struct EditorAppearance
{
    quint32 background = 0;
    quint32 text = 0;
    quint32 selection = 0;
    quint32 comment = 0;
    quint32 marks = 0; // line-end and end-of-text marks
    int fontSize = 14;
    QString fontName;
};

// Implemented by the text screen: takes the new look at once, whether or not it is shown,
// then lays out and repaints its text.
class EditorAppearanceTarget
{
public:
    virtual ~EditorAppearanceTarget() = default;
    virtual void applyEditorAppearance(const EditorAppearance &appearance) = 0;
};
