// The main window's pages at the default width of 1024 pixels after a sale
// and its cancellation: every text shows whole. A picture of each page is
// kept in the shots folder for a look.
#include "app/main/notebook.h"
#include "kit/searchedit.h"
#include "till_fixture.h"

#include <QLabel>
#include <QRegularExpression>
#include <QScrollArea>

namespace {

class TillScreens : public TillTest
{
protected:
    // Each text of the columns in a grid fits its column.
    void expectColumnsWhole(TKxDBGrid *grid, const QStringList &fields)
    {
        X11::OnGui([&] {
            for (int c = 0; c < grid->Columns().Count(); ++c) {
                if (!fields.contains(grid->Columns()[c]->FieldName, Qt::CaseInsensitive))
                    continue;
                for (int row = 0; row < grid->model()->rowCount(); ++row) {
                    const QString text = grid->model()->index(row, c).data().toString();
                    EXPECT_LE(grid->fontMetrics().horizontalAdvance(text) + 6, grid->columnWidth(c))
                        << grid->objectName().toStdString() << " " << text.toStdString();
                }
            }
        });
    }
};

TEST_F(TillScreens, TextsShowWholeAtTheDefaultWidth)
{
    const int item = newItem(QStringLiteral("0042"), Currency::fromInt(100000), Currency::fromInt(123456));
    sql(QStringLiteral("UPDATE tab_polozka SET KOD='8594001234567', POLOZKA='Čokoláda hořká 85 %' WHERE ID_POLOZKA=%1")
            .arg(item));
    int document = 0;
    ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(99), false));
    ASSERT_TRUE(dm->SellBasket(1, false, dm->DefaultCustomerName(), 0, document));
    ASSERT_TRUE(dm->CancelDocument(document));
    showWindow(2);
    dm->RefreshAll(); // the status line's figures
    X11::RunDriven([&] {
        ASSERT_TRUE(X11::WaitForWindow(window.get()));
        for (const char *key : {"F8", "F6", "F7"}) {
            X11::Input().Key(key);
            X11::Settle(300);
            X11::Screenshot(QStringLiteral("TillScreens-page-%1").arg(QLatin1String(key)));
        }
        expectColumnsWhole(window->KxDBGrid_Doklad, {"CAS", "OPERACE"});
        expectColumnsWhole(window->KxDBGrid_PolozkaHistorie, {"CAS", "OPERACE", "KOD"});
        expectColumnsWhole(window->KxDBGrid_Polozka, {"KOD"});
        expectColumnsWhole(window->KxDBGrid_Prodej, {"KOD"});
        const QString time =
            X11::OnGui([&] { return window->KxDBGrid_Doklad->model()->index(0, 0).data().toString(); });
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{1,2}\\.\\d{1,2}\\.\\d{4} \\d{2}:\\d{2}:\\d{2}$"))
                        .match(time)
                        .hasMatch())
            << time.toStdString() << " is no Czech date and time";
        X11::OnGui([&] {
            auto *panel = static_cast<QScrollArea *>(window->Panel_Status);
            for (QLabel *label : {window->Label_Pokladna_, window->Label_Sklad_, window->Label_Doklady_,
                                  window->Label_Zisk_, window->Label_Prodeje_}) {
                const int right = label->mapTo(panel->viewport(), QPoint(label->width(), 0)).x();
                EXPECT_LE(right, panel->viewport()->width()) << label->text().toStdString();
                EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
                EXPECT_FALSE(label->text().isEmpty()) << label->objectName().toStdString();
            }
            for (TSearchEdit *edit : {window->SearchEdit_Doklad, window->SearchEdit_Kod}) {
                EXPECT_FALSE(edit->text().isEmpty());
                EXPECT_LE(edit->fontMetrics().horizontalAdvance(edit->text()) + 8, edit->width())
                    << edit->text().toStdString();
            }
        });
    });
}

} // namespace
