#pragma once
// The printing screen over a real query: a document with lines of Czech
// item names and two VAT rates, layouts built here from the object model
// and saved into a program folder of the test, two printers that write PDF
// files, the settings and messages of the test.
#include "app/print/nahled.h"
#include "app/print/print_fixture.h"
#include "app/settings/shopsettings.h"
#include "common/scripted_messages.h"
#include "common/test_connection.h"
#include "platform/db/dataset.h"
#include "platform/db/datasource.h"
#include "platform/printers.h"
#include "report/vlbandview.h"

#include <QTemporaryDir>

#include <functional>
#include <memory>

class TvlMemoView;
class TvlPage;
class TvlReport;

// The document's fields from the test's query, the rest fixed.
class QueryPrintData : public FixedPrintData
{
public:
    explicit QueryPrintData(Db::DataSource *documents)
        : m_documents(documents)
    {}
    QString DocumentField(const QString &column) const override;

private:
    Db::DataSource *m_documents;
};

// The text pdftotext reads from the file; pages separated by form feeds.
QString PdfText(const QString &file);

// With TARMIL5_SCREENSHOTS naming a folder, the widget as shown goes
// there as a picture (run under a display server to look at the screens).
void Snapshot(QWidget *widget, const QString &name);

// A layout made in the test.
class LayoutBuilder
{
public:
    LayoutBuilder();
    ~LayoutBuilder();
    TvlBandView *Band(int type, int top, int height, const QString &dataset = {});
    TvlMemoView *Memo(const QString &name, int left, int top, int width, int height, const QStringList &text);
    void Rich(const QString &name, int left, int top, int width, int height);
    void Save(const QString &path);

    TvlReport *report;
    TvlPage *page;
};

class NahledTest : public LiveDatabaseTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The invoice layout: title, supplier and customer, the header rich text,
    // one band per line (tall enough for two lines a page), VAT captions and note.
    void WriteInvoice(const QString &file = QStringLiteral("Faktura_A4.vlf"));
    // A one-line layout printing its text.
    void WriteSimple(const QString &file, const QString &text);
    std::unique_ptr<TForm_Nahled> NewForm();
    QString Path(const QString &name) const { return home.filePath(name); }

    QTemporaryDir home;
    ScriptedMessages messages;
    MemoryShopSettings settings;
    std::unique_ptr<ScopedShopSettings> scopedSettings;
    std::unique_ptr<ScopedPrinterBackend> printers;
    Db::Dataset documents, lines;
    Db::DataSource documentSource, lineSource;
    QueryPrintData *data = nullptr; // owned by the last form made
    QString savedAppPath, savedSestavy, savedExport;
};
