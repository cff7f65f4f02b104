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

namespace {

constexpr int textPixels = 11;

QLabel *text(const QString &t, QWidget *parent, const QString &style = {})
{
    auto *label = new QLabel(t, parent);
    label->setWordWrap(false);
    QFont f = label->font();
    f.setPixelSize(textPixels);
    label->setFont(f);
    if (!style.isEmpty())
        label->setStyleSheet(style);
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
    f.setPixelSize(textPixels);
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
    for (int i = 0; i < swatchCount; ++i) {
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
    p.PageControl1->setObjectName(QStringLiteral("PageControl1"));
    const PictureButton::ErrorNumbers numbers{pressNumber, releaseNumber};

    // 0: execution method
    {
        QWidget *w = page(p.PageControl1);
        auto *outer = column(w, 2);
        auto *group = new QGroupBox(QStringLiteral("命令の実行方法"), w);
        outer->addWidget(group);
        auto *layout = column(group, 4);
        QLabel *note = text(QStringLiteral("STEP2・3　アイコン　・　STEP5　ライン入力\nでの動作設定です。"),
                            group, QStringLiteral("color: red;"));
        note->setAlignment(Qt::AlignCenter);
        layout->addWidget(note);
        layout->addWidget(text(QStringLiteral("\nこの設定はソフトの再起動後に有効になります。\n"), group,
                               QStringLiteral("color: blue;")));
        p.RadioButton1 = new QRadioButton(QStringLiteral("実行ボタンを押すと同時に実行する。"), group);
        p.RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
        p.RadioButton2 = new QRadioButton(QStringLiteral("実行ボタンを押した後"), group);
        p.RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
        layout->addWidget(p.RadioButton1);
        layout->addWidget(p.RadioButton2);
        QLabel *line = text(QStringLiteral("本体の前スイッチを押して実行する。"), group);
        line->setContentsMargins(20, 0, 0, 0);
        layout->addWidget(line);
        QLabel *magenta = text(QStringLiteral("本体の前SWを押すまで動作しません。"), group,
                               QStringLiteral("color: magenta;"));
        magenta->setContentsMargins(20, 0, 0, 0);
        layout->addWidget(magenta);
        layout->addStretch();
    }
    // 1: port
    {
        QWidget *w = page(p.PageControl1);
        auto *layout = column(w, 4);
        layout->setSpacing(3);
        layout->addWidget(text(QStringLiteral("プログラムデータを出力するために\nシリアルポートの設定をします。"),
                               w, QStringLiteral("font-weight: bold;")));
        layout->addWidget(text(QStringLiteral("※シリアルポートの設定が間違っていると\n　 データの転送が出来ません。"),
                               w, QStringLiteral("color: red;")));
        layout->addWidget(text(QStringLiteral("インタ・フェースを接続したポートを\n選択して下さい。"), w));
        p.RadioGroup1 = new QGroupBox(QStringLiteral("シリアルポート名"), w);
        p.RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
        auto *grid = new QGridLayout(p.RadioGroup1);
        grid->setContentsMargins(6, 2, 6, 2);
        grid->setVerticalSpacing(0);
        p.portChoices = new QButtonGroup(p.RadioGroup1);
        for (int i = 0; i < 4; ++i) {
            auto *radio = new QRadioButton(QStringLiteral("COM%1").arg(i + 1), p.RadioGroup1);
            radio->setObjectName(QStringLiteral("COM%1").arg(i + 1));
            p.portChoices->addButton(radio, i);
            QLabel *device = text(QString(), p.RadioGroup1, QStringLiteral("color: #505050; font-size: 9px;"));
            device->setObjectName(QStringLiteral("COM%1device").arg(i + 1));
            device->setFixedWidth(118);
            p.portDevices.append(device);
            // Two columns: COM1 and COM2 on the left, COM3 and COM4 on the right.
            const int row = (i % 2) * 2;
            grid->addWidget(radio, row, i / 2);
            grid->addWidget(device, row + 1, i / 2);
        }
        layout->addWidget(p.RadioGroup1);
        p.comport = new PictureButton(QStringLiteral("comport"), QRect(0, 0, 160, 30), numbers,
                                      QStringLiteral("COMポート名を更新"), w);
        p.comport->setFixedSize(160, 30);
        layout->addWidget(p.comport, 0, Qt::AlignHCenter);
        layout->addStretch();
    }
    // 2: speed
    {
        QWidget *w = page(p.PageControl1);
        auto *layout = column(w);
        layout->addWidget(text(QStringLiteral("フロアによって変化する\nロボットの移動量を調整します"), w,
                               QStringLiteral("font-weight: bold;")));
        layout->addWidget(text(QStringLiteral("車輪の速度（10～50）"), w));
        auto *row = new QHBoxLayout;
        row->addWidget(text(QStringLiteral("  10\n(速い)"), w));
        p.LMDTrackBar1 = new QSlider(Qt::Horizontal, w);
        p.LMDTrackBar1->setObjectName(QStringLiteral("LMDTrackBar1"));
        p.LMDTrackBar1->setRange(10, 50);
        p.LMDTrackBar1->setTickPosition(QSlider::TicksBelow);
        p.LMDTrackBar1->setTickInterval(5);
        row->addWidget(p.LMDTrackBar1, 1);
        row->addWidget(text(QStringLiteral("  50\n(遅い)"), w));
        layout->addLayout(row);
        auto *speedRow = new QHBoxLayout;
        speedRow->setSpacing(0);
        const QString lime = QStringLiteral("color: lime; background: black; padding: 2px 6px;"
                                            " font-weight: bold;");
        speedRow->addStretch();
        speedRow->addWidget(text(QStringLiteral("速度"), w, lime));
        p.Label25 = text(QString(), w, lime);
        p.Label25->setObjectName(QStringLiteral("Label25"));
        p.Label25->setMinimumWidth(36);
        speedRow->addWidget(p.Label25);
        speedRow->addStretch();
        layout->addLayout(speedRow);
        layout->addWidget(text(QStringLiteral("※設定変更後は必ず動作テストを行ってください。"), w,
                               QStringLiteral("color: red; text-decoration: underline;")));
        p.dosatest = new PictureButton(QStringLiteral("dosatest"), QRect(0, 0, 160, 30), numbers,
                                       QStringLiteral("動作テスト"), w);
        p.dosatest->setFixedSize(160, 30);
        layout->addWidget(p.dosatest, 0, Qt::AlignHCenter);
        layout->addWidget(text(QStringLiteral("ロボットを安全な所に置いて\n動作テストボタンを押して下さい。"), w));
        layout->addStretch();
    }
    // 3: delete icon
    {
        QWidget *w = page(p.PageControl1);
        auto *layout = column(w);
        p.CheckBox1 = new QCheckBox(QStringLiteral("削除アイコンをドロップしたときに"), w);
        p.CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
        layout->addWidget(p.CheckBox1);
        QLabel *line = text(QStringLiteral("それ以降の命令を上に移動させる。"), w);
        line->setContentsMargins(20, 0, 0, 0);
        layout->addWidget(line);
        auto *picture = new QLabel(w);
        picture->setObjectName(QStringLiteral("Image2"));
        const QPixmap icon = ui::loadPictureQuietly(QStringLiteral("Photo\\Button\\Delete.bmp"));
        if (!icon.isNull())
            picture->setPixmap(icon);
        layout->addWidget(picture, 0, Qt::AlignHCenter);
        layout->addStretch();
    }
    // 4: editor overview
    {
        QWidget *w = page(p.PageControl1);
        auto *layout = column(w, 10);
        layout->addWidget(text(QStringLiteral("STEP4"), w, QStringLiteral("font-weight: bold; font-size: 16px;")));
        layout->addWidget(text(QStringLiteral("文字入力画面の設定をします"), w));
        for (const char16_t *item : {u"文字の大きさ", u"背景色", u"文字色", u"フォント名", u"コメント色"})
            layout->addWidget(text(QStringLiteral("・") + QString::fromUtf16(item), w));
        layout->addStretch();
    }
    // 5: font size
    {
        QWidget *w = page(p.PageControl1);
        auto *layout = column(w);
        layout->addWidget(text(QStringLiteral("STEP4の文字入力画面\nの文字の大きさを設定します"), w));
        auto *group = new QGroupBox(QStringLiteral("フォントサイズ"), w);
        auto *g = column(group, 8);
        g->addWidget(text(QStringLiteral("5～30ポイントの中から\n選択して下さい"), group));
        auto *row = new QHBoxLayout;
        p.SpinEdit1 = new QSpinBox(group);
        p.SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
        p.SpinEdit1->setRange(5, 30);
        row->addWidget(p.SpinEdit1);
        row->addWidget(text(QStringLiteral("ポイント"), group));
        row->addStretch();
        g->addLayout(row);
        layout->addWidget(group);
        layout->addStretch();
    }
    colourPage(p.PageControl1, QStringLiteral("STEP4の文字入力画面\nの背景の色を設定します"),
               QStringLiteral("背景色の設定"), 20, p.swatches);
    colourPage(p.PageControl1, QStringLiteral("STEP4の文字入力画面\nの文字の色を設定します"),
               QStringLiteral("文字の色設定"), 40, p.swatches);
    // 8: font name
    {
        QWidget *w = page(p.PageControl1);
        auto *layout = column(w);
        layout->addWidget(text(QStringLiteral("フォント名"), w));
        p.ListBox1 = new QListWidget(w);
        p.ListBox1->setObjectName(QStringLiteral("ListBox1"));
        layout->addWidget(p.ListBox1, 1);
        auto *row = new QHBoxLayout;
        row->addWidget(text(QStringLiteral("現在のフォント名"), w));
        p.Label9 = text(QString(), w, QStringLiteral("font-weight: bold;"));
        p.Label9->setObjectName(QStringLiteral("Label9"));
        row->addWidget(p.Label9, 1);
        layout->addLayout(row);
    }
    colourPage(p.PageControl1, QStringLiteral("STEP4の文字入力画面\nのコメント文字の色を設定します"),
               QStringLiteral("コメントの色設定"), 60, p.swatches);
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
