#include "text/textscreen.h"

#include "icon/iconscreen.h"
#include "route/routescreen.h"

TextScreen::TextScreen(AppWindows &windows)
    : WorkingScreen(windows,
                    {QStringLiteral("TForm9"), QStringLiteral("text"), QSize(770, 578),
                     QStringLiteral("back"), {903, 902}},
                    {QRect(568, 93, 49, 30), QRect(619, 93, 61, 29), QRect(683, 93, 50, 29),
                     QRect(332, 549, 120, 29), QRect(125, 549, 116, 29), QRect(539, 549, 116, 29)},
                    9)
{
}

void TextScreen::applyEditorAppearance(const EditorAppearance &appearance)
{
    m_appearance = appearance;
    update();
}

void TextScreen::B_stepClick()
{
    IconScreen *icon = m_windows.icon;
    if (!icon || !mayLeave())
        return;
    closeNavigator();
    icon->setStepMode(2);
    icon->show();
    hide();
    programLeft();
}

QWidget *TextScreen::nextScreen() const
{
    return m_windows.route;
}
