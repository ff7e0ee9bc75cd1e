// Enter in the search dialogs always searches: on the text a dialog shows
// selected when it opens again, on a text the box completed from those found
// before, and on one typed anew; in the item search and in the document search.
#include "app/search/form_hledat.h"
#include "till_fixture.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

class SearchEnter : public TillTest
{
protected:
    // Clicks the grid's row of the key, and waits until the list stands on it.
    void clickRow(TKxDBGrid *grid, TMSSQLADOQuery *list, const QString &keyField, const QString &key)
    {
        const QPoint point = X11::OnGui([&] {
            const int column = list->snapshot()->columnIndex(keyField);
            for (int row = 0; row < grid->model()->rowCount(); ++row) {
                if (list->snapshot()->string(list->snapshotRow(row), column) == key)
                    return grid->viewport()->mapToGlobal(grid->visualRect(grid->model()->index(row, 1)).center());
            }
            return QPoint();
        });
        ASSERT_FALSE(point.isNull()) << qPrintable(key);
        X11::Input().Click(point);
        ASSERT_TRUE(X11::WaitUntil([&] { return list->FieldByName(keyField).AsString() == key; }));
    }
    // Ctrl+F from the list: the search dialog, once it has the keyboard.
    TForm_Hledat *openSearch(TKxDBGrid *grid)
    {
        X11::OnGui([&] { grid->setFocus(Qt::OtherFocusReason); });
        EXPECT_TRUE(X11::WaitUntil([&] { return grid->hasFocus(); }));
        X11::Input().Key("ctrl+f");
        auto *search = static_cast<TForm_Hledat *>(X11::WaitForModal("TForm_Hledat"));
        EXPECT_TRUE(search);
        return search;
    }
    // From the row of `from`, a search opened and the keys typed into it,
    // then Enter: the key of the row the list stands on once Enter found
    // `found` or the time ran out.
    QString enterFrom(const QString &from, const std::function<void(TForm_Hledat *)> &keys, const QString &found)
    {
        clickRow(grid, list, keyField, from);
        TForm_Hledat *search = openSearch(grid);
        if (!search)
            return QStringLiteral("(no search)");
        keys(search);
        X11::Input().Key("Return");
        X11::WaitUntil([&] { return list->FieldByName(keyField).AsString() == found; }, 4000);
        const QString key = X11::OnGui([&] { return list->FieldByName(keyField).AsString(); });
        if (key != found)
            X11::Screenshot(QStringLiteral("SearchEnter-") + keyField);
        X11::Input().Key("Escape");
        EXPECT_TRUE(X11::WaitUntil([&] { return !search->isVisible(); }));
        return key;
    }
    // Every way to the text ends in a search on Enter.
    void enterAlwaysSearches(const QString &from, const QString &text, const QString &found)
    {
        auto typed = [&](const QString &letters) {
            return [letters, text](TForm_Hledat *search) {
                X11::Input().Type(letters);
                X11::WaitUntil([&] { return search->ComboBox_Hledat->currentText() == text; });
            };
        };
        auto selected = [text](const char *select) {
            return [select, text](TForm_Hledat *search) {
                if (select)
                    for (const QString &key : QString::fromLatin1(select).split(u' '))
                        X11::Input().Key(key);
                EXPECT_TRUE(X11::WaitUntil([&] { return search->ComboBox_Hledat->lineEdit()->selectedText() == text; }))
                    << "the dialog shows the last text found selected";
            };
        };
        auto first = [&](TForm_Hledat *search) {
            if (column >= 0)
                X11::OnGui([&] { search->ComboBox_Prohledavat->setCurrentIndex(column); });
            typed(text)(search);
        };
        EXPECT_EQ(enterFrom(from, first, found), found) << "the first search";
        EXPECT_EQ(enterFrom(from, selected(nullptr), found), found) << "the text shown selected";
        EXPECT_EQ(enterFrom(from, selected("End shift+Home"), found), found) << "the text selected with Shift+Home";
        EXPECT_EQ(enterFrom(from, selected("ctrl+a"), found), found) << "the text selected with Ctrl+A";
        EXPECT_EQ(enterFrom(from, typed(text.left(1)), found), found) << "the text completed from its first letter";
        EXPECT_EQ(enterFrom(from, typed(text), found), found) << "the text typed anew";
    }

