#pragma once

#include <QtWidgets/QWidget>

#include "app/ui/appwindows.h"
#include "app/ui/picturewindow.h"

// TForm7, the settings screen: a tree of ten pages over set.ini, with previews of the STEP4
// editor look. Not modal; OK writes every key and applies the editor look, cancel only closes.
class SettingsScreen : public PictureWindow
{
    Q_OBJECT
public:
    explicit SettingsScreen(AppWindows &windows);

    // Any window's setup button: shows the screen (loading it), or brings it forward.
    void showSettings();
    // The live state of the delete-icon option (CheckBox1), asked by the icon screen.
    bool deleteShiftsUp() const;

private:
    AppWindows &m_windows;
    bool m_deleteShiftsUp = true;
};
