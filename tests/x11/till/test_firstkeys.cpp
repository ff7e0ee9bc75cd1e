// The first keys after the login: F6 and Enter pressed as soon as the main
// window shows, as a cashier who knows the till does, again and again.
#include "app/main/notebook.h"
#include "till_fixture.h"

#include <QApplication>

namespace {

using TillFirstKeys = TillTest;

TEST_F(TillFirstKeys, F6AndEnterAsSoonAsTheWindowShowsLeaveTheProgramGoingOn)
{
    newItem(QStringLiteral("F1"));
    X11::RunDriven([&] {
        for (int round = 0; round < 8; ++round) {
            SCOPED_TRACE(round);
            X11::OnGui([&] {
                window.reset();
                dm->MSSQLADOQuery_Polozka->Close();
                ASSERT_TRUE(dm->OpenItems());
                showWindow(2);
            });
            ASSERT_TRUE(X11::WaitForWindow(window.get()));
            X11::Input().Key("F6");
            X11::Input().Key("Return");
            X11::Settle(300);
            // The items page, and no window of an error over it.
            EXPECT_EQ(X11::OnGui([] {
                          QWidget *modal = QApplication::activeModalWidget();
                          return modal ? QString::fromLatin1(modal->metaObject()->className()) : QString();
                      }),
                      QString());
            EXPECT_TRUE(X11::OnGui([&] { return window->isVisible() && window->Notebook->PageIndex() == 0; }));
        }
    });
}

} // namespace
