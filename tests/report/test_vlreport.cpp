#include "reportbuild.h"

#include "report/vlbuilder.h"
#include "report/vlpreviewform.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

qint32 numberFormat(int index, int decimals, char separator)
{
    return (fkNumber << 24) | (index << 16) | (decimals << 8) | separator;
}

// The text of a one-memo report holding the given line.
QString expanded(const QString &text, qint32 format = vlDefaultFormat(), const QString &formatText = {})
{
    TestReport t;
    t.Band(btReportTitle, 20, 20);
    TvlMemoView *memo = t.Memo(20, 20, 600, 18, {text});
    memo->Format = format;
    memo->FormatText = formatText;
    t.report->OnGetValue = [](const QString &name, Variant &value) {
        if (name == "Cena")
            value = Variant(1234.5);
        else if (name == "Den")
            value = Variant::fromDateTime(DateTimeConv::encodeDate(2026, 3, 5) + DateTimeConv::encodeTime(14, 7, 9, 0));
        else if (name == "Ano")
            value = Variant(qint64(1));
        else if (name == "Nic")
            value = Variant::null();
    };
    if (!t.report->PrepareReport())
        return t.report->ErrorText();
    return t.Texts().value(1);
}

std::pair<QStringList, QList<QVariantList>> goodsRows()
{
    return {{"Nazev", "Cena"}, {{"Mléko", 21.9}, {"Sýr", 35.0}, {"Chléb", 39.0}}};
}

} // namespace

TEST(ReportValues, BracketFormatsOfEveryKind)
{
    // Numbers: digits first read as N, the separator is the last of , - . after the first character.
    EXPECT_EQ(expanded("[Cena #N10,2]"), "1234,50");
    EXPECT_EQ(expanded("[Cena #N10.2]"), "1234.50");
    EXPECT_EQ(expanded("[Cena #10,2]"), "1234,50");
    EXPECT_EQ(expanded("[Cena #n8-3]"), "1234-500");
    EXPECT_EQ(expanded("[Cena #N#,##0.00]"), "1\u00a0234.50");
    EXPECT_EQ(expanded("[Cena #N0]"), "1235");
    // Dates, times and Booleans take the text after the letter as their picture.
    EXPECT_EQ(expanded("[Den #Dd.m.yyyy]"), "5.3.2026");
    EXPECT_EQ(expanded("[Den #Thh:nn]"), "14:07");
    EXPECT_EQ(expanded("[Ano #BNe;Ano]"), "Ano");
    EXPECT_EQ(expanded("[0 #BNe;Ano]"), "Ne");
    // Any other format suffix keeps the object's format; empty values print one blank.
    EXPECT_EQ(expanded("[Cena #X]"), "1234,5");
    EXPECT_EQ(expanded("<[Nic]>"), "< >");
    // The object's own format applies without a format suffix.
    EXPECT_EQ(expanded("[Cena]", numberFormat(1, 2, ',')), "1234,50");
    EXPECT_EQ(expanded("[Cena]", numberFormat(3, 1, ',')), "1\u00a0234,5");
    EXPECT_EQ(expanded("[Cena]", numberFormat(4, 0, '.'), "0.000"), "1234.500");
    EXPECT_EQ(expanded("[Ano]", (fkBoolean << 24) | (1 << 16)), "Ano");
    EXPECT_EQ(expanded("[Den]", (fkDate << 24) | (4 << 16), "dd.mm.yyyy"), "05.03.2026");
    EXPECT_EQ(expanded("[Den]", (fkTime << 24) | (2 << 16)), "14:07");
    // Nested brackets and expressions.
    EXPECT_EQ(expanded("[[Cena] * 2 #N10,1] a [IF([Ano] > 0, 'ano', 'ne')]"), "2469,0 a ano");
    EXPECT_EQ(expanded("Cena [Kč"), "Cena [Kč");
}

