#pragma once
// The category tree's rules without its widgets: the path of IDs the data
// module hands over, the order of names, and which drops the tree accepts.
#include <QList>
#include <QString>

namespace CategoryRules {

// The IDs of "1\3\7\" (root first); empty for an empty or broken text.
QList<int> ParseIdPath(const QString &path);
// Names in Czech order ("ch" after "h", "č" after "c"), case second.
bool NameLess(const QString &a, const QString &b);

// A dragged category may be dropped on a target that is neither itself nor
// its parent and has no child of the dragged one's name.
bool DropAccepted(int draggedId, int draggedParentId, int targetId, bool nameTakenUnderTarget);
// Whether the target (given with its ancestors, root first) lies inside the
// dragged category's subtree: a move there is refused, a copy is offered.
bool InsideSubtree(const QList<int> &targetAncestry, int draggedId);

} // namespace CategoryRules
