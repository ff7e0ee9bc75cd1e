#include "kit/formstorage.h"
#include "kit/storagefixtures.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class PropsStorageTest : public ::testing::Test, public IniFixture
{
protected:
    PropsStorageTest()
    {
        form.setObjectName("Form_Test");
        page = new QWidget(&form);
        page->setObjectName("TabSheet_Obecne");
        comp = new Sample("Comp", &form);
    }
    // An inactive storage without placement options: only properties.
    std::unique_ptr<TFormStorage> storage(const QStringList &props)
    {
        auto s = std::make_unique<TFormStorage>(&form);
        s->SetActive(false);
        s->SetOptions({});
        s->SetIniFileName(path());
        s->SetIniSection("Test");
        s->SetStoredProps(props);
        return s;
    }

    QWidget form;
    QWidget *page;
    Sample *comp;
};

const QStringList allKinds = {"Comp.Number",  "Comp.Big",        "Comp.Letter", "Comp.Checked", "Comp.Alignment",
                              "Comp.Options", "Comp.Ratio",      "Comp.Small",  "Comp.Text",    "Comp.Lines",
                              "Comp.Data",    "Comp.ActivePage", "Comp.Font"};

} // namespace

TEST_F(PropsStorageTest, EveryKindIsWrittenAsTheIniTextAndReadBack)
{
    FontLike font;
    comp->nested = &font;
    font.Size = 10;
    font.Name = "Liberation Sans";
    comp->Number = -12;
    comp->Big = 1234567890123LL;
    comp->Letter = QChar(0x010D);
    comp->Checked = true;
    comp->Alignment = Sample::taCenter;
    comp->Options = Sample::dgTitles | Sample::dgColLines;
    comp->Ratio = 1.1;
    comp->Small = 0.1f;
    comp->Text = "  Pokladna \"1\"  ";
    comp->Lines = {"SELECT *", "  FROM t", "\"q\""};
    comp->Data = 5;
    comp->ActivePage = page;
    storage(allKinds + QStringList{"Comp.Missing", "Nobody.Text", "no point"})->FormPlacementSave();
    EXPECT_EQ(content(), "[Test]\n"
                         "FormVersion=0\n"
                         "Comp_Number=-12\n"
                         "Comp_Big=1234567890123\n"
                         "Comp_Letter=\xc4\x8d\n"
                         "Comp_Checked=True\n"
                         "Comp_Alignment=taCenter\n"
                         "Comp_Options=[dgTitles,dgColLines]\n"
                         "Comp_Ratio=1.1\n"
                         "Comp_Small=0.1\n"
                         "Comp_Text=Pokladna \"1\"\n"
                         "Comp_Data=5\n"
                         "Comp_ActivePage=TabSheet_Obecne\n"
                         "Comp_FontSize=10\n"
                         "Comp_FontName=Liberation Sans\n"
                         "[Test.Comp_Lines]\n"
                         "Count=3\n"
                         "Item0=SELECT *\n"
                         "Item1=  FROM t\n"
                         "Item2=\"\"q\"\"\n");

    // Back into a component with its designed defaults.
    delete comp;
    comp = new Sample("Comp", &form);
    FontLike other;
    comp->nested = &other;
    comp->Data = 0; // an unassigned variant has no text and is not read
    storage(allKinds)->FormPlacementRestore();
    EXPECT_EQ(comp->Number, -12);
    EXPECT_EQ(comp->Big, 1234567890123LL);
    EXPECT_EQ(comp->Letter, QChar(0x010D));
    EXPECT_TRUE(comp->Checked);
    EXPECT_EQ(comp->Alignment, Sample::taCenter);
    EXPECT_EQ(comp->Options, Sample::dgTitles | Sample::dgColLines);
    EXPECT_DOUBLE_EQ(comp->Ratio, 1.1);
    EXPECT_FLOAT_EQ(comp->Small, 0.1f);
    EXPECT_EQ(comp->Text, "Pokladna \"1\"");
    // The profile trims values, as the original reader does.
    EXPECT_EQ(comp->Lines, QStringList({"SELECT *", "FROM t", "\"q\""}));
    EXPECT_EQ(comp->Data, QVariant("5"));
    EXPECT_EQ(comp->ActivePage, page);
    EXPECT_EQ(other.Size, 10);
    EXPECT_EQ(other.Name, "Liberation Sans");
}

TEST_F(PropsStorageTest, FloatsAndQuotedTextsKeepTheirFileForm)
{
    comp->Ratio = 1.5e-7;
    comp->Text = "\"v uvozovkách\"";
    comp->Number = 0;
    storage({"Comp.Ratio", "Comp.Text"})->FormPlacementSave();
    EXPECT_EQ(content(), "[Test]\nFormVersion=0\nComp_Ratio=1.5E-7\nComp_Text=\"\"v uvozovkách\"\"\n");
    comp->Ratio = 0;
    comp->Text.clear();
    storage({"Comp.Ratio", "Comp.Text"})->FormPlacementRestore();
    EXPECT_DOUBLE_EQ(comp->Ratio, 1.5e-7);
    EXPECT_EQ(comp->Text, "\"v uvozovkách\"");
    // An empty text is a key with an empty value.
    comp->Text.clear();
    storage({"Comp.Text"})->FormPlacementSave();
    EXPECT_TRUE(content().contains("Comp_Text=\n"));
}

