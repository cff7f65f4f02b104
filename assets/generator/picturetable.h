// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every picture the application loads from its Photo folder, drawn by the generator at build
// time. The generator and the picture test both read this one table.
//
// name:    the file name as the application asks for it, with "\" as separator.
// size:    the size the window shows it at; where a window gives none, the one chosen here.
// draw:    how the generator draws it (each kind has one drawing routine).
// caption: the text on the picture, UTF-8; "|" separates its parts: on a button the pressed
//          picture's own text follows, on cards and notes one line follows the other.
// colour:  the main colour of the picture (0xRRGGBB).
// pressed: the picture also has a pressed picture, the same name with "-1" before the
//          extension.

#include <QString>
#include <QStringList>

namespace pictures {

enum class Draw {
    Backdrop,   // background of a whole window, with title band and panels behind the controls
    Picture,    // a fixed picture inside a window (splash, notes, input sheet)
    Button,     // picture button with a caption
    MenuButton, // wide bar of the main menu with a step badge
    Icon,       // 48x48 instruction icon, white outside the tile (white is the drag transparency)
    Key,        // key of the time and count keypad
    Angle,      // choice on the angle page
    Remote,     // drive picture of the remote control
    Marker,     // small picture on the floor or beside a list (start, goal, cone, ball)
    HelpCard,   // explanation picture of the text screen's help panel
    HelpItem,   // entry of the text screen's help list
    HelpEntry,  // entry of the text screen's help list, its left end free for the marker
    HelpCardSketch, // explanation picture with a small sketch of what it explains
};

struct Picture
{
    const char *name;
    int width;
    int height;
    Draw draw;
    const char *caption;
    unsigned colour;
    bool pressed;
};

inline constexpr Picture PICTURES[] = {
    // Window backgrounds. The caption is the window's title.
    {"Photo\\Back\\menu.jpg", 770, 578, Draw::Backdrop, "ステッピングモータロボット制御ソフト", 0x3d7fd9, false},
    {"Photo\\Back\\icon.jpg", 770, 578, Draw::Backdrop, "アイコンで プログラミング", 0xf08a24, false},
    {"Photo\\Back\\list.jpg", 770, 578, Draw::Backdrop, "プログラム いちらん", 0x1fa39a, false},
    {"Photo\\Back\\transfer.jpg", 446, 334, Draw::Backdrop, "プログラムを おくっています", 0x3d7fd9, false},
    {"Photo\\Back\\preview.jpg", 519, 550, Draw::Backdrop, "プレビュー", 0x24376b, false},
    {"Photo\\Back\\setup.jpg", 500, 350, Draw::Backdrop, "せってい", 0x5b6f8f, false},
    {"Photo\\Back\\remote.jpg", 770, 578, Draw::Backdrop, "リモコンモード", 0xe0533d, false},
    {"Photo\\Back\\text.jpg", 770, 578, Draw::Backdrop, "もじで プログラミング", 0x8a5bd6, false},
    {"Photo\\Back\\route.jpg", 770, 578, Draw::Backdrop, "ラインで プログラミング", 0x3aa35a, false},
    {"Photo\\Back\\report.jpg", 770, 578, Draw::Backdrop, "レポートを つくろう", 0xd9558f, false},

    // Fixed pictures inside windows.
    {"Photo\\Back\\splash.jpg", 400, 284, Draw::Picture, "ステッピングモータロボット制御ソフト|じゅんびちゅう…", 0x3d7fd9, false},
    {"Photo\\Back\\transfer_blink.jpg", 186, 45, Draw::Picture, "おくっています…", 0x3d7fd9, false},
    {"Photo\\Back\\setup_wait.jpg", 223, 87, Draw::Picture, "ポートを こうしんちゅう|しばらく まってね", 0x5b6f8f, false},
    {"Photo\\Back\\icon_slots.jpg", 294, 468, Draw::Picture, "", 0xf08a24, false},
    {"Photo\\Back\\icon_step2.jpg", 105, 106, Draw::Picture, "くりかえしと|スイッチは|STEP3で|つかえるよ", 0xf08a24, false},
    {"Photo\\Back\\report_sheet.jpg", 683, 475, Draw::Picture, "レポートの にゅうりょく", 0xd9558f, false},
    {"Photo\\Back\\Empty_image.bmp", 48, 48, Draw::Icon, "", 0xb9c3cf, false},

    // Main menu.
    {"Photo\\Button\\menu_navi.jpg", 508, 50, Draw::MenuButton, "@help|がくしゅうナビ|つかいかたを みる", 0xf2b705, true},
    {"Photo\\Button\\menu_setup.jpg", 508, 50, Draw::MenuButton, "@gear|せってい|ポートや スピードを きめる", 0x5b6f8f, true},
    {"Photo\\Button\\menu_icon1.jpg", 508, 50, Draw::MenuButton, "STEP2|アイコン 1|うごきの アイコンを ならべよう", 0xf08a24, true},
    {"Photo\\Button\\menu_icon2.jpg", 508, 50, Draw::MenuButton, "STEP3|アイコン 2|くりかえしと スイッチも つかおう", 0xe0662a, true},
    {"Photo\\Button\\menu_key.jpg", 508, 50, Draw::MenuButton, "STEP4|もじにゅうりょく|めいれいを もじで かこう", 0x8a5bd6, true},
    {"Photo\\Button\\menu_line.jpg", 508, 50, Draw::MenuButton, "STEP5|ラインにゅうりょく|みちを せんで かこう", 0x3aa35a, true},
    {"Photo\\Button\\menu_raji.jpg", 508, 50, Draw::MenuButton, "@pad|リモコンモード|ロボットを じかに うごかそう", 0xe0533d, true},
    {"Photo\\Button\\close1.jpg", 111, 30, Draw::Button, "おわる", 0xd64545, true},

    // Buttons every working screen has.
    {"Photo\\Button\\setup.jpg", 49, 30, Draw::Button, "せってい", 0x5b6f8f, true},
    {"Photo\\Button\\shutdown.jpg", 61, 29, Draw::Button, "メニュー", 0x3d7fd9, true},
    {"Photo\\Button\\shutdown1.jpg", 50, 29, Draw::Button, "おわる", 0xd64545, true},
    {"Photo\\Button\\F_step.jpg", 116, 29, Draw::Button, "つぎへ ▶", 0x2f9e55, true},
    {"Photo\\Button\\B_step.jpg", 116, 29, Draw::Button, "◀ もどる", 0x2f9e55, true},
    {"Photo\\Button\\navi.jpg", 120, 29, Draw::Button, "？ ヘルプ", 0xe8a400, true},

    // Command buttons of the programming screens (icon, text, route).
    {"Photo\\Button\\send.jpg", 92, 35, Draw::Button, "てんそう", 0xf08a24, true},
    {"Photo\\Button\\play.jpg", 92, 35, Draw::Button, "じっこう", 0x2f9e55, true},
    {"Photo\\Button\\trial.jpg", 92, 35, Draw::Button, "ためす", 0x2a8fbd, true},
    {"Photo\\Button\\Read.jpg", 92, 35, Draw::Button, "よみこみ", 0x3d7fd9, true},
    {"Photo\\Button\\Save.jpg", 92, 35, Draw::Button, "ほぞん", 0x3d7fd9, true},
    {"Photo\\Button\\Preview.jpg", 92, 35, Draw::Button, "プレビュー", 0x1fa39a, true},
    {"Photo\\Button\\All_View.jpg", 92, 35, Draw::Button, "いちらん", 0x1fa39a, true},
    {"Photo\\Button\\Report.jpg", 92, 35, Draw::Button, "いんさつ", 0xd9558f, true},
    {"Photo\\Button\\All_Delete.jpg", 92, 35, Draw::Button, "ぜんぶけす", 0x7a8596, true},
    {"Photo\\Button\\insert.jpg", 92, 35, Draw::Button, "ついか|ついかちゅう", 0x8a5bd6, true},
    {"Photo\\Button\\One_Delete.jpg", 92, 35, Draw::Button, "1つけす", 0x7a8596, true},
    {"Photo\\Button\\readsample.jpg", 92, 35, Draw::Button, "サンプル", 0x1fa39a, true},
    {"Photo\\Button\\kinou.jpg", 92, 35, Draw::Button, "くわしく", 0x8a5bd6, false},
    {"Photo\\Button\\kinou_back.jpg", 92, 35, Draw::Button, "かんたんに", 0x6b45b0, false},

    // Route screen: obstacles and zoom.
    {"Photo\\Button\\s_insert.jpg", 43, 31, Draw::Button, "コーン\nおく|おいてる\nとき", 0xf08a24, true},
    {"Photo\\Button\\s_delete.jpg", 43, 31, Draw::Button, "コーン\nけす", 0x7a8596, true},
    {"Photo\\Button\\large.jpg", 42, 31, Draw::Button, "＋", 0x3d7fd9, true},
    {"Photo\\Button\\small.jpg", 42, 31, Draw::Button, "－", 0x3d7fd9, true},
    // Route screen: its file, small beside the others (the same names with "_s").
    {"Photo\\Button\\Read_s.jpg", 43, 31, Draw::Button, "よみ\nこみ", 0x3d7fd9, false},
    {"Photo\\Button\\Save_s.jpg", 43, 31, Draw::Button, "ほぞん", 0x3d7fd9, false},

    // Program list and preview.
    {"Photo\\Button\\tojiru.jpg", 241, 31, Draw::Button, "とじる", 0x3d7fd9, true},

    // Remote control.
    {"Photo\\Button\\rajikon.jpg", 357, 62, Draw::Button, "リモコン スタート\nここを おしてから うごかそう", 0xe0533d, true},
    {"Photo\\Button\\rajikon_FL.jpg", 102, 102, Draw::Remote, "まえ ひだり", 0x3d7fd9, true},
    {"Photo\\Button\\rajikon_FF.jpg", 102, 102, Draw::Remote, "まえ", 0x3d7fd9, true},
    {"Photo\\Button\\rajikon_FR.jpg", 102, 102, Draw::Remote, "まえ みぎ", 0x3d7fd9, true},
    {"Photo\\Button\\rajikon_FLturn.jpg", 102, 102, Draw::Remote, "ひだり まわり", 0xf08a24, true},
    {"Photo\\Button\\rajikon_Stop.jpg", 102, 102, Draw::Remote, "とまる", 0xd64545, true},
    {"Photo\\Button\\rajikon_FRturn.jpg", 102, 102, Draw::Remote, "みぎ まわり", 0xf08a24, true},
    {"Photo\\Button\\rajikon_BL.jpg", 102, 102, Draw::Remote, "うしろ ひだり", 0x4b5fc4, true},
    {"Photo\\Button\\rajikon_BB.jpg", 102, 102, Draw::Remote, "うしろ", 0x4b5fc4, true},
    {"Photo\\Button\\rajikon_BR.jpg", 102, 102, Draw::Remote, "うしろ みぎ", 0x4b5fc4, true},

    // Settings.
    {"Photo\\Button\\ok.jpg", 94, 29, Draw::Button, "OK", 0x2f9e55, true},
    {"Photo\\Button\\cancel.jpg", 94, 29, Draw::Button, "キャンセル", 0x7a8596, true},
    {"Photo\\Button\\comport.jpg", 160, 30, Draw::Button, "ポートを こうしん", 0x3d7fd9, true},
    {"Photo\\Button\\dosatest.jpg", 160, 30, Draw::Button, "どうさテスト", 0xf08a24, true},
    {"Photo\\Button\\teacherguide.jpg", 112, 26, Draw::Button, "先生むけ せつめい", 0x5b6f8f, true},

    // Report.
    {"Photo\\Button\\kettei.jpg", 160, 40, Draw::Button, "レポートを つくる", 0xd9558f, true},
    {"Photo\\Button\\print.jpg", 70, 35, Draw::Button, "いんさつ", 0xd9558f, true},
    {"Photo\\Button\\pdf.jpg", 70, 35, Draw::Button, "PDFで\nほぞん", 0xc0392b, true},
    {"Photo\\Button\\p_back.jpg", 70, 35, Draw::Button, "もどる", 0x2f9e55, true},
    // The report's own close button: it only closes the report, so it must not look like quit.
    {"Photo\\Button\\report_close.jpg", 50, 29, Draw::Button, "とじる", 0x3d7fd9, true},

    // Instruction icons: palette, slots, list, preview and route arrows (FF points up).
    {"Photo\\Button\\FF.bmp", 48, 48, Draw::Icon, "まえ", 0x3d7fd9, false},
    {"Photo\\Button\\BB.bmp", 48, 48, Draw::Icon, "うしろ", 0x4b5fc4, false},
    {"Photo\\Button\\FL.bmp", 48, 48, Draw::Icon, "まえ ひだり", 0x2f9e55, false},
    {"Photo\\Button\\FR.bmp", 48, 48, Draw::Icon, "まえ みぎ", 0x2f9e55, false},
    {"Photo\\Button\\BL.bmp", 48, 48, Draw::Icon, "うしろ ひだり", 0x1f8a7a, false},
    {"Photo\\Button\\BR.bmp", 48, 48, Draw::Icon, "うしろ みぎ", 0x1f8a7a, false},
    {"Photo\\Button\\L_Turn.bmp", 48, 48, Draw::Icon, "ひだり まわり", 0xf08a24, false},
    {"Photo\\Button\\R_Turn.bmp", 48, 48, Draw::Icon, "みぎ まわり", 0xf08a24, false},
    {"Photo\\Button\\Stop.bmp", 48, 48, Draw::Icon, "止", 0xd64545, false},
    {"Photo\\Button\\Repeat_Start.bmp", 48, 48, Draw::Icon, "はじめ", 0x8a5bd6, false},
    {"Photo\\Button\\Repeat_End.bmp", 48, 48, Draw::Icon, "おわり", 0x8a5bd6, false},
    {"Photo\\Button\\Delete.bmp", 48, 48, Draw::Icon, "けす", 0x7a8596, false},
    {"Photo\\Button\\F_Off_Start.bmp", 48, 48, Draw::Icon, "前SW|OFFの|あいだ", 0x1fa39a, false},
    {"Photo\\Button\\B_Off_Start.bmp", 48, 48, Draw::Icon, "後SW|OFFの|あいだ", 0xb7791f, false},
    {"Photo\\Button\\F_Off_End.bmp", 48, 48, Draw::Icon, "前SW|チェック|おわり", 0x1fa39a, false},
    {"Photo\\Button\\B_Off_End.bmp", 48, 48, Draw::Icon, "後SW|チェック|おわり", 0xb7791f, false},

    // Time and count keypad ("time_00" is the decimal point; "Image42" confirms).
    {"Photo\\Button\\time_0.bmp", 46, 38, Draw::Key, "0", 0x3d7fd9, true},
    {"Photo\\Button\\time_1.bmp", 46, 38, Draw::Key, "1", 0x3d7fd9, true},
    {"Photo\\Button\\time_2.bmp", 46, 38, Draw::Key, "2", 0x3d7fd9, true},
    {"Photo\\Button\\time_3.bmp", 46, 38, Draw::Key, "3", 0x3d7fd9, true},
    {"Photo\\Button\\time_4.bmp", 46, 38, Draw::Key, "4", 0x3d7fd9, true},
    {"Photo\\Button\\time_5.bmp", 46, 38, Draw::Key, "5", 0x3d7fd9, true},
    {"Photo\\Button\\time_6.bmp", 46, 38, Draw::Key, "6", 0x3d7fd9, true},
    {"Photo\\Button\\time_7.bmp", 46, 38, Draw::Key, "7", 0x3d7fd9, true},
    {"Photo\\Button\\time_8.bmp", 46, 38, Draw::Key, "8", 0x3d7fd9, true},
    {"Photo\\Button\\time_9.bmp", 46, 38, Draw::Key, "9", 0x3d7fd9, true},
    {"Photo\\Button\\time_00.bmp", 46, 38, Draw::Key, ".", 0x5b6f8f, true},
    {"Photo\\Button\\Image42.bmp", 46, 38, Draw::Key, "けってい", 0x2f9e55, false},

    // Angle page.
    {"Photo\\Button\\Turn_45.bmp", 70, 44, Draw::Angle, "45", 0xf08a24, true},
    {"Photo\\Button\\Turn_90.bmp", 70, 44, Draw::Angle, "90", 0xf08a24, true},
    {"Photo\\Button\\Turn_135.bmp", 70, 44, Draw::Angle, "135", 0xf08a24, true},
    {"Photo\\Button\\Turn_180.bmp", 70, 44, Draw::Angle, "180", 0xf08a24, true},
    {"Photo\\Button\\Turn_225.bmp", 70, 44, Draw::Angle, "225", 0xf08a24, true},
    {"Photo\\Button\\Turn_270.bmp", 70, 44, Draw::Angle, "270", 0xf08a24, true},
    {"Photo\\Button\\Turn_315.bmp", 70, 44, Draw::Angle, "315", 0xf08a24, true},
    {"Photo\\Button\\Turn_360.bmp", 70, 44, Draw::Angle, "360", 0xf08a24, true},
    {"Photo\\Button\\Enter.bmp", 140, 34, Draw::Key, "けってい", 0x2f9e55, false},

    // Route floor markers.
    {"Photo\\Button\\Start.bmp", 24, 24, Draw::Marker, "S", 0x2f9e55, false},
    {"Photo\\Button\\End.bmp", 24, 24, Draw::Marker, "G", 0xd64545, false},
    {"Photo\\Button\\piron.bmp", 25, 30, Draw::Marker, "", 0xf07a18, false},

    // Text screen: help list entries, their markers and the explanation pictures.
    {"Photo\\Button\\m1.jpg", 129, 19, Draw::HelpEntry, "きほんの うごき", 0x3d7fd9, false},
    {"Photo\\Button\\m3.jpg", 129, 19, Draw::HelpEntry, "スピード", 0x3d7fd9, false},
    {"Photo\\Button\\m4.jpg", 129, 19, Draw::HelpEntry, "くりかえし", 0x3d7fd9, false},
    {"Photo\\Button\\m5.jpg", 129, 19, Draw::HelpEntry, "じょうけん くりかえし", 0x3d7fd9, false},
    {"Photo\\Button\\m6.jpg", 129, 19, Draw::HelpEntry, "じょうけん ぶんき", 0x3d7fd9, false},
    {"Photo\\Button\\m_1.jpg", 120, 19, Draw::HelpEntry, "きほんの うごき", 0x8a5bd6, false},
    {"Photo\\Button\\m_3.jpg", 120, 19, Draw::HelpEntry, "スピード", 0x8a5bd6, false},
    {"Photo\\Button\\m_4.jpg", 120, 19, Draw::HelpEntry, "くりかえし", 0x8a5bd6, false},
    {"Photo\\Button\\m_8.jpg", 120, 19, Draw::HelpEntry, "ioの せってい", 0x8a5bd6, false},
    {"Photo\\Button\\m_7.jpg", 120, 19, Draw::HelpEntry, "ioの どうさ", 0x8a5bd6, false},
    {"Photo\\Button\\m51.jpg", 120, 19, Draw::HelpEntry, "じょうけん くりかえし", 0x8a5bd6, false},
    {"Photo\\Button\\m_5.jpg", 96, 17, Draw::HelpEntry, "スイッチ (SW)", 0xa07be0, false},
    {"Photo\\Button\\m_9.jpg", 96, 17, Draw::HelpEntry, "io", 0xa07be0, false},
    {"Photo\\Button\\m61.jpg", 120, 19, Draw::HelpEntry, "じょうけん ぶんき", 0x8a5bd6, false},
    {"Photo\\Button\\m_6.jpg", 96, 17, Draw::HelpEntry, "スイッチ (SW)", 0xa07be0, false},
    {"Photo\\Button\\m_10.jpg", 96, 17, Draw::HelpEntry, "io", 0xa07be0, false},
    {"Photo\\Button\\ball.bmp", 20, 19, Draw::Marker, "", 0xf2b705, false},
    {"Photo\\Button\\ball1.bmp", 20, 19, Draw::Marker, "", 0xf2b705, false},
    {"Photo\\Button\\s_ball.bmp", 15, 15, Draw::Marker, "", 0xe0533d, false},

    // Explanation pictures. Caption: title, then the example lines (code first, "#" before a
    // line of explanation).
    {"Photo\\Button\\key\\m_1.jpg", 172, 206, Draw::HelpCardSketch,
     "きほんの うごき|motor(fwd,fwd)|wait(10)|#motor(ひだり,みぎ)|#fwd まえ  rev うしろ|#stop とまる|"
     "#wait(10) で 1びょう|#motorの つぎは wait", 0x3d7fd9, false},
    {"Photo\\Button\\key\\m_3.jpg", 172, 206, Draw::HelpCardSketch,
     "スピード|speed(20,20)|#speed(ひだり,みぎ)|#1から255まで|#ちいさいほど はやい|"
     "#ゆかに あわせて|#えらんでね", 0x3d7fd9, false},
    {"Photo\\Button\\key\\m_4.jpg", 172, 206, Draw::HelpCardSketch,
     "くりかえし|loop(3)|  motor(fwd,fwd)|  wait(10)|endloop|#loop と endloop の|"
     "#あいだを 3かい|#くりかえすよ", 0x8a5bd6, false},
    {"Photo\\Button\\key\\m_5.jpg", 172, 206, Draw::HelpCardSketch,
     "スイッチで くりかえし|while(sw1=off)|  motor(fwd,fwd)|  wait(1)|endwhile|"
     "#前SW(sw1)が OFFの|#あいだ くりかえす|#while(1) は ずっと", 0x1fa39a, false},
    {"Photo\\Button\\key\\m_9.jpg", 172, 206, Draw::HelpCardSketch,
     "ioで くりかえし|setio1(in)|while(io1=lo)|  motor(fwd,fwd)|  wait(1)|endwhile|"
     "#io1が loの あいだ|#くりかえす (hi/lo)", 0x1fa39a, false},
    {"Photo\\Button\\key\\m_6.jpg", 172, 206, Draw::HelpCardSketch,
     "スイッチで わかれる|if(sw2=on)|  motor(fwd,fwd)|  wait(10)|elseif|  motor(stop,stop)|"
     "  wait(10)|endif|#後SW(sw2)が ONなら|#うえ、ちがえば した", 0xe0662a, false},
    {"Photo\\Button\\key\\m_10.jpg", 172, 206, Draw::HelpCardSketch,
     "ioで わかれる|setio2(in)|if(io2=hi)|  io1(on)|  wait(5)|elseif|  io1(off)|  wait(5)|endif|"
     "#io2が hiなら うえ", 0xe0662a, false},
    {"Photo\\Button\\key\\m_8.jpg", 172, 206, Draw::HelpCardSketch,
     "ioの せってい|setio1(out)|setio2(in)|#out … だす がわ|#in … よむ がわ|"
     "#さいしょに きめよう", 0xb7791f, false},
    {"Photo\\Button\\key\\m_7.jpg", 172, 206, Draw::HelpCardSketch,
     "ioの どうさ|setio1(out)|io1(on)|wait(10)|io1(off)|wait(10)|#io1を ON/OFF する|"
     "#つぎは かならず wait", 0xb7791f, false},
};

// Desktop icons of the installed program (menu entry, window list, software centre): PNG
// with a transparent outside, one file per size the desktops look for, written into the icon
// theme folder (hicolor/<n>x<n>/apps/<name>.png) rather than the program folder.
inline constexpr int APP_ICON_SIZES[] = {16, 22, 24, 32, 48, 64, 128, 256};
inline constexpr char APP_ICON_NAME[] = "jp.rk25.RK25";

// The path of a picture below the program folder ("/" separators, as on disk).
inline QString picturePath(const char *name)
{
    return QString::fromUtf8(name).replace(u'\\', u'/');
}

// The pressed picture's path: "-1" before the extension.
inline QString pressedPath(const char *name)
{
    QString path = picturePath(name);
    return path.insert(path.lastIndexOf(u'.'), QStringLiteral("-1"));
}

// Every file a row stands for: the picture, and its pressed picture where it has one.
inline QStringList pictureFiles(const Picture &picture)
{
    QStringList files{picturePath(picture.name)};
    if (picture.pressed)
        files << pressedPath(picture.name);
    return files;
}

}
