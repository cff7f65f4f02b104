#include "text/textscreen.h"
#include "common/errornumbers.h"

TextScreen::TextScreen(const RobotLink &link)
    : WorkingScreen({QStringLiteral("TForm9"), QStringLiteral("text"), QSize(770, 578),
                     QStringLiteral("back"), {errors::TEXT_BUTTON_PRESS, errors::TEXT_BUTTON_RELEASE}},
                    {QRect(568, 93, 49, 30), QRect(619, 93, 61, 29), QRect(683, 93, 50, 29),
                     QRect(332, 549, 120, 29), QRect(125, 549, 116, 29), QRect(539, 549, 116, 29)},
                    9)
    , m_link(link)
{
}

QString TextScreen::helpPage() const
{
    return m_helpPanelOpen ? QStringLiteral("Navi\\navi\\index_s8.html")
                           : QStringLiteral("Navi\\navi\\index_s4.html");
}

int TextScreen::reportTag() const
{
    return REPORT_TAG_TEXT;
}

void TextScreen::fillReportListing(ReportInput *input) const
{
    input->programLines.clear();
}

void TextScreen::applyEditorAppearance(const EditorAppearance &appearance)
{
    m_appearance = appearance;
    update();
}
