#pragma once

#include <QtWidgets/QWidget>

#include "app/settings/colorvalue.h"
#include "app/settings/editorappearance.h"
#include "app/settings/settingspages.h"
#include "app/ui/picturewindow.h"

#include <QPointer>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;
class ColorSwatch;
class SettingsFile;
class Trs232c;

// TForm7, the settings screen: a tree of ten pages over set.ini, with previews of the STEP4
// editor look (Memo1 "Sample", Memo2 "//コメント"). Not modal. Every show loads the screen
// from set.ini (guarded, 701); OK writes every key, announces the editor look
// (editorAppearanceChanged, which the main menu hands to the text screen) and closes; cancel only closes. The port button re-opens the port at once; the operation
// test sends 6 and the slider's speed twice.
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

    ColorValue m_memo1Back = colors::clBlack;
    ColorValue m_memo1Text = colors::clWhite;
    ColorValue m_memo2Back = colors::clBlack;
    ColorValue m_memo2Text = colors::clLime;
    int m_memo1Size = 14;
    int m_memo2Size = 14;
    QString m_fontName = QStringLiteral("MS Pゴシック");
    bool m_busy = false;
};
