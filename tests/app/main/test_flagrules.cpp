// The flag rules of the item lists and the colours of document rows.
#include "app/main/flagrules.h"

#include <gtest/gtest.h>

#include <QMap>
#include <QVariant>

namespace {

class MapRow : public TFlagRow
{
public:
    QMap<QString, QVariant> values; // missing or invalid: null
    bool IsNull(const QString &column) const override { return !values.value(column).isValid(); }
    QString Text(const QString &column) const override { return values.value(column).toString(); }
    double Number(const QString &column) const override { return values.value(column).toDouble(); }
};

TFlagSettings only(bool TFlagSettings::*box)
{
    TFlagSettings s;
    s.*box = true;
    return s;
}

} // namespace

TEST(FlagRules, EachColumnFollowsItsOwnBox)
{
    struct Case
    {
        const char *column;
        QVariant value;
        bool TFlagSettings::*box;
    };
    const Case cases[] = {{"POLOZKA", QString(), &TFlagSettings::Polozka},
                          {"KOD", QString(), &TFlagSettings::Kod},
                          {"SPECIFIKACE", QString(), &TFlagSettings::Specifikace},
                          {"ZARUKA", 0, &TFlagSettings::Zaruka},
                          {"NAKUP", 0.0, &TFlagSettings::Nakup},
                          {"PRODEJ", 0.0, &TFlagSettings::Prodej},
                          {"MINIMUM", 0.0, &TFlagSettings::Minimum},
                          {"MNOZSTVI", 0.0, &TFlagSettings::Mnozstvi},
                          {"ZASOBA", 0.0, &TFlagSettings::Zasoba}};
    for (const Case &c : cases) {
        const QString column = QString::fromLatin1(c.column);
        MapRow row;
        row.values[column] = c.value.typeId() == QMetaType::QString ? QVariant(QStringLiteral("")) : c.value;
        EXPECT_TRUE(ItemCellFlagged(only(c.box), column, row)) << c.column;
        EXPECT_FALSE(ItemCellFlagged(TFlagSettings(), column, row)) << c.column << " without its box";
        row.values[column] = c.value.typeId() == QMetaType::QString ? QVariant(QStringLiteral("x")) : QVariant(5);
        EXPECT_FALSE(ItemCellFlagged(only(c.box), column, row)) << c.column << " filled in";
        row.values.remove(column);
        TFlagSettings all;
        all.Polozka = all.Kod = all.Specifikace = all.Zaruka = all.Nakup = all.Prodej = all.Mnozstvi = all.Zasoba =
            all.Minimum = all.NedostatecnaZasoba = true;
        EXPECT_FALSE(ItemCellFlagged(all, column, row)) << c.column << " null is never flagged";
    }
}

TEST(FlagRules, ShortageMarksQuantityAndStockLevel)
{
    const TFlagSettings shortage = only(&TFlagSettings::NedostatecnaZasoba);
    MapRow row;
    row.values["MNOZSTVI"] = 0.0; // zero quantity with its own box off
    row.values["ZASOBA"] = 2.0;
    EXPECT_TRUE(ItemCellFlagged(shortage, "MNOZSTVI", row));
    EXPECT_TRUE(ItemCellFlagged(shortage, "ZASOBA", row));
    row.values["MNOZSTVI"] = 2.0; // equal is enough
    EXPECT_FALSE(ItemCellFlagged(shortage, "MNOZSTVI", row));
    EXPECT_FALSE(ItemCellFlagged(shortage, "ZASOBA", row));
    row.values.remove("ZASOBA"); // no stock level: no shortage
    row.values["MNOZSTVI"] = 0.0;
    EXPECT_FALSE(ItemCellFlagged(shortage, "MNOZSTVI", row));
    EXPECT_FALSE(ItemCellFlagged(shortage, "NAKUP", row)) << "other columns never";
}

TEST(FlagRules, DocumentRows)
{
    EXPECT_EQ(DocumentRowColor(1, true), QColor());
    EXPECT_EQ(DocumentRowColor(1, false), QColor(0x80, 0x80, 0x80));
    for (int cancellation : {4, 5, 6}) {
        EXPECT_EQ(DocumentRowColor(cancellation, true), QColor(0xFF, 0, 0));
        EXPECT_EQ(DocumentRowColor(cancellation, false), QColor(0xFF, 0, 0)) << "red wins over grey";
    }
    EXPECT_EQ(DocumentRowColor(3, true), QColor());
    EXPECT_EQ(DocumentRowColor(7, true), QColor());
}