TEST_F(PropsStorageTest, HandEditedValuesOfTheWrongKindLeaveTheDefaults)
{
    put("[Test]\n"
        "Comp_Number=abc\n"
        "Comp_Big=1e3\n"
        "Comp_Letter=\n"
        "Comp_Checked=maybe\n"
        "Comp_Alignment=taNowhere\n"
        "Comp_Options=[dgEditing, bogus]\n"
        "Comp_Ratio=x1\n"
        "Comp_Small=2,5\n"
        "Comp_ActivePage=NoSuchPage\n"
        "[Test.Comp_Lines]\n"
        "Count=lots\n"
        "Item0=never\n");
    comp->Lines = {"designed"};
    storage(allKinds)->FormPlacementRestore();
    EXPECT_EQ(comp->Number, 7);
    EXPECT_EQ(comp->Big, 0);
    EXPECT_EQ(comp->Letter, QLatin1Char('x'));
    EXPECT_FALSE(comp->Checked);
    EXPECT_EQ(comp->Alignment, Sample::taLeftJustify);
    EXPECT_EQ(comp->Options, Sample::TGridOptions(Sample::dgEditing)); // unknown names are ignored
    EXPECT_DOUBLE_EQ(comp->Ratio, 0.5);
    EXPECT_FLOAT_EQ(comp->Small, 2.5f); // a decimal comma typed by hand is understood
    EXPECT_EQ(comp->ActivePage, nullptr);
    EXPECT_EQ(comp->Lines, QStringList({"designed"}));

    put("[Test]\nComp_Options=[]\nComp_ActivePage=(NULL)\nComp_Alignment=TARIGHTJUSTIFY\nComp_Checked=true\n");
    comp->ActivePage = page;
    storage(allKinds)->FormPlacementRestore();
    EXPECT_EQ(comp->Options, Sample::TGridOptions());
    EXPECT_EQ(comp->ActivePage, nullptr);
    EXPECT_EQ(comp->Alignment, Sample::taRightJustify);
    EXPECT_TRUE(comp->Checked);
}

TEST_F(PropsStorageTest, AnEmptyListErasesItsSectionAndKeepsTheDesignedLinesOnRestore)
{
    put("[Test.Comp_Lines]\nCount=1\nItem0=old\n[Other]\nk=v\n");
    comp->Lines.clear();
    storage({"Comp.Lines"})->FormPlacementSave();
    EXPECT_EQ(content(), "[Other]\nk=v\n[Test]\nFormVersion=0\n");
    comp->Lines = {"designed"};
    storage({"Comp.Lines"})->FormPlacementRestore();
    EXPECT_EQ(comp->Lines, QStringList({"designed"}));
}

TEST_F(PropsStorageTest, ReferencesToOtherFormsUseTheirName)
{
    QWidget other;
    other.setObjectName("Form_Jiny");
    auto *target = new QWidget(&other);
    target->setObjectName("Panel");
    comp->ActivePage = target;
    storage({"Comp.ActivePage"})->FormPlacementSave();
    EXPECT_TRUE(content().contains("Comp_ActivePage=Form_Jiny.Panel\n"));
    comp->ActivePage = nullptr;
    storage({"Comp.ActivePage"})->FormPlacementRestore();
    EXPECT_EQ(comp->ActivePage, target);
}

TEST(PropsStorageCollections, CountInTheMainSectionItemsInTheirOwn)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Tarmil5.ini");
    QObject dm;
    dm.setObjectName("DM");
    auto *query = new Query("MSSQLADOQuery_Polozka", &dm);
    query->params->add("%ORDER_BY", "ORDER BY NAZEV");
    query->params->add("%WHERE", "");
    auto make = [&] {
        auto s = std::make_unique<TFormStorage>(&dm);
        s->SetIniFileName(path);
        s->SetIniSection("DM");
        s->SetStoredProps({"MSSQLADOQuery_Polozka.FormatParameters"});
        return s;
    };
    {
        auto s = make();
        EXPECT_EQ(s->Options(), TFormPlacement::TPlacementOptions()); // not a form
        s->FormPlacementSave();
        QFile f(path);
        EXPECT_FALSE(f.exists()); // an active storage never writes before it has restored
        s->FormPlacementRestore();
        s->FormPlacementSave();
    }
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "[DM]\n"
                           "FormVersion=0\n"
                           "MSSQLADOQuery_Polozka_FormatParameters.Count=2\n"
                           "[DM.MSSQLADOQuery_Polozka_FormatParameters]\n"
                           "Item0_Name=%ORDER_BY\n"
                           "Item0_Value=ORDER BY NAZEV\n"
                           "Item1_Name=%WHERE\n"
                           "Item1_Value=\n");
    f.close();

    // Same count: items are updated in place.
    query->params->items[0]->Value = "changed";
    make()->FormPlacementRestore();
    EXPECT_EQ(query->params->rebuilds, 0);
    EXPECT_EQ(query->params->items[0]->Value, "ORDER BY NAZEV");
    EXPECT_EQ(query->params->updates, 0);

    // Another count: the collection is rebuilt with the stored items.
    query->params->add("%EXTRA", "x");
    make()->FormPlacementRestore();
    EXPECT_EQ(query->params->rebuilds, 1);
    ASSERT_EQ(query->params->items.size(), 2u);
    EXPECT_EQ(query->params->items[1]->Name, "%WHERE");

    // A damaged count keeps the collection as it is.
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[DM]\nMSSQLADOQuery_Polozka_FormatParameters.Count=999999999\n");
    f.close();
    make()->FormPlacementRestore();
    EXPECT_EQ(query->params->items.size(), 2u);
    EXPECT_EQ(query->params->rebuilds, 1);
}
