// The first keys after the login: F6 and Enter pressed as soon as the main
// window shows, as a cashier who knows the till does, again and again.
#include "app/sale/slevamnozstvi.h"
#include "till_fixture.h"

#include <QApplication>

namespace {

using TillFirstKeys = TillTest;

TEST_F(TillFirstKeys, F6AndEnterAsSoonAsTheWindowShowsChooseTheItem)
{
    const int item = newItem(QStringLiteral("F1"));
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
            // The line's dialog of the item chosen: nothing else, no error.
            QWidget *dialog = X11::WaitForModal("TForm_Sleva_Mnozstvi");
            ASSERT_TRUE(dialog) << qPrintable(X11::OnGui([] {
                QWidget *modal = QApplication::activeModalWidget();
                return modal ? QString::fromLatin1(modal->metaObject()->className()) : QStringLiteral("none");
            }));
            X11::Input().Key("Escape");
            EXPECT_TRUE(X11::WaitUntil([] { return !QApplication::activeModalWidget(); }));
            EXPECT_TRUE(X11::OnGui([&] { return window->isVisible(); }));
        }
        EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM tab_prodej WHERE ID_POLOZKA = %1").arg(item)),
                  QStringLiteral("1"));
    });
}

} // namespace
