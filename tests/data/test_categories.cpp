// The category tree: paths, lookups by path, copy, move and removal.
#include "schema_session.h"

class Categories : public DatabaseTest
{
protected:
    // ? > A > B > C, and ? > D
    void SetUp() override
    {
        a = call("tab_kategorie_NOVA_KATEGORIE", {1, "A", "a"});
        b = call("tab_kategorie_NOVA_KATEGORIE", {a, "B", "b"});
        c = call("tab_kategorie_NOVA_KATEGORIE", {b, "C", "c"});
        d = call("tab_kategorie_NOVA_KATEGORIE", {1, "D", "d"});
    }
    QString idPath(int id) { return text("tab_kategorie_func_PATH_ID_KATEGORIE", {id}); }
    QString namePath(int id) { return text("tab_kategorie_func_PATH_KATEGORIE", {id}); }
    QStringList tree()
    {
        return s->column("SELECT tab_kategorie_func_PATH_KATEGORIE(ID_KATEGORIE) FROM tab_kategorie ORDER BY 1");
    }
    int a = 0, b = 0, c = 0, d = 0;
};

TEST_F(Categories, PathsRunFromTheRoot)
{
    EXPECT_EQ(idPath(1), "1\\");
    EXPECT_EQ(idPath(c), QString("1\\%1\\%2\\%3\\").arg(a).arg(b).arg(c));
    EXPECT_TRUE(idPath(99).isNull());
    EXPECT_EQ(namePath(1), "?");
    EXPECT_EQ(namePath(c), "?\\A\\B\\C");
    EXPECT_EQ(namePath(99), "<neplatná>");
    call("tab_kategorie_PREJMENOVAT_KATEGORII", {d, ""});
    EXPECT_EQ(namePath(d), "<neplatná>");
}

// The path of names is walked a parent at a time: empty names above the
// category stay in it, and the root is sought up to a thousand parents up.
TEST_F(Categories, PathOfNamesReachesTheRootWithinAThousandParents)
{
    call("tab_kategorie_PREJMENOVAT_KATEGORII", {b, ""});
    EXPECT_EQ(namePath(c), "?\\A\\\\C");
    s->exec("CREATE TEMP TABLE retez (HLOUBKA integer, ID integer)");
    s->exec("DO $$ DECLARE v integer := 1; BEGIN FOR i IN 1..1001 LOOP"
            " INSERT INTO tab_kategorie (ID_NADKATEGORIE, KATEGORIE, SPECIFIKACE) VALUES (v, 'k' || i, '-')"
            " RETURNING ID_KATEGORIE INTO v; INSERT INTO retez VALUES (i, v); END LOOP; END $$");
    ASSERT_EQ(s->error(), "");
    const QString thousand = namePath(s->integer("SELECT ID FROM retez WHERE HLOUBKA = 1000"));
    EXPECT_TRUE(thousand.startsWith("?\\k1\\k2\\")) << qPrintable(thousand.left(20));
    EXPECT_TRUE(thousand.endsWith("\\k999\\k1000"));
    EXPECT_EQ(namePath(s->integer("SELECT ID FROM retez WHERE HLOUBKA = 1001")), "<neplatná>");
}

TEST_F(Categories, LookupByPathOfNames)
{
    EXPECT_EQ(call("tab_kategorie_ID_KATEGORIE", {"?\\A\\B\\C"}), c);
    EXPECT_EQ(call("tab_kategorie_ID_KATEGORIE", {"?\\a\\b"}), b);
    EXPECT_EQ(call("tab_kategorie_ID_KATEGORIE", {"?"}), 1);
    // The walk stops at the first missing name and keeps the last one found.
    EXPECT_EQ(call("tab_kategorie_ID_KATEGORIE", {"?\\A\\X\\C"}), a);
    EXPECT_EQ(call("tab_kategorie_ID_KATEGORIE", {"X\\A"}), 1);
    EXPECT_EQ(call("tab_kategorie_ID_KATEGORIE", {""}), 1);
    EXPECT_EQ(call("tab_kategorie_ID_KATEGORIE_EXISTUJE", {"?\\A\\B"}), b);
    EXPECT_EQ(call("tab_kategorie_ID_KATEGORIE_EXISTUJE", {"?\\A\\X"}), 0);
    EXPECT_EQ(call("tab_kategorie_ID_KATEGORIE_EXISTUJE", {"X\\A"}), 0);
    EXPECT_EQ(call("tab_kategorie_ID_KATEGORIE_EXISTUJE", {"?"}), 1);
}

TEST_F(Categories, CopyBringsTheSubtreeButNotTheItems)
{
    newItem("1", "1", "10", "?\\A\\B");
    EXPECT_EQ(call("tab_kategorie_LZE_KOPIROVAT_KATEGORII", {a, d}), 1);
    EXPECT_EQ(call("tab_kategorie_KOPIROVAT_KATEGORII", {a, d}), a);
    EXPECT_EQ(tree(),
              QStringList({"?", "?\\A", "?\\A\\B", "?\\A\\B\\C", "?\\D", "?\\D\\A", "?\\D\\A\\B", "?\\D\\A\\B\\C"}));
    EXPECT_EQ(s->value("SELECT SPECIFIKACE FROM tab_kategorie WHERE ID_KATEGORIE = $1",
                       {call("tab_kategorie_ID_KATEGORIE_EXISTUJE", {"?\\D\\A\\B"})}),
              "b");
    EXPECT_EQ(call("tab_polozka_POCET"), 1);
    // Not next to a sibling of the same name, not onto itself, not into its own subtree.
    EXPECT_EQ(call("tab_kategorie_LZE_KOPIROVAT_KATEGORII", {a, d}), 0);
    EXPECT_EQ(call("tab_kategorie_KOPIROVAT_KATEGORII", {a, d}), 0);
    EXPECT_EQ(call("tab_kategorie_KOPIROVAT_KATEGORII", {a, a}), 0);
    EXPECT_EQ(call("tab_kategorie_KOPIROVAT_KATEGORII", {a, c}), 0);
    EXPECT_EQ(call("tab_kategorie_KOPIROVAT_KATEGORII", {1, d}), 0);
    EXPECT_EQ(call("tab_kategorie_KOPIROVAT_KATEGORII", {a, 99}), 0);
    EXPECT_EQ(call("tab_kategorie_POCET"), 8);
}

