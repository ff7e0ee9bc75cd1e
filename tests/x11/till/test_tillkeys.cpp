// The main window at the real keyboard: typing into a grid to search, the
// menu bar from the keyboard, tab order, the search boxes following the row.
#include "app/search/form_hledat.h"
#include "kit/searchedit.h"
#include "till_fixture.h"

#include <QComboBox>

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
        X11::Input().Type(QStringLiteral("Kla"));
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