TEST(ReportValues, LookupChainAndSpecialNames)
{
    TestReport t;
    TvlValues &values = t.report->Values();
    auto add = [&](const QString &name, TvlValueKind kind, const QString &field, int other = 0) {
        const int i = values.AddValue();
        values.SetName(i, name);
        values.GetItem(i)->Kind = kind;
        values.GetItem(i)->Field = field;
        values.GetItem(i)->OtherKind = other;
    };
    add("Zaklad", vkExpression, "2 + 3");
    add("Dvojnasobek", vkExpression, "[Zaklad] * 2");
    add("Prazdna", vkNotAssigned, {});
    add("Stranka", vkSpecial, {}, 0);
    add("Vyraz", vkSpecial, "[Zaklad] + 1", vlSpecialExpression);
    vlScriptVariables().SetVariable("Promenna", Variant(QString("skript")));
    t.Band(btReportTitle, 20, 20);
    t.Memo(20, 20, 600, 18, {"[Dvojnasobek]|[Prazdna]|[Stranka]|[Vyraz]|[Promenna]|[TOTALPAGES]|[LINE#]"});
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    EXPECT_EQ(t.Texts().value(1), "10||1|6|skript|0|0");
    // A build leaves the values in name order.
    QStringList names;
    for (int i = 0; i < values.Count(); ++i)
        names << values.Name(i);
    EXPECT_EQ(names, QStringList({"Dvojnasobek", "Prazdna", "Stranka", "Vyraz", "Zaklad"}));
}

namespace {

void addExpression(TvlValues &values, const QString &name, const QString &expression)
{
    const int i = values.AddValue();
    values.SetName(i, name);
    values.GetItem(i)->Kind = vkExpression;
    values.GetItem(i)->Field = expression;
}

} // namespace

TEST(ReportValues, NamesThatNameEachOtherAreRefused)
{
    TestReport t;
    TvlValues &values = t.report->Values();
    addExpression(values, "A", "[B] + 1");
    addExpression(values, "B", "[A] + 1");
    t.Band(btReportTitle, 20, 20);
    t.Memo(20, 20, 600, 18, {"[A]"});
    EXPECT_FALSE(t.report->PrepareReport());
    EXPECT_TRUE(t.report->BuildFailed());
    EXPECT_TRUE(t.report->ErrorText().startsWith("Chyba při zpracování\r[A]\rSestava: Sestava\rBand: Report title"))
        << t.report->ErrorText().toStdString();
    EXPECT_TRUE(t.report->ErrorText().contains("v kruhu (A → B → A)")) << t.report->ErrorText().toStdString();
    // A name that resolves to itself.
    t.page->Object(1)->Memo = {"[Neznamy]"};
    EXPECT_FALSE(t.report->PrepareReport());
    EXPECT_TRUE(t.report->ErrorText().contains("Jméno „NEZNAMY“ není pole, proměnná ani jiná hodnota sestavy"))
        << t.report->ErrorText().toStdString();
}

TEST(ReportValues, ACycleIsToldInCzechWhileALongChainOfVariablesPrints)
{
    TestReport t;
    TvlValues &values = t.report->Values();
    // X1 → X2 → X3 → X1 names each other in a circle.
    for (int i = 1; i <= 3; ++i)
        addExpression(values, QStringLiteral("X%1").arg(i), QStringLiteral("[X%1]").arg(i % 3 + 1));
    t.Band(btReportTitle, 20, 20);
    t.Memo(20, 20, 600, 18, {"[X1]"});
    EXPECT_FALSE(t.report->PrepareReport());
    EXPECT_TRUE(t.report->ErrorText().contains(
        "Proměnné se odkazují jedna na druhou v kruhu (X1 → X2 → X3 → X1), takže žádnou z nich nelze vyhodnotit."))
        << t.report->ErrorText().toStdString();

    // A chain of a hundred variables, each adding one to the next, is no cycle.
    for (int i = 1; i < 100; ++i)
        addExpression(values, QStringLiteral("R%1").arg(i), QStringLiteral("[R%1] + 1").arg(i + 1));
    addExpression(values, "R100", "1");
    t.page->Object(1)->Memo = {"[R1]"};
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    EXPECT_EQ(lines(t.Texts()), lines({"page 1", "100"}));

    // A faulty expression is quoted up to its first 200 characters.
    const QString longText = "NEZNAMY" + QString(5000, u'X');
    t.page->Object(1)->Memo = {"[" + longText + "]"};
    EXPECT_FALSE(t.report->PrepareReport());
    EXPECT_LT(t.report->ErrorText().size(), 600) << t.report->ErrorText().toStdString();
    EXPECT_TRUE(t.report->ErrorText().contains(longText.left(150)));
}

