// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include "app/settings/colorvalue.h"
#include "app/settings/editorappearance.h"
#include "app/settings/settingskeys.h"
#include "app/settings/settingspages.h"
#include "app/ui/picturewindow.h"

#include <QPointer>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;
class ColorSwatch;
class SettingsFile;
struct SettingsValues;
class Trs232c;

// TForm7, the settings screen: a tree of ten pages over set.ini, with previews of the STEP4
// editor look (Memo1 "Sample", Memo2 "//コメント"). Not modal. Every show loads the screen
// from set.ini (guarded, 701); OK checks every value, writes the whole file at once (or
// nothing, naming the value it cannot store), announces the editor look and the accepted
// settings, and closes; cancel only closes. The port button re-opens the port at once; the
// operation test sends 6 and the slider's speed twice.
class SettingsScreen : public PictureWindow
{
    Q_OBJECT
public:
    explicit SettingsScreen(Trs232c *port);

    // Any window's setup button: shows the screen (loading it), or brings it forward.
    void showSettings();
    // The live state of the delete-icon option (CheckBox1), asked by the icon screen.
    bool deleteShiftsUp() const;

    // The preview's working values, which OK saves.
    ColorValue memo1Background() const { return m_memo1Back; }
    ColorValue memo1TextColor() const { return m_memo1Text; }
    ColorValue memo2TextColor() const { return m_memo2Text; }
    QString previewFontName() const { return m_fontName; }

signals:
    // OK has written every value: screens that read set.ini when shown read it again.
    void settingsAccepted();
    // OK: the STEP4 editor takes this look at once, whether or not its screen is shown.
    void editorAppearanceChanged(const EditorAppearance &appearance);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    void loadFrom(const SettingsFile &file);
    void TreeView1Change(QTreeWidgetItem *item);
    void PanelClick(ColorSwatch *swatch);
    void SpinEdit1Change(int value);
    void ListBox1Click(const QString &name);
    void okClick();
    SettingsValues valuesOnScreen() const;
    void showValues(const SettingsValues &values);
    void cancelClick();
    void comportClick();
    void dosatestClick();
    void refreshPortDevices();
    void showPreviews();
    void setBusy(bool busy);

    QPointer<Trs232c> m_port;
    SettingsPages m_pages;
    QTreeWidget *TreeView1 = nullptr;
    QLabel *Memo1 = nullptr;
    QLabel *Memo2 = nullptr;
    QWidget *Panel1 = nullptr;
    PictureButton *ok = nullptr;
    PictureButton *cancel = nullptr;

    // The preview's working values; they start as the key table's defaults.
    ColorValue m_memo1Back = defaultColor(SettingId::BackColor);
    ColorValue m_memo1Text = defaultColor(SettingId::FontColor);
    ColorValue m_memo2Back = defaultColor(SettingId::BackColor);
    ColorValue m_memo2Text = defaultColor(SettingId::ComentColor);
    int m_memo1Size = defaultInteger(SettingId::FontSize);
    int m_memo2Size = defaultInteger(SettingId::FontSize);
    QString m_fontName = defaultTextOf(SettingId::FontName);
    bool m_busy = false;
};
