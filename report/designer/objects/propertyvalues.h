#pragma once
// The inspector's rows for the selection: what they show (in the designer's
// units) and how a typed value changes the selected objects.
#include <QString>
#include <array>
#include <functional>
#include <vector>

class TvlView;
class Variant;

// The inspector's rows.
enum TvlInspectorRow : int {
    irName = 0,
    irLeft = 1,
    irTop = 2,
    irWidth = 3,
    irHeight = 4,
    irVisible = 5,
    irMemo = 6,
    irRowCount = 7
};
const std::array<QString, irRowCount> &vlInspectorRowNames();

// Units of the designer: 0 pixels, 1 millimetres, 2 inches.
enum TvlUnits : int { unPixels = 0, unMillimetres = 1, unInches = 2 };
double vlPixelsToUnits(int pixels, int units);
int vlUnitsToPixels(double value, int units);
// A position or size as the inspector shows it: pixels as an integer,
// millimetres and inches in fixed notation with 2 decimals.
QString vlUnitsText(int pixels, int units);

// A row whose selected objects disagree.
constexpr int vlValuesDiffer = -10000;

// Left, Top, Width, Height and Visible (1 or 0) of the selection: one
// object's own, or for several the topmost's where all agree and
// vlValuesDiffer where they do not. The name only for exactly one object.
struct TvlInspectorValues
{
    QString Name;
    int Left = vlValuesDiffer, Top = vlValuesDiffer, Width = vlValuesDiffer, Height = vlValuesDiffer;
    int Visible = vlValuesDiffer;
};
TvlInspectorValues vlInspectorValues(const std::vector<TvlView *> &selected);
// The seven buffers (the "Memo" row stays empty); nothing selected leaves all empty.
std::array<QString, irRowCount> vlInspectorTexts(const TvlInspectorValues &values, int units, bool anySelected);

// A number typed into rows 1-5 (already evaluated, in the designer's units)
// applied to every selected object. Left and Top take 0 up to the page's
// extent (exclusive), Width and Height more than 0 up to it; Visible is set
// or cleared by the value itself (not converted: 0 hides, any other shows).
// False when nothing took the value.
bool vlApplyInspectorNumber(int row, double value, int units, const std::vector<TvlView *> &selected, int pageWidth,
                            int pageHeight);

// Evaluates the typed text of rows 1-5 as an expression; the result's
// number and its text, or a Czech message why it is none.
struct TvlInspectorNumber
{
    bool Valid = false;
    double Value = 0;
    QString Text;
    QString Error;
};
TvlInspectorNumber vlEvaluateInspectorText(const QString &text,
                                           const std::function<Variant(const QString &)> &calculate);
