#pragma once
// A form's window placement in the profile: "Flags", "ShowCmd" (1 normal,
// 2 minimized, 3 maximized), "PixelsPerInch", "MinMaxPos" and "NormPos"
// ("left,top,right,bottom" of the normal geometry), the position keys written
// with and without the screen-size suffix. Restoring never puts a window off
// the visible screens, and only resizes where the window system places
// windows itself (Wayland).
#include <QRect>
#include <QString>

class QWidget;
class TPlacementProfile;

// The program's main window; until it is set every form counts as the main one.
void SetApplicationMainForm(QWidget *form);
QWidget *ApplicationMainForm();

void WriteWindowPlacement(QWidget *Form, TPlacementProfile *Profile, const QString &Section);
void ReadWindowPlacement(QWidget *Form, TPlacementProfile *Profile, const QString &Section, bool LoadState,
                         bool LoadPosition);

// The rectangle moved (and shrunk when needed) into the available area of the
// screen it overlaps most, or of the primary screen when it overlaps none.
QRect FitOnScreens(const QRect &rect);
int ScreenPixelsPerInch();
