// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include "app/report/reportsource.h"
#include "app/settings/editorappearance.h"
#include "app/ui/workingscreen.h"
#include "editor/sonstrings.h"
#include "transfer/transfer.h"

#include <QColor>

class HelpPanel;
class HelpPicture;
class TSonEdit;

// TForm9: text programming, STEP4. The program is the text of the editor SonEdit1.
class TextScreen : public WorkingScreen, public EditorAppearanceTarget, public ReportSource
{
    Q_OBJECT
public:
    explicit TextScreen(const RobotLink &link);

    // With the extended help panel open the navigator shows the panel's own page.
    QString helpPage() const override;
    bool helpPanelOpen() const;

    int reportTag() const override;
    void fillReportListing(ReportInput *input) const override;

    void applyEditorAppearance(const EditorAppearance &appearance) override;
    EditorAppearance editorAppearance() const { return m_appearance; }

    TSonEdit *editor() const { return SonEdit1; }
    HelpPanel *helpPanel() const { return m_help; }
    QColor commentColor() const { return m_comment; }

signals:
    void reportRequested();

protected:
    bool mayLeave() override;
    void programLeft() override;
    void showEvent(QShowEvent *event) override;
    QStringList recoveryLines() const override;
    bool restoreRecovery(const QStringList &lines) override;

private:
    void createCommandButtons();
    void FormShow();
    void applyLayoutLook();
    // Comments from the first "//" of each line, in the comment colour on the background.
    void SonEdit1Change();
    void paintComments();
    void refuseCharacters(const QString &characters);

    void sendClick();
    void playClick();
    // ためす: the program on the floor inside the program, its running line lit in the editor.
    void trialClick();
    // Compiles the program; when it does not compile, marks the faulty lines and says why.
    bool compilesOrSaysWhy(const QString &program);
    void ReadClick();
    void SaveClick();
    void ReportClick();
    void readsampleClick();
    void Image1MouseDown();

    // Writes "KB" and the text to a file the pupil chooses; true when a file was written.
    void saveProgram();
    // The question before the text is lost; false ends the operation.
    bool askBeforeLosing();
    // Reading and the sample: the lines after the first, each with CR LF, become the text.
    void loadFileLines(const QStringList &lines, bool checkMarker);

    RobotLink m_link;
    EditorAppearance m_appearance;
    QColor m_comment = Qt::green;
    QColor m_back = Qt::black;
    QList<CommentRange> m_comments;

    TSonEdit *SonEdit1 = nullptr;
    HelpPanel *m_help = nullptr;
    HelpPicture *Image1 = nullptr;
    PictureButton *send = nullptr;
    PictureButton *play = nullptr;
    PictureButton *trial = nullptr;
    PictureButton *Read = nullptr;
    PictureButton *Save = nullptr;
    PictureButton *Report = nullptr;
    PictureButton *readsample = nullptr;
};
