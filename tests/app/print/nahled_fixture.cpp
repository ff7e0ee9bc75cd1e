#include "app/print/nahled_fixture.h"

#include "app/start/appglobals.h"
#include "report/printer.h"
#include "report/rich/vlrichview.h"
#include "report/vlmemoview.h"
#include "report/vlreport.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QWidget>

QString QueryPrintData::DocumentField(const QString &column) const
{
    Db::Dataset *rows = m_documents->DataSet();
    Db::Field *field = rows && rows->Active() ? rows->FindField(column) : nullptr;
    return field ? field->AsString() : QString();
}

LayoutBuilder::LayoutBuilder()
    : report(new TvlReport)
{
    page = report->Pages.Add();
}

LayoutBuilder::~LayoutBuilder()
{
    delete report;
}

TvlBandView *LayoutBuilder::Band(int type, int top, int height, const QString &dataset)
{
    auto band = std::make_unique<TvlBandView>();
    band->SetBandType(type);
    band->SetBounds(0, top, 700, height);
    band->FormatText = dataset;
    band->Flags = 48;
    band->Name = QStringLiteral("Band%1").arg(top);
    return static_cast<TvlBandView *>(page->Add(std::move(band)));
}

TvlMemoView *LayoutBuilder::Memo(const QString &name, int left, int top, int width, int height, const QStringList &text)
{
    auto memo = std::make_unique<TvlMemoView>();
    memo->SetBounds(left, top, width, height);
    memo->Memo = text;
    memo->Flags = mfWordWrap;
    memo->Name = name;
    return static_cast<TvlMemoView *>(page->Add(std::move(memo)));
}

void LayoutBuilder::Rich(const QString &name, int left, int top, int width, int height)
{
    vlRegisterRichView();
    auto rich = std::make_unique<TvlRichView>();
    rich->SetBounds(left, top, width, height);
    rich->RichEdit.setPlainText(QStringLiteral("?"));
    rich->Name = name;
    page->Add(std::move(rich));
}

void LayoutBuilder::Save(const QString &path)
{
    QString error;
    ASSERT_TRUE(report->SaveToFile(path, &error)) << error.toStdString();
}

void NahledTest::SetUp()
{
    LiveDatabaseTest::SetUp();
    ASSERT_TRUE(home.isValid());
    savedAppPath = AppPath;
    savedSestavy = PathSestavy;
    savedExport = PathExport;
    AppPath = home.path() + u'/';
    PathSestavy = home.filePath(QStringLiteral("Sestavy"));
    PathExport = home.filePath(QStringLiteral("Export"));
    QDir(home.path()).mkpath(QStringLiteral("Sestavy"));
    QDir(home.path()).mkpath(QStringLiteral("Export"));

    vlFreePrinter();
    FixedPrinterBackend::Printer laser, invoices;
    laser.description.name = QStringLiteral("Laser");
    laser.description.isDefault = true;
    laser.papers = {QPageSize(QPageSize::A4), QPageSize(QPageSize::A5)};
    laser.dpiX = laser.dpiY = 300;
    invoices = laser;
    invoices.description.name = QStringLiteral("Fakturace");
    invoices.description.isDefault = false;
    printers = std::make_unique<ScopedPrinterBackend>(
        std::make_unique<FixedPrinterBackend>(QList<FixedPrinterBackend::Printer>{laser, invoices}));

    settings.nazev = QStringLiteral("Železářství Novák");
    settings.poznamka = QStringLiteral("Děkujeme.");
    settings.setPrinter(DocumentPrinter::Faktura, 1, QStringLiteral("Fakturace"));
    scopedSettings = std::make_unique<ScopedShopSettings>(&settings);

    run(QStringLiteral(
        "CREATE TABLE doklad (id_doklad integer PRIMARY KEY, id_operace integer, doklad_vytisteny varchar(20), "
        " odberatel varchar(60));"
        "CREATE TABLE doklad_detail (id integer PRIMARY KEY, id_doklad integer, polozka varchar(60), "
        " mnozstvi numeric(19,4), cena numeric(19,4), dph numeric(5,2));"
        "INSERT INTO doklad VALUES (7, 2, 'FA-2024-0007', 'Stavebniny Dvořák s.r.o.');"
        "INSERT INTO doklad_detail VALUES (1, 7, 'Šroubovák křížový', 2, 149.5, 21), "
        " (2, 7, 'Žárovka úsporná', 10, 39.9, 21), (3, 7, 'Kniha Řemesla', 1, 1250, 12);"));
    documents.SetConnection(&connection);
    documents.SetSQL(QStringLiteral("SELECT * FROM doklad ORDER BY id_doklad"));
    lines.SetConnection(&connection);
    lines.SetSQL(QStringLiteral("SELECT * FROM doklad_detail ORDER BY id"));
    documentSource.SetDataSet(&documents);
    lineSource.SetDataSet(&lines);
    documents.Open();
    lines.Open();
}

