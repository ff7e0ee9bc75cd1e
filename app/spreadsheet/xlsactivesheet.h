#pragma once
// Which sheet a workbook in the .xls format marks active. The reading
// library lists the sheets but does not say which one the user last had in
// front of him, so the workbook's window record is read here: the compound
// file is opened by the structured-file library, and only the workbook
// stream's global records up to their end are looked at.
#include <QByteArray>

struct XlsSheetList
{
    // Index of the active sheet among all sheets, and among worksheets only
    // (charts and macro sheets left out); -1 when it is not a worksheet or
    // the workbook says nothing.
    int activeSheet = -1;
    int activeWorksheet = -1;
    int sheetCount = 0;
};

// Never throws: a workbook that cannot be read this way gives an empty list.
XlsSheetList ReadXlsSheetList(const QByteArray &bytes);