    // Tab from the box to the button: its name once it has the focus.
    QString tabTo(const char *button)
    {
        QString focus;
        for (int i = 0; i < 4 && focus != QLatin1String(button); ++i) {
            X11::Input().Key("Tab");
            X11::WaitUntil([&] { return (focus = focusName()) != QLatin1String("ComboBox_Hledat"); }, 1000);
            X11::WaitUntil([&] { return (focus = focusName()) == QLatin1String(button); }, 300);
        }
        return focus;
    }
    // A focused button takes Enter: "Zavřít" closes the dialog (with a text
    // or none, nothing searched), "Najít" searches.
    void focusedButtonsTakeEnter(const QString &from, const QString &text, const QString &found)
    {
        for (const QString &typed : {text, QString()}) {
            clickRow(grid, list, keyField, from);
            TForm_Hledat *search = openSearch(grid);
            ASSERT_TRUE(search);
            X11::Input().Key("ctrl+a");
            X11::Input().Key("BackSpace");
            X11::Input().Type(typed);
            ASSERT_TRUE(X11::WaitUntil([&] { return search->ComboBox_Hledat->currentText() == typed; }));
            ASSERT_EQ(tabTo("Button_Zavrit"), "Button_Zavrit");
            X11::Input().Key("Return");
            EXPECT_TRUE(X11::WaitUntil([&] { return !search->isVisible(); }, 4000))
                << "Enter on Zavřít, text: " << qPrintable(typed);
            if (search->isVisible()) {
                X11::Screenshot(QStringLiteral("SearchButtonEnter-") + keyField);
                X11::Input().Key("Escape");
                X11::WaitUntil([&] { return !search->isVisible(); });
            }
            EXPECT_EQ(X11::OnGui([&] { return list->FieldByName(keyField).AsString(); }), from) << "nothing searched";
        }
        clickRow(grid, list, keyField, from);
        TForm_Hledat *search = openSearch(grid);
        ASSERT_TRUE(search);
        if (column >= 0)
            X11::OnGui([&] { search->ComboBox_Prohledavat->setCurrentIndex(column); });
        X11::Input().Type(text);
        ASSERT_TRUE(X11::WaitUntil([&] { return search->ComboBox_Hledat->currentText() == text; }));
        ASSERT_EQ(tabTo("Button_Hledat"), "Button_Hledat");
        X11::Input().Key("Return");
        EXPECT_TRUE(X11::WaitUntil([&] { return list->FieldByName(keyField).AsString() == found; }, 4000));
        EXPECT_TRUE(X11::OnGui([&] { return search->isVisible(); }));
        X11::Input().Key("Escape");
        EXPECT_TRUE(X11::WaitUntil([&] { return !search->isVisible(); }));
    }

    TKxDBGrid *grid = nullptr;
    TMSSQLADOQuery *list = nullptr;
    QString keyField;
    int column = -1; // the column the first search chooses; -1: the one the dialog keeps
};

TEST_F(SearchEnter, EnterSearchesTheItemsWhateverWayTheTextCameIntoTheBox)
{
    for (const char *mark : {"00000001", "00000002", "00000003", "00000004", "00000005"})
        newItem(QString::fromLatin1(mark));
    sql(QStringLiteral("UPDATE tab_polozka SET POLOZKA = 'Řetěz 5 m' WHERE OZNACENI = '00000004';"
                       "UPDATE tab_polozka SET POLOZKA = 'Řetěz 10 m' WHERE OZNACENI = '00000005'"));
    dm->MSSQLADOQuery_Polozka->RequeryQuery();
    showWindow(0);
    grid = window->KxDBGrid_Polozka;
    list = dm->MSSQLADOQuery_Polozka;
    keyField = QStringLiteral("OZNACENI");
    X11::RunDriven([&] {
        ASSERT_TRUE(X11::WaitForWindow(window.get()));
        enterAlwaysSearches(QStringLiteral("00000001"), QStringLiteral("Řetěz"), QStringLiteral("00000004"));
        // Enter once more, once found: the next match
        const QString next = enterFrom(
            QStringLiteral("00000001"),
            [&](TForm_Hledat *search) {
                X11::Input().Key("Return");
                EXPECT_TRUE(X11::WaitUntil([&] { return search->Found() && list->RecNo() == 4; }));
                X11::Settle(300); // painted
                X11::Screenshot(QStringLiteral("SearchEnter-found"));
            },
            QStringLiteral("00000005"));
        EXPECT_EQ(next, QStringLiteral("00000005"));
    });
}