TEST(ReportBuild, SplitPrintingAlwaysMakesProgress)
{
    TestReport t;
    t.Rows("Text", {"Obsah"}, {{"jedna"}});
    // A band taller than a page, with a block taller than a page that does not stretch.
    t.Band(btMasterData, 20, 1500, "Text", bfAllowSplit);
    t.Memo(20, 20, 300, 18, {"nahoře"});
    TvlMemoView *block = t.Memo(20, 60, 300, 1400, {"blok"});
    block->Flags = mfWordWrap; // not stretchable
    ASSERT_TRUE(t.report->PrepareReport());
    EXPECT_EQ(lines(t.Dump()), lines({"page 1", "20,18 300x18 nahoře", "page 2", "20,18 300x1033 blok"}));
    // Without AllowSplit too: no page would hold the band whole, so it is split rather than cut.
    t.page->Object(0)->Flags = 0;
    ASSERT_TRUE(t.report->PrepareReport());
    EXPECT_EQ(lines(t.Dump()), lines({"page 1", "20,18 300x18 nahoře", "page 2", "20,18 300x1033 blok"}));
    // A stretchable memo whose line is taller than a page would never print:
    // the build ends, after a page or two, naming the band.
    block->Flags = mfStretched | mfWordWrap;
    block->FontSize = 900;
    block->Height = 18;
    t.page->Object(0)->Flags = bfAllowSplit | bfStretched;
    EXPECT_FALSE(t.report->PrepareReport());
    EXPECT_LE(t.report->EMFPages.Count(), 3);
    EXPECT_TRUE(t.report->ErrorText().contains("Pás Master data „Band1“ se nevytiskne celý"))
        << t.report->ErrorText().toStdString();
}

TEST(ReportComponent, VariablesCategoriesAndObjects)
{
    TestReport t;
    t.report->Variables = {"Doklad", " Cislo", " Total", "Firma", " Nazev"};
    QStringList list;
    t.report->GetCategoryList(list);
    EXPECT_EQ(list, QStringList({"Doklad", "Firma"}));
    t.report->GetVarList(0, list);
    EXPECT_EQ(list, QStringList({"Cislo", "Total"}));
    t.report->GetVarList(1, list);
    EXPECT_EQ(list, QStringList({"Nazev"}));
    EXPECT_EQ(t.report->FindVariable("Total"), 2);
    EXPECT_EQ(t.report->FindVariable("total"), -1);
    EXPECT_EQ(t.report->FindVariable("Doklad"), -1);
    TvlMemoView *memo = t.Memo(10, 10, 50, 20, {"x"});
    EXPECT_EQ(t.report->FindObject("MEMO1"), memo);
    EXPECT_EQ(t.report->FindObject("Memo9"), nullptr);
    EXPECT_EQ(t.report->FileName, "Bez názvu");
}

