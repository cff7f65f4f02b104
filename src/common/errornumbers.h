// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every numbered warning box "(n)エラーが発生しました" of the system: the number tells the
// window and the guarded operation. Call sites name the constant, never the number.
namespace errors {

// Icon screen TForm1.
inline constexpr int ICON_DRAG = 101;          // start of dragging an icon
inline constexpr int ICON_DROP = 102;          // dropping an icon on a slot
inline constexpr int ICON_READ = 103;          // reading a program file
inline constexpr int ICON_CLEAR = 104;         // clearing the whole program (All_Delete)
inline constexpr int ICON_BUTTON_PRESS = 105;  // press of its picture buttons
inline constexpr int ICON_BUTTON_RELEASE = 106;
inline constexpr int ICON_VALUE_PRESS = 107;   // press of the time and angle buttons
inline constexpr int ICON_VALUE_RELEASE = 108;
inline constexpr int ICON_INSERT = 109;        // press of the insert button

// Program list TForm2.
inline constexpr int LIST_ROW = 201;           // drawing a row
inline constexpr int LIST_BUTTON_PRESS = 202;  // press, release of tojiru
inline constexpr int LIST_BUTTON_RELEASE = 203;

// Navigator TForm4.
inline constexpr int NAVI_SHOW = 401;          // showing it and loading its page

// Route preview TForm6.
inline constexpr int PREVIEW_SHOW = 601;
inline constexpr int PREVIEW_DRAW = 602;
inline constexpr int PREVIEW_CLOSE = 603;
inline constexpr int PREVIEW_BUTTON_PRESS = 604; // press, release of tojiru
inline constexpr int PREVIEW_BUTTON_RELEASE = 605;

// Settings TForm7.
inline constexpr int SETTINGS_LOAD = 701;
inline constexpr int SETTINGS_BUTTON_PRESS = 702;
inline constexpr int SETTINGS_BUTTON_RELEASE = 703;

// Remote control TForm8.
inline constexpr int REMOTE_BUTTON_RELEASE = 801;
inline constexpr int REMOTE_BUTTON_PRESS = 802;

// Text screen TForm9.
inline constexpr int TEXT_READ = 901;           // reading a program file or the sample
inline constexpr int TEXT_BUTTON_RELEASE = 902;
inline constexpr int TEXT_BUTTON_PRESS = 903;   // also opening and closing the help panel

// Route screen TForm10.
inline constexpr int ROUTE_REDRAW = 1001;
inline constexpr int ROUTE_FLOOR_PRESS = 1002;  // first guarded step of a press on the floor
inline constexpr int ROUTE_DESTROY = 1003;
inline constexpr int ROUTE_FLOOR_PRESS_2 = 1004; // second guarded step of a press on the floor
inline constexpr int ROUTE_READ = 1004;         // reading a program file
inline constexpr int ROUTE_ONE_DELETE = 1005;
inline constexpr int ROUTE_BUTTON_PRESS = 1006;
inline constexpr int ROUTE_BUTTON_RELEASE = 1007;

// Report TForm11.
inline constexpr int REPORT_CLOSE = 1101;
inline constexpr int REPORT_MAKE = 1102;        // making the report page (kettei)
inline constexpr int REPORT_BUTTON_PRESS = 1103;
inline constexpr int REPORT_BUTTON_RELEASE = 1104;

// Main menu TForm13.
inline constexpr int MENU_BUTTON_PRESS = 1201;
inline constexpr int MENU_BUTTON_RELEASE = 1202;

}
