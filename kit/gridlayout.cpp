#include "kit/gridlayout.h"

#include "kit/kxutils.h"

#include <algorithm>

namespace {

const QString entryDelimiters = QStringLiteral(" ,");

int wordOr(const QString &text, int n, int current)
{
    bool ok = false;
    const int value = WordAt(n, text, entryDelimiters).toInt(&ok);
    return ok ? value : current;
}

} // namespace

QString GridLayoutEntry(const TGridColumnLayout &layout)
{
    return QStringLiteral("%1,%2,%3").arg(layout.Index).arg(layout.Width).arg(layout.Visible ? 1 : 0);
}

TGridColumnLayout ParseGridLayoutEntry(const QString &text, const TGridColumnLayout &current)
{
    TGridColumnLayout result;
    result.Index = wordOr(text, 1, current.Index);
    result.Width = wordOr(text, 2, current.Width);
    result.Visible = wordOr(text, 3, current.Visible ? 1 : 0) != 0;
    return result;
}

std::vector<int> GridLayoutOrder(const std::vector<int> &wantedIndexes)
{
    const int count = int(wantedIndexes.size());
    std::vector<int> order(wantedIndexes.size());
    for (int i = 0; i < count; ++i)
        order[size_t(i)] = i;
    for (int position = 0; position < count; ++position) {
        const auto wanted = std::find(wantedIndexes.begin(), wantedIndexes.end(), position);
        if (wanted == wantedIndexes.end())
            continue;
        const int column = int(wanted - wantedIndexes.begin());
        const auto from = std::find(order.begin(), order.end(), column);
        order.erase(from);
        order.insert(order.begin() + position, column);
    }
    return order;
}