TEST(ReportComponent, LayoutAndPreparedReportFiles)
{
    QTemporaryDir dir;
    TestReport t;
    t.Rows("Zbozi", {"Nazev"}, {{"Mléko"}, {"Sýr"}});
    t.Band(btMasterData, 20, 20, "Zbozi");
    t.Memo(20, 20, 200, 18, {"[Nazev]"});
    const QString layout = dir.filePath("ceník.vlf");
    ASSERT_TRUE(t.report->SaveToFile(layout));
    TvlReport loaded(&t.owner);
    loaded.OnGetValue = t.report->OnGetValue;
    loaded.ShowProgress = false;
    ASSERT_TRUE(loaded.LoadFromFile(layout));
    EXPECT_EQ(loaded.FileName, layout);
    ASSERT_TRUE(loaded.PrepareReport());
    EXPECT_TRUE(loaded.CanRebuild);
    const QString prepared = dir.filePath("ceník.vlp");
    ASSERT_TRUE(loaded.SavePreparedReport(prepared));
    TvlReport shown;
    ASSERT_TRUE(shown.LoadPreparedReport(prepared));
    EXPECT_FALSE(shown.CanRebuild);
    ASSERT_EQ(shown.EMFPages.Count(), 1);
    QString error;
    EXPECT_FALSE(loaded.LoadFromFile(dir.filePath("chybí.vlf"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(loaded.FileName, layout);
}

TEST(ReportComponent, PrintsAPageListToAPdfPrinter)
{
    QTemporaryDir dir;
    TestReport t;
    QList<QVariantList> rows;
    for (int i = 1; i <= 150; ++i)
        rows << QVariantList{QStringLiteral("Řádek %1").arg(i)};
    t.Rows("Zbozi", {"Nazev"}, rows);
    t.Band(btMasterData, 20, 20, "Zbozi");
    t.Memo(20, 20, 200, 18, {"[Nazev]"});
    ASSERT_TRUE(t.report->PrepareReport());
    ASSERT_EQ(t.report->EMFPages.Count(), 3);
    ASSERT_TRUE(vlPrinter().IsVirtual());
    const QString pdf = dir.filePath("tisk.pdf");
    vlPrinter().Printer()->setOutputFileName(pdf);
    t.report->Title = "Ceník";
    ASSERT_TRUE(t.report->PrintPreparedReport("1, 3", 2));
    EXPECT_EQ(vlPrinter().Printer()->docName(), "Vellum: Ceník");
    QProcess info;
    info.start("pdfinfo", {pdf});
    ASSERT_TRUE(info.waitForFinished());
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression("Pages:\\s+4\\n")));
    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(text.waitForFinished());
    const QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(u'\f');
    ASSERT_GE(pages.size(), 4);
    EXPECT_TRUE(pages[0].contains("Řádek 1\n")) << pages[0].left(200).toStdString();
    EXPECT_TRUE(pages[1].contains("Řádek 1\n"));
    EXPECT_TRUE(pages[2].contains("Řádek 150")) << pages[2].left(200).toStdString();
    EXPECT_FALSE(pages[2].contains("Řádek 60\n"));
    EXPECT_FALSE(t.report->PrintPreparedReport("2-1", 1));
    // Numbers past the last page stand for the last page.
    ASSERT_TRUE(t.report->PrintPreparedReport("3-9", 1));
    info.start("pdfinfo", {pdf});
    ASSERT_TRUE(info.waitForFinished());
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression("Pages:\\s+1\\n")));
}

TEST(ReportComponent, ABuildDoesNotStartInsideAnother)
{
    TestReport t;
    t.Rows("Zbozi", {"Nazev"}, {{"Mléko"}});
    t.Band(btMasterData, 20, 20, "Zbozi");
    t.Memo(20, 20, 200, 18, {"[Nazev]"});
    bool inner = true;
    int pages = 0;
    t.report->OnBeginPage = [&](int) {
        inner = t.report->PrepareReport();
        pages = t.report->EMFPages.Count();
    };
    ASSERT_TRUE(t.report->PrepareReport());
    EXPECT_FALSE(inner);
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(t.report->EMFPages.Count(), 1);
}

TEST(ReportComponent, CompositeReportContinuesOnThePreviousPage)
{
    TestReport first, second;
    first.Band(btReportTitle, 20, 20);
    first.Memo(20, 20, 200, 18, {"První [PAGE#]"});
    second.Band(btReportTitle, 20, 20);
    second.Memo(20, 20, 200, 18, {"Druhá [PAGE#]"});
    QStringList events;
    first.report->OnBeginDoc = [&] { events << "begin 1"; };
    second.report->OnEndDoc = [&] { events << "end 2"; };
    TvlCompositeReport composite;
    composite.ShowProgress = false;
    composite.Reports = {first.report, second.report};
    ASSERT_TRUE(composite.PrepareReport());
    EXPECT_EQ(composite.EMFPages.Count(), 2);
    second.page->PrintOnPreviousPage = 1;
    ASSERT_TRUE(composite.PrepareReport());
    ASSERT_EQ(composite.EMFPages.Count(), 1);
    EXPECT_EQ(events, QStringList({"begin 1", "end 2", "begin 1", "end 2"}));
    int objects = 0;
    composite.EMFPages.ExportPage(0, [&](TvlView &view) {
        ++objects;
        EXPECT_EQ(view.Top, objects == 1 ? 18 : 38);
    });
    EXPECT_EQ(objects, 2);
}

