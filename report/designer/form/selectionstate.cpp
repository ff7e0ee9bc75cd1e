#include "report/designer/form/selectionstate.h"

#include "report/vlpage.h"

int vlSelectedCount(const TvlPage *page)
{
    int count = 0;
    if (page)
        for (const auto &view : page->Objects)
            count += view->Selected ? 1 : 0;
    return count;
}

int vlSelectionState(const TvlPage *page, bool clipboardEmpty)
{
    int state = clipboardEmpty ? 0 : ssClipboard;
    const int count = vlSelectedCount(page);
    if (count > 1)
        return state | ssSeveral;
    if (count == 1)
        for (const auto &view : page->Objects)
            if (view->Selected) {
                if (view->ObjectType == otBand)
                    state |= ssOneBand;
                else if (view->ObjectType == otMemo)
                    state |= ssOneMemo;
                else
                    state |= ssOneOther;
            }
    return state;
}

QHash<QString, bool> vlEnabledControls(int state)
{
    struct Group
    {
        int bits;
        QStringList names;
    };
    static const Group groups[] = {
        {ssOneMemo | ssOneOther | ssSeveral,
         {"FrB1", "FrB2", "FrB3", "FrB4", "FrB5", "FrB6", "ClB1", "ClB3", "E1", "SB1", "SB2", "StB1"}},
        {ssOneMemo | ssSeveral,
         {"ClB2", "C2", "C3", "FnB1", "FnB2", "FnB3", "AlB1", "AlB2", "AlB3", "AlB4", "AlB5", "AlB6", "AlB7", "AlB8",
          "HlB1"}},
        {ssOneBand | ssOneMemo | ssOneOther | ssSeveral,
         {"ZB1", "ZB2", "N32", "N33", "GB3", "CutB", "N11", "N2", "CopyB", "N12", "N1", "N27", "N5"}},
        {ssClipboard, {"PstB", "N13", "N3"}},
        {ssOneBand | ssOneMemo | ssOneOther, {"N36", "N6", "InspectorMemo"}},
    };
    QHash<QString, bool> enabled;
    for (const Group &group : groups)
        for (const QString &name : group.names)
            enabled.insert(name, (state & group.bits) != 0);
    return enabled;
}
