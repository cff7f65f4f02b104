// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/settingspages.h"

#include "app/settings/colorswatch.h"
#include "app/ui/picturebutton.h"
#include "app/ui/pictures.h"

#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSlider>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QStackedWidget>
#include <QtWidgets/QVBoxLayout>

#include <QPalette>

using namespace Qt::StringLiterals;

namespace {

constexpr int TEXT_PIXELS = 11;

QLabel *text(const QString &t, QWidget *parent, const QString &style = {})
{
    auto *label = new QLabel(t, parent);
    label->setWordWrap(false);
    QFont f = label->font();
    f.setPixelSize(TEXT_PIXELS);
    label->setFont(f);
    // A label with a style sheet takes its text colour from the desktop, not from the
    // screen's palette: it is given the screen's ink unless it names its own colour.
    if (!style.isEmpty())
        label->setStyleSheet(style.contains(u"color") ? style : u"color: rgb(30, 30, 30); "_s + style);
    return label;
}

QVBoxLayout *column(QWidget *w, int margin = 6)
{
    auto *layout = new QVBoxLayout(w);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(4);
    return layout;
}

QWidget *page(QStackedWidget *control)
{
    auto *w = new QWidget(control);
    QFont f = w->font();
    f.setPixelSize(TEXT_PIXELS);
    w->setFont(f);
    control->addWidget(w);
    return w;
}

QGroupBox *swatchGroup(const QString &title, int firstNumber, QWidget *parent,
                       QList<ColorSwatch *> &swatches)
{
    auto *group = new QGroupBox(title, parent);
    auto *grid = new QGridLayout(group);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(5);
    for (int i = 0; i < SWATCH_COUNT; ++i) {
        auto *swatch = new ColorSwatch(firstNumber + i, swatchColors()[i], group);
        grid->addWidget(swatch, i / 3, i % 3);
        swatches.append(swatch);
    }
    return group;
}

void colourPage(QStackedWidget *control, const QString &intro, const QString &title,
                int firstNumber, QList<ColorSwatch *> &swatches)
{
    QWidget *w = page(control);
    auto *layout = column(w);
    layout->addWidget(text(intro, w));
    layout->addWidget(swatchGroup(title, firstNumber, w, swatches));
    layout->addStretch();
}

}