TEST_F(SearchEnter, EnterSearchesTheDocumentsWhateverWayTheTextCameIntoTheBox)
{
    const int plain = newItem(QStringLiteral("D1"));
    const int yellow = newItem(QStringLiteral("D2"));
    sql(QStringLiteral("UPDATE tab_polozka SET POLOZKA = 'Žlutá dodávka' WHERE ID_POLOZKA = %1").arg(yellow));
    for (const int item : {plain, plain, yellow, plain})
        sql(QStringLiteral(
                "SELECT tab_prodej_PRIDAT_EDITOVAT(%1, 0, 1, true); SELECT tab_prodej_PRODAT(1, false, '-', 0)")
                .arg(item));
    dm->MSSQLADOQuery_Doklad->RequeryQuery();
    const QString first = scalar(QStringLiteral("SELECT min(ID_DOKLAD) FROM tab_doklad"));
    const QString withYellow = scalar(
        QStringLiteral("SELECT ID_DOKLAD FROM tab_historie WHERE ID_DOKLAD > 0 AND ID_POLOZKA = %1").arg(yellow));
    showWindow(2);
    grid = window->KxDBGrid_Doklad;
    list = dm->MSSQLADOQuery_Doklad;
    keyField = QStringLiteral("ID_DOKLAD");
    column = 0; // "Vše": the lines' items too
    X11::RunDriven([&] {
        ASSERT_TRUE(X11::WaitForWindow(window.get()));
        enterAlwaysSearches(first, QStringLiteral("Žlutá"), withYellow);
    });
}

} // namespace

TEST_F(SearchEnter, AFocusedButtonTakesEnterInBothDialogs)
{
    const int plain = newItem(QStringLiteral("00000001"));
    const int chain = newItem(QStringLiteral("00000002"));
    sql(QStringLiteral("UPDATE tab_polozka SET POLOZKA = 'Řetěz 5 m' WHERE ID_POLOZKA = %1").arg(chain));
    for (const int item : {plain, chain})
        sql(QStringLiteral(
                "SELECT tab_prodej_PRIDAT_EDITOVAT(%1, 0, 1, true); SELECT tab_prodej_PRODAT(1, false, '-', 0)")
                .arg(item));
    dm->MSSQLADOQuery_Polozka->RequeryQuery();
    dm->MSSQLADOQuery_Doklad->RequeryQuery();
    const QString first = scalar(QStringLiteral("SELECT min(ID_DOKLAD) FROM tab_doklad"));
    const QString withChain =
        scalar(QStringLiteral("SELECT ID_DOKLAD FROM tab_historie WHERE ID_DOKLAD > 0 AND ID_POLOZKA = %1").arg(chain));
    showWindow(0);
    X11::RunDriven([&] {
        ASSERT_TRUE(X11::WaitForWindow(window.get()));
        grid = window->KxDBGrid_Polozka;
        list = dm->MSSQLADOQuery_Polozka;
        keyField = QStringLiteral("OZNACENI");
        focusedButtonsTakeEnter(QStringLiteral("00000001"), QStringLiteral("Řetěz"), QStringLiteral("00000002"));
        X11::OnGui([&] { window->MenuItem_PageClick(2); });
        grid = window->KxDBGrid_Doklad;
        list = dm->MSSQLADOQuery_Doklad;
        keyField = QStringLiteral("ID_DOKLAD");
        column = 0; // "Vše": the lines' items too
        focusedButtonsTakeEnter(first, QStringLiteral("Řetěz"), withChain);
    });
}
