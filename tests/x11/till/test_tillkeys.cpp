// The main window at the real keyboard: typing into a grid to search, the
// menu bar from the keyboard, tab order, the search boxes following the row.
#include "app/main/notebook.h"
#include "app/search/form_filtry.h"
#include "app/search/form_hledat.h"
#include "kit/searchedit.h"
#include "till_fixture.h"

#include <QComboBox>
#include <QMenu>
#include <QMenuBar>

namespace {

class TillKeys : public TillTest
{};

TEST_F(TillKeys, LettersTypedFastIntoAGridAllReachTheSearch)
{
    newItem(QStringLiteral("K1"));
    showWindow(0);
    X11::RunDriven([&] {
        ASSERT_TRUE(X11::WaitForWindow(window.get()));
        auto *grid = named<TKxDBGrid>("KxDBGrid_Polozka");
        X11::OnGui([&] { grid->setFocus(Qt::OtherFocusReason); });
        ASSERT_TRUE(X11::WaitUntil([&] { return grid->hasFocus(); }));
        X11::Input().Type(QStringLiteral("Kla"), 0); // at once
        auto *search = static_cast<TForm_Hledat *>(X11::WaitForModal("TForm_Hledat"));
        ASSERT_TRUE(search);
        X11::Settle(300);
        EXPECT_EQ(X11::OnGui([&] { return search->ComboBox_Hledat->currentText(); }), QStringLiteral("Kla"));
        // What follows is typed on, not over it.
        X11::Input().Type(QStringLiteral("v"));
        EXPECT_TRUE(X11::WaitUntil([&] { return search->ComboBox_Hledat->currentText() == QStringLiteral("Klav"); }));
        X11::Input().Key("Escape");
        EXPECT_TRUE(X11::WaitUntil([&] { return !search->isVisible(); }));
    });
}

} // namespace

namespace {

TEST_F(TillKeys, TheSearchBoxesFollowTheRowWhenTheListOpensOrIsFiltered)
{
    newItem(QStringLiteral("M1"));
    newItem(QStringLiteral("M2"));
    dm->MSSQLADOQuery_Polozka->Close();
    showWindow(0);
    auto mirrored = [&] {
        return X11::OnGui([&] { return window->SearchEdit_Oznaceni->text() + u'/' + window->SearchEdit_Kod->text(); });
    };
    X11::RunDriven([&] {
        ASSERT_TRUE(X11::WaitForWindow(window.get()));
        X11::OnGui([&] { dm->MSSQLADOQuery_Polozka->Open(); });
        EXPECT_EQ(mirrored(), QStringLiteral("M1/M1")) << "opened";
        EXPECT_TRUE(X11::OnGui(
            [&] { return ApplyListFilter(dm->MSSQLADOQuery_Polozka, QStringLiteral("tab_polozka.OZNACENI = 'M2'")); }));
        EXPECT_EQ(mirrored(), QStringLiteral("M2/M2")) << "filtered";
        EXPECT_TRUE(X11::OnGui(
            [&] { return ApplyListFilter(dm->MSSQLADOQuery_Polozka, QStringLiteral("tab_polozka.OZNACENI = 'x'")); }));
        EXPECT_EQ(mirrored(), QStringLiteral("/")) << "filtered to nothing";
    });
}

} // namespace

namespace {

TEST_F(TillKeys, F10AndALoneAltOpenTheMenuBarToTheArrowsAndEnter)
{
    showWindow(0);
    X11::RunDriven([&] {
        ASSERT_TRUE(X11::WaitForWindow(window.get()));
        QMenuBar *bar = X11::OnGui([&] { return window->menuBar(); });
        QMenu *items = window->Menu_Polozky;
        for (const char *control : {"KxDBGrid_Polozka", "SearchEdit_Kod"}) {
            SCOPED_TRACE(control);
            QWidget *focus = named(control);
            X11::OnGui([&] { focus->setFocus(Qt::OtherFocusReason); });
            ASSERT_TRUE(X11::WaitUntil([&] { return focus->hasFocus(); }));
            for (const char *key : {"F10", "Alt_L"}) {
                SCOPED_TRACE(key);
                if (QLatin1String(key) == QLatin1String("F10")) {
                    X11::Input().Key(key);
                } else {
                    X11::Input().Press(key);
                    X11::Input().Release(key);
                }
                EXPECT_TRUE(X11::WaitUntil([&] { return bar->activeAction() == bar->actions().value(0); }, 3000))
                    << "the first menu takes the keys";
                X11::Input().Key("Right");
                X11::Input().Key("Down");
                EXPECT_TRUE(X11::WaitUntil([&] { return items->isVisible(); }, 3000))
                    << "the arrows go on to the next menu and open it";
                for (int i = 0; i < 3 && X11::OnGui([&] { return bar->activeAction() != nullptr; }); ++i) {
                    X11::Input().Key("Escape");
                    X11::Settle(100);
                }
                EXPECT_TRUE(X11::WaitUntil([&] { return !items->isVisible() && focus->hasFocus(); }, 3000))
                    << "Escape gives the keys back";
            }
        }
    });
}

} // namespace

