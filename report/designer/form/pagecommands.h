#pragma once
// The report-level page rules of the designer: tab texts, deleting a page
// with the sub-reports that show it, and the values of the page setup dialog.
#include <QString>
#include <QStringList>

class TvlPage;
class TvlReportLayout;

// One text per page: the name of the sub-report object that shows the page
// (looked for on every page), else "Strana" and the page number from 1.
QStringList vlPageTabTexts(const TvlReportLayout &report);

// Deletes the page and every sub-report object (on any page) that showed it;
// sub-reports of later pages are renumbered. The only page is cleared of its
// objects instead. False when index names no page.
bool vlDeletePage(TvlReportLayout &report, int index);

// The page setup dialog's values: millimetres as whole numbers.
struct TvlFormPageOptions
{
    bool Landscape = false;
    int PaperIndex = -1; // in the printer's paper list
    int PaperSize = 9;   // the code at that index (filled by the caller)
    int WidthMm = 0;     // user-defined paper (code 256) only
    int HeightMm = 0;
    int MarginMm[4] = {};   // left, top, right, bottom
    bool NoMargins = false; // "&Nepoužívat"
    bool PrintOnPreviousPage = false;
    int Columns = 1;
    int ColumnGapMm = 0;
    bool operator==(const TvlFormPageOptions &) const = default;
};

// Millimetres shown for design pixels (x 5 / 18, whole) and back (x 18 / 5).
int vlPixelsToMm(int pixels);
int vlMmToPixels(int mm);

// What the dialog shows for the page (the paper index from the printer's list).
TvlFormPageOptions vlPageOptionsOf(const TvlPage &page, const QList<int> &paperSizes);

// Applies confirmed values: a margin or gap whose millimetres were left as
// shown keeps its exact pixels, so confirming the dialog unchanged moves
// nothing; the paper goes to the page through TvlPage::ChangePaper.
void vlApplyPageOptions(TvlPage &page, const TvlFormPageOptions &shown, const TvlFormPageOptions &chosen);
