#pragma once
// The sale screens over a real database: the data module with its lists
// open, the shop's settings in memory, and items made through the module.
#include "app/settings/shopsettings.h"
#include "data/dm_fixture.h"

#include <QCoreApplication>

#include <ostream>

// Failures show texts as text.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

class SaleScreenTest : public DataModuleTest
{
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        ASSERT_TRUE(dm->OpenAllQueries()) << qPrintable(dm->LastErrorText());
        settings.nahled = false;
    }
    // An item sold in multiples of its minimum.
    int itemWithMinimum(const QString &mark, const QString &minimum, bool multiples, int stock = 10)
    {
        const int id = newItem(mark, Currency::fromInt(stock));
        sql(QStringLiteral("UPDATE tab_polozka SET MINIMUM=%1, NASOBNE=%2 WHERE ID_POLOZKA=%3")
                .arg(minimum, multiples ? "true" : "false")
                .arg(id));
        dm->RefreshAll();
        return id;
    }
    void withdrawRight(int right)
    {
        sql(QStringLiteral("UPDATE tab_uzivatel_opravneni SET STATE_OPRAVNENI=false WHERE ID_OPRAVNENI=%1").arg(right));
    }
    static void settle() { QCoreApplication::processEvents(); }

    MemoryShopSettings settings;
    ScopedShopSettings scopedSettings{&settings};
};