TEST_F(Categories, MoveCarriesTheItemPaths)
{
    const int inB = newItem("1", "1", "10", "?\\A\\B");
    const int inC = newItem("2", "1", "10", "?\\A\\B\\C");
    const int inA = newItem("3", "1", "10", "?\\A");
    EXPECT_EQ(call("tab_kategorie_LZE_PRESUNOUT_KATEGORII", {b, d}), 1);
    EXPECT_EQ(call("tab_kategorie_PRESUNOUT_KATEGORII", {b, d}), b);
    EXPECT_EQ(namePath(c), "?\\D\\B\\C");
    const auto itemPath = [&](int item) {
        return s->value("SELECT PATH_ID_KATEGORIE FROM tab_polozka WHERE ID_POLOZKA = $1", {item});
    };
    EXPECT_EQ(itemPath(inB), idPath(b));
    EXPECT_EQ(itemPath(inC), idPath(c));
    EXPECT_EQ(itemPath(inA), idPath(a));
    // Under its own descendant, onto itself or the root anywhere: refused, nothing changes.
    EXPECT_EQ(call("tab_kategorie_LZE_PRESUNOUT_KATEGORII", {d, c}), 0);
    EXPECT_EQ(call("tab_kategorie_PRESUNOUT_KATEGORII", {d, c}), 0);
    EXPECT_EQ(call("tab_kategorie_PRESUNOUT_KATEGORII", {b, b}), 0);
    EXPECT_EQ(call("tab_kategorie_PRESUNOUT_KATEGORII", {1, a}), 0);
    EXPECT_EQ(namePath(c), "?\\D\\B\\C");
    // A sibling of the same name at the target refuses the move too.
    const int otherB = call("tab_kategorie_NOVA_KATEGORIE", {a, "b", "-"});
    EXPECT_EQ(call("tab_kategorie_PRESUNOUT_KATEGORII", {otherB, d}), 0);
}

TEST_F(Categories, RemovalSendsItemsAndStoresToTheRoot)
{
    const int inC = newItem("1", "1", "10", "?\\A\\B\\C");
    const int inA = newItem("2", "1", "10", "?\\A");
    const int inD = newItem("3", "1", "10", "?\\D");
    const int store = call("tab_sklad_NOVY_SKLAD", {c, "Sklad C"});
    EXPECT_EQ(call("tab_kategorie_ODEBRAT_KATEGORII", {a}), 1); // the former parent
    EXPECT_EQ(tree(), QStringList({"?", "?\\D"}));
    EXPECT_EQ(s->column("SELECT ID_KATEGORIE || ':' || PATH_ID_KATEGORIE FROM tab_polozka WHERE ID_POLOZKA IN ($1, $2)"
                        " ORDER BY ID_POLOZKA",
                        {inC, inA}),
              QStringList({"1:1\\", "1:1\\"}));
    EXPECT_EQ(s->value("SELECT PATH_ID_KATEGORIE FROM tab_polozka WHERE ID_POLOZKA = $1", {inD}), idPath(d));
    // Items that fell back to the root are inside the root's subtree again.
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_polozka WHERE starts_with(PATH_ID_KATEGORIE, '1\\')"), 3);
    EXPECT_EQ(call("tab_sklad_ID_KATEGORIE", {store}), 1);
    EXPECT_EQ(call("tab_kategorie_ODEBRAT_KATEGORII", {1}), 0);
    EXPECT_EQ(call("tab_kategorie_ODEBRAT_KATEGORII", {a}), 0);
    EXPECT_EQ(call("tab_kategorie_ODEBRAT_KATEGORII", {d}), 1);
    EXPECT_EQ(call("tab_kategorie_POCET"), 1);
}

TEST_F(Categories, RemovingSubcategoriesKeepsTheCategory)
{
    EXPECT_EQ(call("tab_kategorie_ODEBRAT_PODKATEGORIE", {a}), 1);
    EXPECT_EQ(tree(), QStringList({"?", "?\\A", "?\\D"}));
    EXPECT_EQ(call("tab_kategorie_KOPIROVAT_PODKATEGORIE", {1, a}), 0); // into its own subtree
    EXPECT_EQ(call("tab_kategorie_KOPIROVAT_PODKATEGORIE", {1, d}), 0);
    const int e = call("tab_kategorie_NOVA_KATEGORIE", {1, "E", "-"});
    EXPECT_EQ(call("tab_kategorie_KOPIROVAT_PODKATEGORIE", {e, a}), 1);
    const int f = call("tab_kategorie_NOVA_KATEGORIE", {a, "F", "-"});
    EXPECT_EQ(call("tab_kategorie_KOPIROVAT_PODKATEGORIE", {a, e}), 1);
    EXPECT_EQ(tree(), QStringList({"?", "?\\A", "?\\A\\F", "?\\D", "?\\E", "?\\E\\F"}));
    EXPECT_NE(f, 0);
}
