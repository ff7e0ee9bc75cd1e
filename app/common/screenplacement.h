#pragma once
// Dialogs open centred on the monitor that shows the program's main window,
// not on whichever monitor the window system picks.
class QScreen;
class QWidget;

// The monitor of the main window; the active window's or the primary one
// while there is no main window.
QScreen *MainWindowScreen();
// Moves a top-level window to the centre of that monitor's work area.
void CenterOnMainScreen(QWidget *window);