namespace {

TEST_F(TillKeys, TabGoesFromTheSearchBoxToItsListOnEveryPage)
{
    newItem(QStringLiteral("T1"));
    showWindow(0);
    const std::pair<int, std::vector<const char *>> pages[] = {
        {0, {"SearchEdit_Oznaceni", "SearchEdit_Kod", "ComboEdit_Kategorie", "KxDBGrid_Polozka"}},
        {1, {"SearchEdit_Oznaceni", "SearchEdit_Kod", "ComboEdit_Kategorie", "KxDBGrid_PolozkaProdej"}},
        {2, {"SearchEdit_Doklad", "KxDBGrid_Doklad"}}};
    X11::RunDriven([&] {
        ASSERT_TRUE(X11::WaitForWindow(window.get()));
        for (const auto &[page, chain] : pages) {
            SCOPED_TRACE(page);
            X11::Input().Key(page == 0 ? "F6" : page == 1 ? "F7" : "F8");
            ASSERT_TRUE(X11::WaitUntil([&] { return window->Notebook->PageIndex() == page; }));
            QWidget *first = named(chain.front());
            X11::OnGui([&] { first->setFocus(Qt::OtherFocusReason); });
            ASSERT_TRUE(X11::WaitUntil([&] { return first->hasFocus(); }));
            for (size_t i = 1; i < chain.size(); ++i) {
                X11::Input().Key("Tab");
                EXPECT_TRUE(X11::WaitUntil([&] { return focusName() == QLatin1String(chain[i]); }, 2000))
                    << "Tab from " << chain[i - 1] << " reached " << focusName().toStdString();
            }
        }
    });
}

} // namespace

namespace {

// Where the keys are in the menus: the open menu and its highlighted item,
// or the highlighted title of the bar.
QString menuPlace(QMenuBar *bar)
{
    return X11::OnGui([&] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget()))
            return menu->title() + u'>' + (menu->activeAction() ? menu->activeAction()->text() : QString());
        return bar->activeAction() ? bar->activeAction()->text() : QStringLiteral("(none)");
    });
}

TEST_F(TillKeys, F10LeadsEveryKeySequenceWhereALoneAltDoes)
{
    const int item = newItem(QStringLiteral("F1"));
    ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(1), false));
    showWindow(1);
    const QList<QStringList> sequences{{},
                                       {"Right"},
                                       {"Right", "Right"},
                                       {"Right", "Right", "Down"},
                                       {"Down"},
                                       {"Return"},
                                       {"Left", "Down", "Down"},
                                       {"Right", "Down", "Down", "Down"},
                                       {"Right", "Right", "Return", "Down"}};
    X11::RunDriven([&] {
        ASSERT_TRUE(X11::WaitForWindow(window.get()));
        QMenuBar *bar = X11::OnGui([&] { return window->menuBar(); });
        QWidget *grid = named("KxDBGrid_PolozkaProdej");
        auto open = [&](bool f10) {
            X11::OnGui([&] { grid->setFocus(Qt::OtherFocusReason); });
            EXPECT_TRUE(X11::WaitUntil([&] { return grid->hasFocus(); }));
            if (f10) {
                X11::Input().Key("F10");
            } else {
                X11::Input().Press("Alt_L");
                X11::Input().Release("Alt_L");
            }
            EXPECT_TRUE(X11::WaitUntil([&] { return bar->activeAction() != nullptr; }, 3000));
            X11::Settle(100);
        };
        for (const QStringList &keys : sequences) {
            SCOPED_TRACE(keys.join(u' ').toStdString());
            QString reached[2];
            for (const bool f10 : {false, true}) {
                open(f10);
                for (const QString &key : keys) {
                    X11::Input().Key(key);
                    X11::Settle(60);
                }
                reached[f10] = menuPlace(bar);
                for (int i = 0; i < 4 && X11::OnGui([&] { return bar->activeAction() != nullptr; }); ++i) {
                    X11::Input().Key("Escape");
                    X11::Settle(100);
                }
            }
            EXPECT_EQ(reached[1], reached[0]);
        }
        // "Prodej" > "Vybrat...", never "Odebrat", which empties the basket.
        open(true);
        for (const char *key : {"Right", "Right", "Down"})
            X11::Input().Key(key);
        EXPECT_TRUE(X11::WaitUntil([&] { return menuPlace(bar) == QStringLiteral("Prodej [F7]>Vybrat..."); }, 3000))
            << menuPlace(bar).toStdString();
        X11::Input().Key("Return");
        X11::Settle(500);
        EXPECT_EQ(X11::OnGui([&] { return dm->MSSQLADOQuery_Prodej->RecordCount(); }), 1);
    });
}

} // namespace