void NahledTest::TearDown()
{
    // TARMIL5_KEEP_PRINTS names a folder that keeps the test's PDF files to look at.
    if (const QString keep = qEnvironmentVariable("TARMIL5_KEEP_PRINTS"); !keep.isEmpty()) {
        const QString prefix = QString::fromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name());
        for (const QString &pdf : QDir(home.path()).entryList({QStringLiteral("*.pdf")}))
            QFile::copy(home.filePath(pdf), QDir(keep).filePath(prefix + u'_' + pdf));
    }
    TForm_Nahled::ExecDialog = [](QDialog *dialog) { return dialog->exec(); };
    vlFreePrinter();
    printers.reset();
    scopedSettings.reset();
    AppPath = savedAppPath;
    PathSestavy = savedSestavy;
    PathExport = savedExport;
}

void NahledTest::WriteInvoice(const QString &file)
{
    LayoutBuilder layout;
    layout.Band(btReportTitle, 0, 120);
    layout.Memo(QStringLiteral("Sestava_Doklad"), 20, 0, 600, 20,
                {QStringLiteral("Faktura [vlDBDataSet_Doklad.doklad_vytisteny]")});
    layout.Memo(QStringLiteral("Strany"), 20, 20, 600, 20,
                {QStringLiteral("Dodavatel: [DODAVATEL_NAZEV] Odběratel: [ODBERATEL_NAZEV]")});
    layout.Rich(QStringLiteral("Hlavicka"), 20, 40, 660, 60);
    layout.Band(btMasterData, 150, 420, QStringLiteral("vlDBDataSet_DokladDetail"));
    layout.Memo(QStringLiteral("Radek"), 20, 150, 600, 20,
                {QStringLiteral("[polozka] [mnozstvi #N10,0] x [cena #N10,2] Kč [dph #N10,0] %")});
    layout.Band(btReportSummary, 600, 60);
    layout.Memo(QStringLiteral("Souhrn"), 20, 600, 600, 20, {QStringLiteral("[DPH1_DPH] [DPH2_ZAKLAD] [POZNAMKA]")});
    layout.Save(CombinePath(file, PathSestavy));
}

void NahledTest::WriteSimple(const QString &file, const QString &text)
{
    LayoutBuilder layout;
    layout.Band(btReportTitle, 0, 40);
    layout.Memo(QStringLiteral("Text"), 20, 0, 600, 20, {text});
    layout.Save(CombinePath(file, PathSestavy));
}

std::unique_ptr<TForm_Nahled> NahledTest::NewForm()
{
    auto form = std::make_unique<TForm_Nahled>(&documentSource, &lineSource, nullptr);
    auto printData = std::make_unique<QueryPrintData>(&documentSource);
    data = printData.get();
    form->SetPrintData(std::move(printData));
    return form;
}

void Snapshot(QWidget *widget, const QString &name)
{
    const QString folder = qEnvironmentVariable("TARMIL5_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    widget->show();
    QApplication::processEvents();
    widget->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

QString PdfText(const QString &file)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0)
        return QStringLiteral("(pdftotext failed: %1)").arg(QString::fromUtf8(pdftotext.readAllStandardError()));
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}
