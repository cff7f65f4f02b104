#pragma once

// How the windows know each other. The main menu creates every window once at start-up and
// fills one AppWindows record as it goes; each window keeps a reference to that record (not a
// copy), so windows created later are reachable too. The serial port `rs232c1` is owned by the
// main menu and reached through `port`. Nobody but the main menu deletes anything here.
//
// The step chain: working screens derive from WorkingScreen (app/ui/workingscreen.h), which
// owns the standard buttons (F_step, B_step, shutdown, shutdown1, setup, navi) and moves
// between screens through leaveTo(). Before leaving, leaveTo() asks the screen's mayLeave()
// (the save question; false keeps the pupil where he is), closes a visible navigator, shows
// the target, hides the screen, then calls programLeft() (which empties the screen's program).

class MainMenu;
class Trs232c;
class ReportWindow;
class ProgramListWindow;
class TransferWindow;
class Navigator;
class PreviewWindow;
class SettingsScreen;
class IconScreen;
class SplashScreen;
class RemoteControlScreen;
class TextScreen;
class RouteScreen;

struct AppWindows
{
    MainMenu *menu = nullptr;          // TForm13
    Trs232c *port = nullptr;           // rs232c1, owned by the menu
    ReportWindow *report = nullptr;    // TForm11
    ProgramListWindow *programList = nullptr; // TForm2
    TransferWindow *transfer = nullptr;       // TForm3
    Navigator *navigator = nullptr;    // TForm4
    PreviewWindow *preview = nullptr;  // TForm6
    SettingsScreen *settings = nullptr; // TForm7
    IconScreen *icon = nullptr;        // TForm1
    SplashScreen *splash = nullptr;    // TForm5, the second instance that is never shown
    RemoteControlScreen *remote = nullptr; // TForm8
    TextScreen *text = nullptr;        // TForm9
    RouteScreen *route = nullptr;      // TForm10
};