TEST(ReportComponent, AnInvalidPrinterKeepsTheOldOne)
{
    FixedPrinterBackend::Printer office;
    office.description.name = "kancelar";
    office.description.isDefault = true;
    office.papers = {QPageSize(QPageSize::A4), QPageSize(QPageSize::A5)};
    ScopedPrinterBackend backend(std::make_unique<FixedPrinterBackend>(QList<FixedPrinterBackend::Printer>{office}));
    vlFreePrinter();
    TvlReport report;
    TvlPage *page = report.Pages.Add();
    page->ChangePaper(11, 1480, 2100, poPortrait);
    const int virtualPrinter = vlPrinter().VirtualPrinterIndex();
    EXPECT_TRUE(report.ChangePrinter(virtualPrinter, 0));
    EXPECT_EQ(vlPrinter().PrinterIndex(), 0);
    EXPECT_EQ(page->PaperSize, 11);
    EXPECT_FALSE(report.ChangePrinter(0, 7));
    EXPECT_EQ(vlPrinter().PrinterIndex(), 0);
    vlFreePrinter();
}

TEST(ReportComponent, WindowsOpenBeforeABuildTakeNoInputWhileItRuns)
{
    TestReport t;
    t.Rows("Zbozi", {"Nazev"}, {{"Mléko"}});
    t.Band(btMasterData, 20, 20, "Zbozi");
    t.Memo(20, 20, 200, 18, {"[Nazev]"});
    QLineEdit before;
    before.show();
    std::unique_ptr<QLineEdit> during;
    t.report->OnBeginPage = [&](int) {
        during = std::make_unique<QLineEdit>();
        during->show();
        for (QLineEdit *edit : {&before, during.get()}) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
            QApplication::sendEvent(edit, &press);
        }
    };
    ASSERT_TRUE(t.report->PrepareReport());
    EXPECT_EQ(before.text(), "");
    EXPECT_EQ(during->text(), "a");
    QKeyEvent press(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, "b");
    QApplication::sendEvent(&before, &press);
    EXPECT_EQ(before.text(), "b");
}

TEST(ReportComponent, ShowReportLendsThePagesToThePreview)
{
    TestReport t;
    t.Rows("Zbozi", goodsRows().first, goodsRows().second);
    t.Band(btReportTitle, 20, 30);
    t.Memo(20, 20, 300, 20, {"Ceník zboží"});
    t.Band(btMasterData, 60, 20, "Zbozi");
    t.Memo(20, 60, 200, 18, {"[Nazev]"});
    t.Memo(240, 60, 100, 18, {"[Cena #N10,2]"})->Adjust = adRight;
    t.report->ModalPreview = false;
    t.report->Title = "Ceník";
    t.report->ShowReport();
    TvlPreviewForm *form = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *f = qobject_cast<TvlPreviewForm *>(w); f && f->isVisible())
            form = f;
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->AllPages(), 1);
    EXPECT_EQ(t.report->EMFPages.Count(), 0); // lent while the preview shows them
    if (qEnvironmentVariableIsSet("TARMIL5_SHOT"))
        form->grab().save(qEnvironmentVariable("TARMIL5_SHOT"));
    delete form;
    EXPECT_EQ(t.report->EMFPages.Count(), 1);
}

TEST(ReportValues, AFaultyGroupConditionNamesTheReportAndTheBandInCzech)
{
    TestReport t;
    t.Rows("Zbozi", {"Nazev", "Skupina"}, {{"Mléko", "Potraviny"}, {"Sýr", "Mléčné"}});
    t.Band(btGroupHeader, 20, 20, "[Skupina] * 2");
    t.Memo(20, 20, 300, 18, {"[Skupina]"});
    t.Band(btMasterData, 50, 20, "Zbozi");
    t.Memo(20, 50, 300, 18, {"[Nazev]"});
    EXPECT_FALSE(t.report->PrepareReport());
    const QString error = t.report->ErrorText();
    EXPECT_TRUE(error.contains("Sestava: Sestava\rBand: Group header")) << error.toStdString();
    EXPECT_TRUE(error.contains("[Skupina] * 2")) << error.toStdString();
    EXPECT_TRUE(error.contains("Hodnotu typu text nelze převést na číslo.")) << error.toStdString();
}
