// Typing into the item list starts the search with every key typed: at a
// scanner's speed on a busy machine, and with a Czech first letter.
#include "app/search/form_hledat.h"
#include "busycores.h"
#include "till_fixture.h"

#include <QComboBox>

namespace {

class GridTyping : public TillTest
{
protected:
    void SetUp() override
    {
        TillTest::SetUp();
        if (HasFatalFailure())
            return;
        newItem(QStringLiteral("G1"));
        showWindow(0);
    }
    // Types the text into the item list; the text the search opened with,
    // once it stops growing.
    QString typedIntoList(const QString &text, int pauseMs, int openMs = 10000)
    {
        auto *grid = named<TKxDBGrid>("KxDBGrid_Polozka");
        X11::OnGui([&] { grid->setFocus(Qt::OtherFocusReason); });
        if (!X11::WaitUntil([&] { return grid->hasFocus() && window->isActiveWindow(); }))
            return QStringLiteral("(the list did not get the keys)");
        X11::Input().Type(text, pauseMs);
        auto *search = static_cast<TForm_Hledat *>(X11::WaitForModal("TForm_Hledat", openMs));
        if (!search)
            return QStringLiteral("(no search)");
        auto searched = [&] { return X11::OnGui([&] { return search->ComboBox_Hledat->currentText(); }); };
        X11::WaitUntil([&] { return search->ComboBox_Hledat->currentText().size() >= text.size(); }, 2000);
        X11::Settle(50);
        const QString found = searched();
        X11::Input().Key("Escape");
        X11::WaitUntil([&] { return !search->isVisible(); });
        return found;
    }
    // 50 runs at one or two milliseconds a key while every core is busy.
    void typedFastOnABusyMachine(const QString &text)
    {
        X11::RunDriven([&] {
            ASSERT_TRUE(X11::WaitForWindow(window.get()));
            typedIntoList(text, 15); // the keyboard map learns any letter of its own
            BusyCores busy(100);
            QStringList lost;
            for (int run = 0; run < 50; ++run) {
                const QString found = typedIntoList(text, 1 + run % 2);
                if (found != text)
                    lost << QStringLiteral("%1: %2").arg(run).arg(found);
            }
            EXPECT_TRUE(lost.isEmpty()) << lost.join(QStringLiteral(", ")).toStdString();
        });
    }
};

TEST_F(GridTyping, AScannedCodeReachesTheSearchWhole)
{
    typedFastOnABusyMachine(QStringLiteral("8590123456781"));
}

TEST_F(GridTyping, AFastTypedCzechWordReachesTheSearchWhole)
{
    typedFastOnABusyMachine(QStringLiteral("Žluťoučký"));
}

TEST_F(GridTyping, EveryCzechLetterStartsTheSearch)
{
    const QString letters = QStringLiteral("áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ");
    X11::RunDriven([&] {
        ASSERT_TRUE(X11::WaitForWindow(window.get()));
        for (const QChar letter : letters)
            EXPECT_EQ(typedIntoList(QString(letter), 15, 3000), QString(letter));
    });
}

} // namespace
