#include "app/settings/settingsscreen.h"

SettingsScreen::SettingsScreen(AppWindows &windows)
    : PictureWindow({QStringLiteral("TForm7"), QStringLiteral("setup"), QSize(500, 350),
                     QStringLiteral("Image1"), {702, 703}})
    , m_windows(windows)
{
}

void SettingsScreen::showSettings()
{
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    show();
}

bool SettingsScreen::deleteShiftsUp() const
{
    return m_deleteShiftsUp;
}
