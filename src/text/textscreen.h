#pragma once

#include <QtWidgets/QWidget>

#include "app/settings/editorappearance.h"
#include "app/ui/workingscreen.h"

// TForm9: text programming, STEP4.
class TextScreen : public WorkingScreen, public EditorAppearanceTarget
{
    Q_OBJECT
public:
    explicit TextScreen(AppWindows &windows);

    // Whether the extended help panel is open (the navigator then shows its own page).
    bool helpPanelOpen() const { return m_helpPanelOpen; }

    void applyEditorAppearance(const EditorAppearance &appearance) override;
    EditorAppearance editorAppearance() const { return m_appearance; }

protected:
    void B_stepClick() override;
    QWidget *nextScreen() const override;

private:
    EditorAppearance m_appearance;
    bool m_helpPanelOpen = false;
};
