// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include "app/ui/picturewindow.h"

#include <QKeySequence>
#include <QList>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <initializer_list>
#include <memory>

class RecoveryCopy;

// A working screen of the step chain (icon, text, route, remote control): 770 x 578, shown at
// the main menu's position, with the standard buttons.
//
// A screen knows no other window. The main menu (the composition root) hands each screen its
// neighbours in the chain as destinations and connects the requests below; before leaving,
// leaveTo() asks the screen's mayLeave() (the save question; false keeps the pupil where he
// is), asks for the navigator to be closed, shows the destination, hides the screen, then
// calls programLeft() (which empties the screen's program).
class WorkingScreen : public PictureWindow
{
    Q_OBJECT
public:
    // Places of the standard buttons; an empty rectangle leaves that button out.
    struct StandardPlaces
    {
        QRect setup, shutdown, shutdown1, navi, B_step, F_step;
    };

    // Shows a neighbour of the chain (with the state it needs, e.g. the icon screen's step).
    using Destination = std::function<void()>;

    WorkingScreen(const Design &design, const StandardPlaces &places, int navigatorTag);
    ~WorkingScreen() override;

    int navigatorTag() const { return m_navigatorTag; }
    PictureButton *naviButton() const { return navi; }
    // The help page the navigator shows for this screen, relative to the program folder.
    virtual QString helpPage() const = 0;

    void setPreviousScreen(Destination destination) { m_previous = std::move(destination); }
    void setNextScreen(Destination destination) { m_next = std::move(destination); }
    // The window whose position this screen takes on every show (the main menu), so that
    // it shows up exactly where the menu was, wherever the menu has been moved.
    void setAnchor(QWidget *anchor) { m_anchor = anchor; }
    void placeAtMenu();

    // Moves along the chain; false when the screen's question kept the pupil here (or there
    // is no destination).
    bool leaveTo(const Destination &destination);

    // At start: a recovery copy left by a run that did not end normally is offered when the
    // screen is first shown. Only the program's start asks for this, so a screen made on its
    // own (a test) never offers anything.
    void armRecoveryOffer();
    // At the end: work that no question let go (the end came from outside) is written at once,
    // so that it is offered at the next start; a copy another run left stays untouched.
    void keepRecoveryAtEnd();
    QString recoveryPath() const;

signals:
    void settingsRequested();
    void navigatorRequested();
    // Every screen change closes a visible navigator first.
    void navigatorCloseRequested();
    void menuRequested();
    // The application is to end (the screen has closed itself already).
    void quitRequested();

protected:
    // The question before losing work; false keeps the screen.
    virtual bool mayLeave() { return true; }
    // After the screen was left: empties its program.
    virtual void programLeft() {}

    // Recovery copies: the screen names its file and the working folder once; after each change
    // it calls programChanged(), after a save or when its work is let go dropRecovery().
    void enableRecovery(const QString &fileName, std::function<QString()> workFolder);
    void programChanged();
    void dropRecovery();
    // The program in the screen's file format; empty when there is nothing worth keeping.
    virtual QStringList recoveryLines() const { return {}; }
    // Loads a recovery copy as unsaved work; false when the lines cannot be read.
    virtual bool restoreRecovery(const QStringList &) { return false; }

    // The keys of undo (Ctrl+Z) and redo (Ctrl+Y, the Windows habit, and Ctrl+Shift+Z).
    static QList<QKeySequence> undoKeys();
    static QList<QKeySequence> redoKeys();

    virtual void F_stepClick();
    virtual void B_stepClick();
    virtual void shutdownClick();
    virtual void shutdown1Click();
    virtual void setupClick();
    virtual void naviClick();

    const Destination &previousScreen() const { return m_previous; }
    const Destination &nextScreen() const { return m_next; }
    Destination menuDestination();

    void closeNavigator();
    // Ends the application: closes this window and asks for the main window to close.
    // Screens quit through this, never through close(), which counts as a close from outside
    // (see closeEvent).
    void quitApplication();

    // One button of a screen's command column: where it sits, what it says, its hint (the
    // part before "|" shows on the pointer, the whole stays in the property "hint" for
    // screens that show hints themselves) and what a click does.
    template <typename Screen>
    struct Command
    {
        PictureButton *&button;
        const char16_t *name;
        QRect place;
        const char16_t *caption;
        QString hint;
        void (Screen::*click)();
    };

    template <typename Screen>
    void addCommandButtons(Screen *screen, std::initializer_list<Command<Screen>> commands)
    {
        for (const Command<Screen> &c : commands) {
            c.button = addButton(QString::fromUtf16(c.name), c.place, QString::fromUtf16(c.caption), c.hint);
            c.button->setProperty("hint", c.hint);
            connect(c.button, &PictureButton::clicked, screen, c.click);
        }
    }

    void showEvent(QShowEvent *event) override;
    // A close from outside (the window manager) is the quit button: with the menu hidden,
    // the program would otherwise go on running with no window at all.
    void closeEvent(QCloseEvent *event) override;

    PictureButton *setup = nullptr;
    PictureButton *shutdown = nullptr;
    PictureButton *shutdown1 = nullptr;
    PictureButton *navi = nullptr;
    PictureButton *B_step = nullptr;
    PictureButton *F_step = nullptr;

private:
    void offerRecovery();

    std::unique_ptr<RecoveryCopy> m_recovery;
    bool m_offerRecovery = false;
    int m_navigatorTag;
    Destination m_previous;
    Destination m_next;
    QPointer<QWidget> m_anchor;
    bool m_quitting = false;
};
