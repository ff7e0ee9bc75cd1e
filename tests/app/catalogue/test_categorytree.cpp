// The category tree over a real database: lazy loading, finding a node down
// its path, renaming, removing, the default and dragging.
#include "app/catalogue/categoryeditor.h"
#include "app/catalogue/kategorie.h"
#include "app/common/formcontrols.h"
#include "data/dm_fixture.h"
#include "screenshots.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

class CategoryTree : public DataModuleTest
{
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        naradi = category(1, "Nářadí");
        klest = category(naradi, "Kleště");
        pilky = category(naradi, "Pilky");
        special = category(klest, "Speciální");
        barvy = category(1, "Barvy");
        chleb = category(1, "Chléb");
        hracky = category(1, "Hračky");
    }
    int category(int parent, const QString &name)
    {
        int id = 0;
        EXPECT_TRUE(dm->NewCategory(parent, name, "-", id)) << qPrintable(dm->LastErrorText());
        return id;
    }
    static QStringList childTexts(QTreeWidgetItem *node)
    {
        QStringList texts;
        for (int i = 0; i < node->childCount(); ++i)
            texts << node->child(i)->text(0);
        return texts;
    }
    template <class Form>
    std::unique_ptr<Form> tree()
    {
        return std::unique_ptr<Form>(TForm_KategorieStrom::CreateWithRoot<Form>(nullptr));
    }
    static int image(QTreeWidgetItem *node) { return static_cast<CategoryNode *>(node)->ImageIndex(); }

    int naradi = 0, klest = 0, pilky = 0, special = 0, barvy = 0, chleb = 0, hracky = 0;
};

TEST_F(CategoryTree, LevelsLoadWhenExpandedAndSortInCzechOrder)
{
    auto form = tree<TForm_KategorieStrom>();
    QTreeWidgetItem *root = form->TreeView->topLevelItem(0);
    EXPECT_EQ(root->text(0), "?");
    EXPECT_EQ(form->SelectedId(), 1);
    EXPECT_EQ(image(root), 1); // the default category
    EXPECT_EQ(childTexts(root), (QStringList{"Barvy", "Hračky", "Chléb", "Nářadí"}));
    QTreeWidgetItem *tools = form->LoadedNode(naradi);
    ASSERT_TRUE(tools);
    EXPECT_EQ(childTexts(tools), QStringList{"+"}); // not read yet
    EXPECT_EQ(childTexts(form->LoadedNode(barvy)), QStringList{});

    form->ExpandNode(tools);
    EXPECT_EQ(childTexts(tools), (QStringList{"Kleště", "Pilky"}));

    // Added by someone else after loading: shown only after "Obnovit".
    category(barvy, "Laky");
    form->ExpandNode(form->LoadedNode(barvy));
    EXPECT_EQ(childTexts(form->LoadedNode(barvy)), QStringList{});
    form->TreeView->setCurrentItem(form->LoadedNode(barvy));
    form->MenuItem_ObnovitClick();
    EXPECT_EQ(childTexts(form->LoadedNode(barvy)), QStringList{"Laky"});

    form->TreeViewMouseMove(form->LoadedNode(pilky));
    EXPECT_EQ(form->Label_StromKategorii->text(), QStringLiteral("Pilky - (%1)").arg(pilky));

    form->TreeView->setCurrentItem(root);
    form->MenuItem_NacistVseClick();
    EXPECT_TRUE(form->LoadedNode(special));
    Shoot(form.get(), "kategorie_strom");
}

TEST_F(CategoryTree, TheWindowOpensInTheMiddleOfTheScreen)
{
    auto form = tree<TForm_KategorieStrom>();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const QPoint offset = form->frameGeometry().center() - form->screen()->availableGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 4) << offset.x() << "," << offset.y() << " off the middle";
}

TEST_F(CategoryTree, FindNodeOpensEveryAncestor)
{
    auto form = tree<TForm_KategorieStrom>();
    EXPECT_FALSE(form->LoadedNode(special));
    QTreeWidgetItem *node = form->FindNode(special);
    ASSERT_TRUE(node);
    EXPECT_EQ(node->text(0), "Speciální");
    EXPECT_EQ(node->parent()->text(0), "Kleště");
    EXPECT_TRUE(node->parent()->isExpanded());
    EXPECT_EQ(form->FindNode(special), node); // loaded now: found as it is
    EXPECT_EQ(form->FindNode(99999), nullptr);
}

