// Where on the category tree a dropped category lands: on a node's text, its
// icon or its indentation, never on the empty row right of the text or on a
// node's expand button.
#include "app/catalogue/categorytree.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

struct Drops
{
    CategoryTreeView view;
    CategoryNode *root = new CategoryNode(1, QStringLiteral("?"));
    CategoryNode *tools = new CategoryNode(2, QStringLiteral("Nářadí"));
    CategoryNode *pliers = new CategoryNode(3, QStringLiteral("Kleště"));
    QList<QTreeWidgetItem *> targets;

    Drops()
    {
        view.addTopLevelItem(root);
        root->addChild(tools);
        tools->addChild(pliers);
        view.expandAll();
        view.resize(420, 300);
        view.OnDragDrop = [this](QTreeWidgetItem *target, QPoint) { targets << target; };
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    // The node a drop at the point went to; nullptr when it did not count.
    QTreeWidgetItem *dropAt(int x, QTreeWidgetItem *row)
    {
        targets.clear();
        view.DropAt(QPoint(x, view.visualItemRect(row).center().y()));
        return targets.value(0);
    }
};

} // namespace

TEST(CategoryDrop, CountsOnTheNodeItselfAndItsIndentationOnly)
{
    Drops drops;
    const QRect pliersCell = drops.view.visualItemRect(drops.pliers);
    const int step = drops.view.indentation();
    EXPECT_EQ(drops.dropAt(pliersCell.left() + 2, drops.pliers), drops.pliers);  // its icon
    EXPECT_EQ(drops.dropAt(pliersCell.left() + 30, drops.pliers), drops.pliers); // its text
    EXPECT_EQ(drops.dropAt(step / 2, drops.pliers), drops.pliers);               // its indentation
    // Without children its last indentation step holds no button.
    EXPECT_EQ(drops.dropAt(pliersCell.left() - step / 2, drops.pliers), drops.pliers);

    EXPECT_EQ(drops.dropAt(drops.view.viewport()->width() - 4, drops.pliers), nullptr); // right of the text
    const QRect toolsCell = drops.view.visualItemRect(drops.tools);
    EXPECT_EQ(drops.dropAt(toolsCell.left() - step / 2, drops.tools), nullptr); // its expand button
    EXPECT_EQ(drops.dropAt(step / 2, drops.tools), drops.tools);

    drops.targets.clear();
    drops.view.DropAt(QPoint(10, drops.view.visualItemRect(drops.pliers).bottom() + 40)); // below every node
    EXPECT_TRUE(drops.targets.isEmpty());
}
