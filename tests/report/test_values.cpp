#include "platform/globalcomponents.h"
#include "report/components.h"
#include "report/values.h"
#include "report/vlstreams.h"

#include <gtest/gtest.h>

namespace {

void add(TvlValues &values, const QString &name, TvlValueKind kind, int other, const QString &dataSet,
         const QString &field)
{
    const int i = values.AddValue();
    values.SetName(i, name);
    TvlValue *v = values.GetItem(i);
    v->Kind = kind;
    v->OtherKind = other;
    v->DataSet = dataSet;
    v->Field = field;
}

} // namespace

TEST(ReportValues, EmptyBlockIsACountOfZero)
{
    TvlValues values;
    MemoryStream stream;
    values.WriteBinaryData(stream);
    EXPECT_EQ(stream.data(), QByteArray(4, '\0'));
}

TEST(ReportValues, BlockByteForByte)
{
    TvlValues values;
    add(values, "Č", vkDataField, 258, "DS", "f");
    MemoryStream stream;
    values.WriteBinaryData(stream);
    EXPECT_EQ(stream.data(), QByteArray("\x01\x00\x00\x00"
                                        "\x01"
                                        "\x02\x01\x00\x00"
                                        "\x02"
                                        "DS"
                                        "\x01"
                                        "f"
                                        "\x01"
                                        "\xC8",
                                        16));
}

TEST(ReportValues, RoundTripKeepsOrderAndEveryField)
{
    TvlValues values;
    add(values, "Odběratel", vkDataField, 0, "Form_Hlavni.Doklady", "nazev_firmy");
    add(values, "Strana", vkSpecial, 0, "", "");
    add(values, "Celkem", vkExpression, 0, "", "[Cena] * [Množství]");
    add(values, "Nic", vkNotAssigned, 0, "", "");
    MemoryStream stream;
    values.WriteBinaryData(stream);
    stream.writeUInt8(0xAB); // what follows the block stays where it is

    TvlValues back;
    back.AddValue(); // reading replaces what was there
    stream.seek(0);
    back.ReadBinaryData(stream);
    EXPECT_EQ(stream.readUInt8(), 0xAB);
    ASSERT_EQ(back.Count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(back.Name(i), values.Name(i));
        EXPECT_EQ(back.GetItem(i)->Kind, values.GetItem(i)->Kind);
        EXPECT_EQ(back.GetItem(i)->OtherKind, values.GetItem(i)->OtherKind);
        EXPECT_EQ(back.GetItem(i)->DataSet, values.GetItem(i)->DataSet);
        EXPECT_EQ(back.GetItem(i)->Field, values.GetItem(i)->Field);
    }
}

TEST(ReportValues, TextLongerThanTheBlockHoldsIsRefused)
{
    TvlValues values;
    add(values, "Krátká", vkExpression, 0, "", "1");
    add(values, "Dlouhá", vkExpression, 0, "", QString(256, 'x'));
    MemoryStream stream;
    stream.writeUInt8(7);
    try {
        values.WriteBinaryData(stream);
        FAIL() << "a 256-byte expression was written";
    } catch (const EReportFormatError &error) {
        EXPECT_TRUE(error.text().startsWith("Hodnotu „Dlouhá“ nelze uložit.")) << error.text().toStdString();
    }
    EXPECT_EQ(stream.data(), QByteArray(1, 7)); // nothing of the block
}

TEST(ReportValues, DamagedBlocksRaiseStreamError)
{
    TvlValues values;
    MemoryStream negative(QByteArray("\xFF\xFF\xFF\xFF", 4));
    EXPECT_THROW(values.ReadBinaryData(negative), StreamError);
    MemoryStream truncated(QByteArray("\x01\x00\x00\x00\x03\x00\x00\x00\x00\x05"
                                      "ab",
                                      12));
    EXPECT_THROW(values.ReadBinaryData(truncated), StreamError);
    MemoryStream huge(QByteArray("\xFF\xFF\xFF\x0F\x00", 5));
    EXPECT_THROW(values.ReadBinaryData(huge), StreamError);
}

TEST(ReportValues, LookupIgnoresCaseAndSortingOrdersByName)
{
    TvlValues values;
    add(values, "zboží", vkExpression, 0, "", "1");
    add(values, "Adresa", vkExpression, 0, "", "2");
    add(values, "cena", vkExpression, 0, "", "3");
    ASSERT_NE(values.FindVariable("ZBOŽÍ"), nullptr);
    EXPECT_EQ(values.FindVariable("ZBOŽÍ")->Field, "1");
    EXPECT_EQ(values.FindVariable("nic"), nullptr);

    TvlValue *cena = values.FindVariable("Cena");
    values.Sort();
    EXPECT_EQ(values.Name(0), "Adresa");
    EXPECT_EQ(values.Name(1), "cena");
    EXPECT_EQ(values.Name(2), "zboží");
    EXPECT_EQ(values.GetItem(1), cena); // entries move with their names

    values.Delete(0);
    EXPECT_EQ(values.Count(), 2);
    values.Clear();
    EXPECT_EQ(values.Count(), 0);
    EXPECT_EQ(vlSpecialValueNames.size(), 9);
    EXPECT_EQ(vlSpecialValueNames.at(8), "TOTALPAGES");
}

TEST(ReportValues, DataFieldsFindTheirDataSetsByName)
{
    QObject form;
    form.setObjectName("Form_Nahled");
    auto *documents = new QObject(&form);
    documents->setObjectName("Doklady");
    GlobalComponents::Scoped registered(&form);
    QObject owner;
    auto *lines = new QObject(&owner);
    lines->setObjectName("Radky");
    vlSetCurrentReportOwner(&owner);

    TvlValues values;
    add(values, "Doklad", vkDataField, 0, "Form_Nahled.Doklady", "cislo");
    add(values, "Radek", vkDataField, 0, "Radky", "text");
    add(values, "Chybi", vkDataField, 0, "Nikde", "x");
    add(values, "Vyraz", vkExpression, 0, "Radky", "1+1");
    values.BindDataSets();
    EXPECT_EQ(values.GetItem(0)->ResolvedDataSet, documents);
    EXPECT_EQ(values.GetItem(1)->ResolvedDataSet, lines);
    EXPECT_EQ(values.GetItem(2)->ResolvedDataSet, nullptr);
    EXPECT_EQ(values.GetItem(3)->ResolvedDataSet, nullptr);
    vlSetCurrentReportOwner(nullptr);
}