TEST_F(CategoryTree, RenamingRefusesASiblingsNameAndTheMissingRight)
{
    auto form = tree<TForm_KategorieStromEditace>();
    QTreeWidgetItem *saws = form->FindNode(pilky);
    saws->setText(0, "Kleště");
    form->TreeViewEdited(saws, "Pilky");
    EXPECT_EQ(saws->text(0), "Pilky");
    ASSERT_EQ(messages.count(MessageCall::Information), 1);
    EXPECT_EQ(messages.calls.last().heading, "Kategorie již existuje...");
    EXPECT_EQ(messages.calls.last().detail, "Přejmenování kategorie neproběhlo...");

    // The root has no siblings to clash with.
    QTreeWidgetItem *root = form->TreeView->topLevelItem(0);
    root->setText(0, "Nářadí");
    form->TreeViewEdited(root, "?");
    EXPECT_EQ(root->text(0), "Nářadí");
    EXPECT_EQ(dm->CategoryName(1), "Nářadí");

    sql("UPDATE tab_uzivatel_opravneni SET STATE_OPRAVNENI=false WHERE ID_OPRAVNENI=63");
    saws->setText(0, "Pily");
    form->TreeViewEdited(saws, "Pilky");
    EXPECT_EQ(saws->text(0), "Pilky");
    EXPECT_EQ(messages.calls.last().heading, "Funkce přejmenovat kategorii není dostupná...");
    EXPECT_EQ(dm->CategoryName(pilky), "Pilky");
}

