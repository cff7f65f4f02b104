#pragma once

#include <QtWidgets/QWidget>

#include "app/ui/appwindows.h"

class QTextBrowser;
class PictureButton;

// TForm4, the learning navigator: a normal window titled "学習ナビ" with the help page of the
// screen that opened it. The caller's number is its Tag (1 icon, 8 remote control, 9 text,
// 10 route, 13 menu); the caller's navigator button stays disabled while it is open.
class Navigator : public QWidget
{
    Q_OBJECT
public:
    explicit Navigator(AppWindows &windows, QWidget *parent = nullptr);

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    // The caller's opening steps: moves the caller to the right edge, disables its navigator
    // button, sets the Tag and shows the navigator.
    void openFor(QWidget *caller, int tag);

    // The page for a Tag, relative to the program folder (empty for an unknown Tag).
    QString pageFor(int tag) const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *callerOf(int tag) const;
    PictureButton *naviButtonOf(int tag) const;
    void FormShow();

    AppWindows &m_windows;
    QTextBrowser *WebBrowser1 = nullptr;
    int m_tag = 0;
};
