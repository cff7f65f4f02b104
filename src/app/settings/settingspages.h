// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include <QList>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QRadioButton;
class QSlider;
class QSpinBox;
class QStackedWidget;
class ColorSwatch;
class PictureButton;

// The ten pages of the settings screen (PageControl1, tabs hidden) and the controls on them
// that the screen reads and writes. Page numbers: 0 execution method, 1 port, 2 speed,
// 3 delete icon, 4 editor overview, 5 font size, 6 background colour, 7 text colour,
// 8 font name, 9 comment colour.
struct SettingsPages
{
    QStackedWidget *PageControl1 = nullptr;
    QRadioButton *RadioButton1 = nullptr;  // start at once
    QRadioButton *RadioButton2 = nullptr;  // wait for the front switch
    QGroupBox *RadioGroup1 = nullptr;      // COM1..COM4
    QButtonGroup *portChoices = nullptr;   // ids 0..3
    QList<QLabel *> portDevices;           // what each COM reaches now
    PictureButton *comport = nullptr;
    QSlider *LMDTrackBar1 = nullptr;
    QLabel *Label25 = nullptr;
    PictureButton *dosatest = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QSpinBox *SpinEdit1 = nullptr;
    QListWidget *ListBox1 = nullptr;
    QLabel *Label9 = nullptr;
    QList<ColorSwatch *> swatches;         // Panel20..34, Panel40..54, Panel60..74
};

// Builds the pages into a new page control on parent (the controls start without values; the
// screen puts the defaults of the key table in); picture buttons get the window's
// error numbers (press, release).
SettingsPages buildSettingsPages(QWidget *parent, int pressNumber, int releaseNumber);

// Selects the port index 0..3 in the group; a value below 0 selects nothing, above 3 "COM4".
void selectPortIndex(const SettingsPages &pages, int index);
// The selected port index, -1 when none is.
int selectedPortIndex(const SettingsPages &pages);
