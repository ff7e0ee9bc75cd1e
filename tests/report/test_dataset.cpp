#include "platform/globalcomponents.h"
#include "report/components.h"
#include "report/dataset.h"

#include <QMetaEnum>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Walks the protocol the way report building does, with a guard against endless data.
QList<int> walk(TvlDataset &ds, int limit = 100)
{
    QList<int> records;
    ds.Init();
    ds.First();
    while (!ds.Eof() && records.size() < limit) {
        records << ds.RecordNo();
        ds.Next();
    }
    ds.Exit();
    return records;
}

} // namespace

TEST(ReportDataset, FixedCountWithoutEvents)
{
    TdiRazaDataset ds;
    ds.SetRangeEnd(TvlDataset::reCount);
    ds.SetRangeEndCount(5);
    EXPECT_EQ(walk(ds), QList<int>({0, 1, 2, 3, 4}));
    ds.SetRangeEndCount(0);
    EXPECT_TRUE(walk(ds).isEmpty());
}

TEST(ReportDataset, EventsDriveRecordsOverInMemoryRows)
{
    const QStringList rows{"Mléko", "Chléb", "Máslo"};
    int position = -1;
    TdiRazaDataset ds;
    ds.OnFirst = [&](QObject *sender) {
        EXPECT_EQ(sender, &ds);
        position = 0;
    };
    ds.OnNext = [&](QObject *) { ++position; };
    ds.OnCheckEOF = [&](QObject *, bool &eof) { eof = position >= rows.size(); };
    QStringList printed;
    ds.First();
    while (!ds.Eof()) {
        printed << rows[position];
        ds.Next();
    }
    EXPECT_EQ(printed, rows);
    EXPECT_EQ(ds.RecordNo(), 3);
}

TEST(ReportDataset, CheckEofSeesTheCountAnswerAndMayChangeIt)
{
    TdiRazaDataset ds;
    ds.SetRangeEnd(TvlDataset::reCount);
    ds.SetRangeEndCount(4);
    QList<bool> seen;
    ds.OnCheckEOF = [&](QObject *, bool &eof) {
        seen << eof;
        if (ds.RecordNo() == 2)
            eof = true;
    };
    EXPECT_EQ(walk(ds), QList<int>({0, 1}));
    EXPECT_EQ(seen, QList<bool>({false, false, false}));
}

TEST(ReportDataset, PublishedPropertiesByName)
{
    TdiRazaDataset ds;
    EXPECT_TRUE(ds.setProperty("RangeBegin", QVariant::fromValue(TvlDataset::rbCurrent)));
    EXPECT_EQ(ds.RangeBegin(), TvlDataset::rbCurrent);
    EXPECT_STREQ(QMetaEnum::fromType<TvlDataset::TRangeEnd>().valueToKey(TvlDataset::reCount), "reCount");
    EXPECT_EQ(ds.RangeBegin(), 1);
    EXPECT_EQ(TdiRazaDataset().RangeEnd(), TvlDataset::reLast);
}

TEST(ComponentLookup, FormDotNameAndPlainNames)
{
    QWidget form;
    form.setObjectName("Form_Nahled");
    QWidget panel(&form);
    auto *documents = new TdiRazaDataset(&panel); // deeper than the form's own children
    documents->setObjectName("Doklady");
    QObject module;
    module.setObjectName("DM");
    auto *items = new TdiRazaDataset(&module);
    items->setObjectName("Polozky");
    auto *other = new QObject(&module);
    other->setObjectName("Spojeni");
    GlobalComponents::Scoped f(&form), m(&module);

    EXPECT_EQ(FindComponentByPath(nullptr, "form_nahled.DOKLADY"), documents);
    EXPECT_EQ(FindComponentByPath(&module, "Polozky"), items);
    EXPECT_EQ(FindComponentByPath(&module, "Doklady"), nullptr);
    EXPECT_EQ(FindComponentByPath(nullptr, "Jinde.Doklady"), nullptr);
    EXPECT_EQ(FindComponentByPath(&form, ""), nullptr);

    vlSetCurrentReportOwner(&form);
    EXPECT_EQ(vlFindComponent("Doklady"), documents);
    EXPECT_EQ(vlFindComponent("DM.Spojeni"), other);
    vlSetCurrentReportOwner(nullptr);
    EXPECT_EQ(vlFindComponent("Doklady"), nullptr);

    QStringList names{"stará"};
    vlGetComponents(&form, TvlDataset::staticMetaObject, names);
    EXPECT_EQ(names, QStringList({"Doklady", "DM.Polozky"}));
    vlGetComponents(&module, TvlDataset::staticMetaObject, names, items);
    EXPECT_EQ(names, QStringList({"Form_Nahled.Doklady"}));
}

TEST(ComponentLookup, DestroyedFormsDropOut)
{
    auto *form = new QObject;
    form->setObjectName("Docasny");
    GlobalComponents::Register(form);
    EXPECT_EQ(GlobalComponents::Find("docasny"), form);
    delete form;
    EXPECT_EQ(GlobalComponents::Find("Docasny"), nullptr);
    EXPECT_FALSE(GlobalComponents::All().contains(nullptr));
}
