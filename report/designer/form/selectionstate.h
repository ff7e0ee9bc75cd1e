#pragma once
// What is selected on the design page, as the designer's controls need it,
// and which controls each selection enables.
#include <QHash>
#include <QString>
#include <QStringList>

class TvlPage;

// Bits of the selection state.
enum TvlSelectionBit {
    ssOneBand = 1,
    ssOneMemo = 2,
    ssOneOther = 4, // one object that is neither band nor memo
    ssSeveral = 8,
    ssClipboard = 16, // the designer's clipboard holds something
};

// The state of the page's selected objects (their Selected flags).
int vlSelectionState(const TvlPage *page, bool clipboardEmpty);
int vlSelectedCount(const TvlPage *page);

// Every control the enable matrix governs, enabled or not for the state.
// "InspectorMemo" stands for the inspector's "Memo" row.
QHash<QString, bool> vlEnabledControls(int state);
