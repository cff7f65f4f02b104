#pragma once

#include <QtWidgets/QWidget>

#include "app/report/reportsource.h"
#include "app/settings/editorappearance.h"
#include "app/ui/workingscreen.h"
#include "robot/transfer.h"

// TForm9: text programming, STEP4.
class TextScreen : public WorkingScreen, public EditorAppearanceTarget, public ReportSource
{
    Q_OBJECT
public:
    explicit TextScreen(const RobotLink &link);

    // With the extended help panel open the navigator shows the panel's own page.
    QString helpPage() const override;
    bool helpPanelOpen() const { return m_helpPanelOpen; }

    int reportTag() const override;
    void fillReportListing(ReportInput *input) const override;

    void applyEditorAppearance(const EditorAppearance &appearance) override;
    EditorAppearance editorAppearance() const { return m_appearance; }

signals:
    void reportRequested();

private:
    RobotLink m_link;
    EditorAppearance m_appearance;
    bool m_helpPanelOpen = false;
};
