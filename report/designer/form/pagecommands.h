#pragma once
// The report-level page rules of the designer: tab texts and deleting a
// page with the sub-reports that show it.
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
