// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include <QPointer>

class QTextBrowser;

// TForm4, the learning navigator: a normal window titled "学習ナビ" with the help page of the
// screen that opened it. The caller hands over itself, its navigator button, its number (the
// Tag: 1 icon, 8 remote control, 9 text, 10 route, 13 menu) and the page it wants shown; the
// caller's navigator button stays disabled while the navigator is open.
class Navigator : public QWidget
{
    Q_OBJECT
public:
    explicit Navigator(QWidget *parent = nullptr);

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    // The caller's opening steps: moves the caller to the right edge, disables its navigator
    // button, sets the Tag and shows the navigator with page (relative to the program folder).
    void openFor(QWidget *caller, QWidget *callerButton, int tag, const QString &page);

    QString page() const { return m_page; }
    QWidget *caller() const { return m_caller; }
    // Closes the navigator if it is visible.
    void closeIfVisible();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormShow();

    QTextBrowser *WebBrowser1 = nullptr;
    QPointer<QWidget> m_caller;
    QPointer<QWidget> m_callerButton;
    QString m_page;
    int m_tag = 0;
};
