#pragma once
// Till rolls. A layout whose first page is a sheet of a custom size no wider
// than a till roll prints on a roll: it is built on a sheet as long as it
// needs, and every built page is cut to the length of what it holds, so the
// printer feeds no more paper than the document takes.
class TvlReport;

// Widest paper taken for a till roll, in tenths of a millimetre.
inline constexpr int RollMaxWidth = 1200;

bool IsRollLayout(const TvlReport &report);
// Makes every later build of the report follow the roll's length whenever
// the layout loaded then is a roll layout (other layouts build as they
// stand). The begin and end events keep their earlier handlers, which run
// first; calling it again changes nothing.
void FollowRollLength(TvlReport &report);
// Cuts every built page to the length of its content plus the bottom margin;
// a page is never made longer than its sheet.
void CutPagesToContent(TvlReport &report);