TEST_F(CategoryTree, RenameInPlaceWritesWhenTheEditEnds)
{
    auto form = tree<TForm_KategorieStromEditace>();
    form->show();
    form->TreeView->setCurrentItem(form->FindNode(pilky));
    form->MenuItem_PrejmenovatClick();
    auto *editor = form->TreeView->findChild<QLineEdit *>();
    ASSERT_TRUE(editor);
    editor->setText("Pily");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(dm->CategoryName(pilky), "Pily");
    EXPECT_EQ(form->LoadedNode(pilky)->text(0), "Pily");
    // The picker never edits in place.
    auto picker = tree<TForm_KategorieStrom>();
    EXPECT_EQ(picker->TreeView->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(CategoryTree, AddEditAndRemoveThroughTheDialogs)
{
    auto form = tree<TForm_KategorieStromEditace>();
    EXPECT_EQ(Form_KategorieStromEditace, form.get());
    form->TreeView->setCurrentItem(form->LoadedNode(naradi)); // children not read yet
    {
        TForm_KategorieNova dialog;
        dialog.show();
        EXPECT_EQ(dialog.Edit_Specifikace->text(), "-");
        EXPECT_FALSE(dialog.Button_Ok->isEnabled());
        dialog.Edit_Kategorie->setText("Pilky");
        EXPECT_EQ(Hint(dialog.Edit_Kategorie), "Kategorie již existuje...");
        dialog.Edit_Kategorie->setText("Šroubováky");
        EXPECT_TRUE(dialog.Button_Ok->isEnabled());
        Shoot(&dialog, "kategorie_nova");
    }
    form->TreeView->setCurrentItem(form->FindNode(pilky));
    {
        TForm_KategorieEditace dialog;
        dialog.show();
        EXPECT_EQ(dialog.Edit_Kategorie->text(), "Pilky");
        dialog.Edit_Kategorie->setText("Kleště");
        EXPECT_TRUE(ShowHint(dialog.Edit_Kategorie));
        dialog.Edit_Kategorie->setText("Pilky"); // its own name
        EXPECT_FALSE(ShowHint(dialog.Edit_Kategorie));
    }

    // The root cannot go; a category goes with its subtree after "Ano".
    form->TreeView->setCurrentItem(form->TreeView->topLevelItem(0));
    form->MenuItem_OdebratClick();
    EXPECT_EQ(messages.calls.last().heading, "Kategorii nelze odebrat...");
    EXPECT_EQ(messages.calls.last().detail, "Kategorie \"?\" je kořenová...");
    EXPECT_TRUE(dm->CategoryExists(1));

    form->TreeView->setCurrentItem(form->FindNode(klest));
    Shoot(form.get(), "kategorie_strom_editace");
    form->PopupMenu_1->popup(form->mapToGlobal(QPoint(60, 60)));
    Shoot(form->PopupMenu_1, "kategorie_menu");
    form->PopupMenu_1->close();
    messages.answer(false);
    form->MenuItem_OdebratClick();
    EXPECT_TRUE(dm->CategoryExists(klest));
    messages.answer(true);
    form->MenuItem_OdebratClick();
    EXPECT_FALSE(dm->CategoryExists(klest));
    EXPECT_FALSE(dm->CategoryExists(special));
    EXPECT_EQ(form->SelectedId(), naradi);
    EXPECT_EQ(childTexts(form->LoadedNode(naradi)), QStringList{"Pilky"});
}

TEST_F(CategoryTree, DefaultMovesTheImageAndARefusalIsReported)
{
    auto form = tree<TForm_KategorieStromEditace>();
    form->TreeView->setCurrentItem(form->LoadedNode(barvy));
    form->MenuItem_VychoziClick();
    EXPECT_EQ(dm->DefaultCategoryId(), barvy);
    EXPECT_EQ(image(form->LoadedNode(barvy)), 1);
    EXPECT_EQ(image(form->TreeView->topLevelItem(0)), 0);
    form->MenuItem_VychoziClick(); // already the default: no message
    EXPECT_EQ(messages.count(MessageCall::Warning), 0);

    sql("ALTER TABLE tab_kategorie ADD CONSTRAINT jen_barvy CHECK (NOT STATE_VYCHOZI OR KATEGORIE = 'Barvy')");
    form->TreeView->setCurrentItem(form->LoadedNode(chleb));
    form->MenuItem_VychoziClick();
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    EXPECT_EQ(messages.calls.last().heading, "Transakce skončila s chybou...");
    EXPECT_TRUE(messages.calls.last().description.contains("jen_barvy"))
        << qPrintable(messages.calls.last().description);
    EXPECT_EQ(image(form->LoadedNode(barvy)), 1);
    EXPECT_EQ(image(form->LoadedNode(chleb)), 0);
    EXPECT_EQ(dm->DefaultCategoryId(), barvy);

    sql("UPDATE tab_uzivatel_opravneni SET STATE_OPRAVNENI=false WHERE ID_OPRAVNENI=59");
    form->MenuItem_VychoziClick();
    EXPECT_EQ(messages.calls.last().heading, "Funkce nastavit výchozí kategorii není dostupná...");
}

TEST_F(CategoryTree, DraggingChecksTargetsAndCopiesOrMoves)
{
    auto form = tree<TForm_KategorieStromEditace>();
    QTreeWidgetItem *pliers = form->FindNode(klest);
    form->TreeView->setCurrentItem(pliers);
    EXPECT_FALSE(form->TreeViewDragOver(pliers));                   // itself
    EXPECT_FALSE(form->TreeViewDragOver(form->LoadedNode(naradi))); // its parent
    EXPECT_FALSE(form->TreeViewDragOver(nullptr));                  // nothing under the mouse
    EXPECT_TRUE(form->TreeViewDragOver(form->LoadedNode(barvy)));
    category(barvy, "Kleště");
    EXPECT_FALSE(form->TreeViewDragOver(form->LoadedNode(barvy))); // a child of that name

    // Into its own subtree: a copy is offered, the server refuses it.
    const QString before = scalar("SELECT count(*) FROM tab_kategorie");
    form->TreeView->setCurrentItem(form->LoadedNode(naradi));
    form->TreeViewDragDrop(form->FindNode(special), QPoint(10, 10));
    EXPECT_FALSE(form->MenuItem_Presunout->isEnabled());
    form->PopupMenu_2->close();
    form->MenuItem_Kopirovat->trigger();
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    EXPECT_EQ(messages.calls.last().heading, "Transakce skončila s chybou...");
    EXPECT_EQ(messages.calls.last().detail, "Kopírování kategorie neproběhlo...");
    EXPECT_EQ(scalar("SELECT count(*) FROM tab_kategorie"), before);

    // A move elsewhere.
    form->TreeView->setCurrentItem(form->FindNode(pilky));
    form->TreeViewDragDrop(form->LoadedNode(hracky), QPoint(10, 10));
    EXPECT_TRUE(form->MenuItem_Presunout->isEnabled());
    form->PopupMenu_2->close();
    form->MenuItem_Presunout->trigger();
    EXPECT_EQ(form->LoadedNode(pilky)->parent(), form->LoadedNode(hracky));
    EXPECT_EQ(dm->CategoryPathName(pilky), "?\\Hračky\\Pilky");

    // A copy reads the target's children anew.
    form->TreeView->setCurrentItem(form->LoadedNode(hracky));
    form->TreeViewDragDrop(form->LoadedNode(chleb), QPoint(10, 10));
    form->PopupMenu_2->close();
    form->MenuItem_Kopirovat->trigger();
    EXPECT_EQ(childTexts(form->LoadedNode(chleb)), QStringList{"Hračky"});
    EXPECT_EQ(childTexts(form->LoadedNode(chleb)->child(0)), QStringList{"+"});

    sql("UPDATE tab_uzivatel_opravneni SET STATE_OPRAVNENI=false WHERE ID_OPRAVNENI=60");
    const int warnings = messages.count(MessageCall::Warning);
    form->TreeView->setCurrentItem(form->LoadedNode(barvy));
    form->TreeViewDragDrop(form->LoadedNode(hracky), QPoint(10, 10));
    EXPECT_EQ(messages.calls.last().heading, "Funkce kopírování nebo přesun kategorie není dostupná...");
    EXPECT_FALSE(form->PopupMenu_2->isVisible());
    EXPECT_EQ(messages.count(MessageCall::Warning), warnings);
}

} // namespace
