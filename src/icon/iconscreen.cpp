#include "icon/iconscreen.h"

#include "app/mainmenu.h"
#include "app/ui/backgroundpicture.h"
#include "text/textscreen.h"

IconScreen::IconScreen(AppWindows &windows)
    : WorkingScreen(windows,
                    {QStringLiteral("TForm1"), QStringLiteral("DD"), QSize(770, 578),
                     QStringLiteral("back"), {105, 106}},
                    {QRect(568, 45, 49, 30), QRect(627, 45, 61, 29), QRect(699, 45, 50, 29),
                     QRect(332, 549, 120, 29), QRect(125, 549, 116, 29), QRect(539, 549, 116, 29)},
                    1)
{
    background()->setFillColor(QColor::fromRgb(0xC3, 0xC3, 0xC3));
    // The icon screen takes the menu's place once, when it is made.
    setFollowsMenu(false);
    placeAtMenu();
    setStepMode(1);
}

int IconScreen::stepMode() const
{
    return F_step->tag();
}

void IconScreen::setStepMode(int step)
{
    F_step->setTag(step);
    B_step->setVisible(step != 1);
}

QWidget *IconScreen::nextScreen() const
{
    return m_windows.text;
}

void IconScreen::F_stepClick()
{
    if (stepMode() == 1) {
        if (!mayLeave())
            return;
        closeNavigator();
        setStepMode(2);
        programLeft();
        return;
    }
    leaveTo(nextScreen());
}

void IconScreen::B_stepClick()
{
    if (!mayLeave())
        return;
    closeNavigator();
    setStepMode(1);
    programLeft();
}