SettingsPages buildSettingsPages(QWidget *parent, int pressNumber, int releaseNumber)
{
    SettingsPages p;
    p.PageControl1 = new QStackedWidget(parent);
    p.PageControl1->setObjectName(u"PageControl1"_s);
    const PictureButton::ErrorNumbers numbers{pressNumber, releaseNumber};

    // 0: execution method
    {
        QWidget *w = page(p.PageControl1);
        auto *outer = column(w, 2);
        auto *group = new QGroupBox(u"命令の実行方法"_s, w);
        outer->addWidget(group);
        auto *layout = column(group, 4);
        QLabel *note = text(u"STEP2・3　アイコン　・　STEP5　ライン入力\nでの動作設定です。"_s,
                            group, u"color: red;"_s);
        note->setAlignment(Qt::AlignCenter);
        layout->addWidget(note);
        layout->addWidget(text(u"\nこの設定はソフトの再起動後に有効になります。\n"_s, group,
                               u"color: blue;"_s));
        p.RadioButton1 = new QRadioButton(u"実行ボタンを押すと同時に実行する。"_s, group);
        p.RadioButton1->setObjectName(u"RadioButton1"_s);
        p.RadioButton2 = new QRadioButton(u"実行ボタンを押した後"_s, group);
        p.RadioButton2->setObjectName(u"RadioButton2"_s);
        layout->addWidget(p.RadioButton1);
        layout->addWidget(p.RadioButton2);
        QLabel *line = text(u"本体の前スイッチを押して実行する。"_s, group);
        line->setContentsMargins(20, 0, 0, 0);
        layout->addWidget(line);
        QLabel *magenta = text(u"本体の前SWを押すまで動作しません。"_s, group,
                               u"color: magenta;"_s);
        magenta->setContentsMargins(20, 0, 0, 0);
        layout->addWidget(magenta);
        layout->addStretch();
    }
    // 1: port
    {
        QWidget *w = page(p.PageControl1);
        auto *layout = column(w, 4);
        layout->setSpacing(3);
        layout->addWidget(text(u"プログラムデータを出力するために\nシリアルポートの設定をします。"_s,
                               w, u"font-weight: bold;"_s));
        layout->addWidget(text(u"※シリアルポートの設定が間違っていると\n　 データの転送が出来ません。"_s,
                               w, u"color: red;"_s));
        layout->addWidget(text(u"インタ・フェースを接続したポートを\n選択して下さい。"_s, w));
        p.RadioGroup1 = new QGroupBox(u"シリアルポート名"_s, w);
        p.RadioGroup1->setObjectName(u"RadioGroup1"_s);
        auto *grid = new QGridLayout(p.RadioGroup1);
        grid->setContentsMargins(6, 2, 6, 2);
        grid->setVerticalSpacing(0);
        p.portChoices = new QButtonGroup(p.RadioGroup1);
        for (int i = 0; i < 4; ++i) {
            auto *radio = new QRadioButton(u"COM%1"_s.arg(i + 1), p.RadioGroup1);
            radio->setObjectName(u"COM%1"_s.arg(i + 1));
            p.portChoices->addButton(radio, i);
            QLabel *device = text(QString(), p.RadioGroup1, u"font-size: 9px;"_s);
            device->setObjectName(u"COM%1device"_s.arg(i + 1));
            device->setTextFormat(Qt::RichText);
            device->setFixedWidth(122);
            device->setMinimumHeight(24);
            p.portDevices.append(device);
            // Two columns: COM1 and COM2 on the left, COM3 and COM4 on the right.
            const int row = (i % 2) * 2;
            grid->addWidget(radio, row, i / 2);
            grid->addWidget(device, row + 1, i / 2);
        }
        layout->addWidget(p.RadioGroup1);
        p.comport = new PictureButton(u"comport"_s, QRect(0, 0, 160, 30), numbers,
                                      u"COMポート名を更新"_s, w);
        p.comport->setFixedSize(160, 30);
        layout->addWidget(p.comport, 0, Qt::AlignHCenter);
        layout->addStretch();
    }
    // 2: speed
    {
        QWidget *w = page(p.PageControl1);
        auto *layout = column(w);
        layout->addWidget(text(u"フロアによって変化する\nロボットの移動量を調整します"_s, w,
                               u"font-weight: bold;"_s));
        layout->addWidget(text(u"車輪の速度（10～50）"_s, w));
        auto *row = new QHBoxLayout;
        row->addWidget(text(u"  10\n(速い)"_s, w));
        p.LMDTrackBar1 = new QSlider(Qt::Horizontal, w);
        p.LMDTrackBar1->setObjectName(u"LMDTrackBar1"_s);
        p.LMDTrackBar1->setRange(10, 50);
        p.LMDTrackBar1->setTickPosition(QSlider::TicksBelow);
        p.LMDTrackBar1->setTickInterval(5);
        row->addWidget(p.LMDTrackBar1, 1);
        row->addWidget(text(u"  50\n(遅い)"_s, w));
        layout->addLayout(row);
        auto *speedRow = new QHBoxLayout;
        speedRow->setSpacing(0);
        const QString lime = u"color: lime; background: black; padding: 2px 6px;"
                                            " font-weight: bold;"_s;
        speedRow->addStretch();
        speedRow->addWidget(text(u"速度"_s, w, lime));
        p.Label25 = text(QString(), w, lime);
        p.Label25->setObjectName(u"Label25"_s);
        p.Label25->setMinimumWidth(36);
        speedRow->addWidget(p.Label25);
        speedRow->addStretch();
        layout->addLayout(speedRow);
        layout->addWidget(text(u"※設定変更後は必ず動作テストを行ってください。"_s, w,
                               u"color: red; text-decoration: underline;"_s));
        p.dosatest = new PictureButton(u"dosatest"_s, QRect(0, 0, 160, 30), numbers,
                                       u"動作テスト"_s, w);
        p.dosatest->setFixedSize(160, 30);
        layout->addWidget(p.dosatest, 0, Qt::AlignHCenter);
        layout->addWidget(text(u"ロボットを安全な所に置いて\n動作テストボタンを押して下さい。"_s, w));
        layout->addStretch();
    }
    // 3: delete icon
    {
        QWidget *w = page(p.PageControl1);
        auto *layout = column(w);
        p.CheckBox1 = new QCheckBox(u"削除アイコンをドロップしたときに"_s, w);
        p.CheckBox1->setObjectName(u"CheckBox1"_s);
        layout->addWidget(p.CheckBox1);
        QLabel *line = text(u"それ以降の命令を上に移動させる。"_s, w);
        line->setContentsMargins(20, 0, 0, 0);
        layout->addWidget(line);
        auto *picture = new QLabel(w);
        picture->setObjectName(u"Image2"_s);
        const QPixmap icon = ui::loadPictureQuietly(u"Photo\\Button\\Delete.bmp"_s);
        if (!icon.isNull())
            picture->setPixmap(icon);
        layout->addWidget(picture, 0, Qt::AlignHCenter);
        layout->addStretch();
    }
    // 4: editor overview
    {
        QWidget *w = page(p.PageControl1);
        auto *layout = column(w, 10);
        layout->addWidget(text(u"STEP4"_s, w, u"font-weight: bold; font-size: 16px;"_s));
        layout->addWidget(text(u"文字入力画面の設定をします"_s, w));
        for (const char16_t *item : {u"文字の大きさ", u"背景色", u"文字色", u"フォント名", u"コメント色"})
            layout->addWidget(text(u"・"_s + QString::fromUtf16(item), w));
        layout->addStretch();
    }
    // 5: font size
    {
        QWidget *w = page(p.PageControl1);
        auto *layout = column(w);
        layout->addWidget(text(u"STEP4の文字入力画面\nの文字の大きさを設定します"_s, w));
        auto *group = new QGroupBox(u"フォントサイズ"_s, w);
        auto *g = column(group, 8);
        g->addWidget(text(u"5～30ポイントの中から\n選択して下さい"_s, group));
        auto *row = new QHBoxLayout;
        p.SpinEdit1 = new QSpinBox(group);
        p.SpinEdit1->setObjectName(u"SpinEdit1"_s);
        p.SpinEdit1->setRange(5, 30);
        row->addWidget(p.SpinEdit1);
        row->addWidget(text(u"ポイント"_s, group));
        row->addStretch();
        g->addLayout(row);
        layout->addWidget(group);
        layout->addStretch();
    }
    colourPage(p.PageControl1, u"STEP4の文字入力画面\nの背景の色を設定します"_s,
               u"背景色の設定"_s, 20, p.swatches);
    colourPage(p.PageControl1, u"STEP4の文字入力画面\nの文字の色を設定します"_s,
               u"文字の色設定"_s, 40, p.swatches);
    // 8: font name
    {
        QWidget *w = page(p.PageControl1);
        auto *layout = column(w);
        layout->addWidget(text(u"フォント名"_s, w));
        p.ListBox1 = new QListWidget(w);
        p.ListBox1->setObjectName(u"ListBox1"_s);
        layout->addWidget(p.ListBox1, 1);
        auto *row = new QHBoxLayout;
        row->addWidget(text(u"現在のフォント名"_s, w));
        p.Label9 = text(QString(), w, u"font-weight: bold;"_s);
        p.Label9->setObjectName(u"Label9"_s);
        row->addWidget(p.Label9, 1);
        layout->addLayout(row);
    }
    colourPage(p.PageControl1, u"STEP4の文字入力画面\nのコメント文字の色を設定します"_s,
               u"コメントの色設定"_s, 60, p.swatches);
    return p;
}

void selectPortIndex(const SettingsPages &pages, int index)
{
    if (index > 3)
        index = 3;
    if (index < 0) {
        // An exclusive group never lets the last choice go by itself.
        pages.portChoices->setExclusive(false);
        for (QAbstractButton *b : pages.portChoices->buttons())
            b->setChecked(false);
        pages.portChoices->setExclusive(true);
        return;
    }
    pages.portChoices->button(index)->setChecked(true);
}

int selectedPortIndex(const SettingsPages &pages)
{
    return pages.portChoices->checkedId();
}
