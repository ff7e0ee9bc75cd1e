#pragma once
// The text of a grid column's (or a dataset field's) entry in the INI file,
// "index,width,visible", and the order the columns take when restored.
#include <QString>
#include <vector>

struct TGridColumnLayout
{
    int Index = 0;
    int Width = 0;
    bool Visible = true;
    bool operator==(const TGridColumnLayout &) const = default;
};

// "%d,%d,%d" with visible as 0 or 1.
QString GridLayoutEntry(const TGridColumnLayout &layout);

// The entry's words (separated by blanks or commas) override index, width
// and visibility in turn; a missing word, or one that is not a number, keeps
// the current value.
TGridColumnLayout ParseGridLayoutEntry(const QString &text, const TGridColumnLayout &current);

// The new order of columns given their wanted indexes (in their present
// order): for each position in turn, the first column that wants it is moved
// there. Returns the present indexes in their new order.
std::vector<int> GridLayoutOrder(const std::vector<int> &wantedIndexes);
