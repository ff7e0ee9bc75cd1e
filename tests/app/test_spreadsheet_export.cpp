// The export of a grid: the worksheet stream byte for byte and as a reader
// of other programs sees it, the automation calls, and the .xlsx written for
// the desktop's spreadsheet program.
#include "app/spreadsheet/biffreader.h"
#include "app/spreadsheet/form_export.h"
#include "app/spreadsheet/spreadsheetautomation.h"
#include "app/spreadsheet/xlsxautomation.h"
#include "common/scripted_messages.h"
#include "common/test_connection.h"
#include "kit/dbgrid.h"
#include "kit/dbgridcolumns.h"
#include "kit/dbgridmodel.h"
#include "office_convert.h"
#include "platform/db/dataset.h"
#include "platform/db/datasource.h"
#include "python_reader.h"

#include <QCoreApplication>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>

#include <memory>

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

// Every call the export makes, as text.
class RecordingAutomation : public SpreadsheetAutomation
{
public:
    explicit RecordingAutomation(QStringList &log, bool available = true, int failAtValue = 0)
        : m_log(log)
        , m_available(available)
        , m_failAtValue(failAtValue)
    {}
    bool CreateApplication() override
    {
        m_log << QStringLiteral("create");
        return m_available;
    }
    void WorkBooksAdd() override { m_log << QStringLiteral("add"); }
    void SetNumberFormat(int row, int column, const QString &format) override
    {
        m_log << QStringLiteral("format %1,%2 %3").arg(row).arg(column).arg(format);
    }
    void SetValue(int row, int column, const Variant &value) override
    {
        if (++m_values == m_failAtValue)
            throw AutomationError(QStringLiteral("list zavřen"));
        m_log << QStringLiteral("value %1,%2 %3 %4")
                     .arg(row)
                     .arg(column)
                     .arg(Variant::typeName(value.type()), value.toString());
    }
    void ColumnsAutoFit() override { m_log << QStringLiteral("autofit"); }
    void SetVisible() override { m_log << QStringLiteral("visible"); }

private:
    QStringList &m_log;
    bool m_available;
    int m_failAtValue;
    int m_values = 0;
};

class SpreadsheetExportTest : public LiveDatabaseTest
{
protected:
    void SetUp() override
    {
        LiveDatabaseTest::SetUp();
        run(QStringLiteral("CREATE TABLE t (id integer PRIMARY KEY, nazev varchar(20), cena numeric(19,4), "
                           "platny boolean, velke bigint);"
                           "INSERT INTO t VALUES (-1, 'ž', 0.5, false, 1), (5, 'Šroub', 12.5, true, 5000000000)"));
        query = new Db::Dataset(&host);
        query->SetConnection(&connection);
        query->KeyFields = QStringLiteral("id");
        source = new Db::DataSource(&host);
        source->SetDataSet(query);
        grid = new TKxDBGrid(&host);
        grid->setObjectName(QStringLiteral("KxDBGrid_Test"));
        grid->resize(600, 300);
        grid->SetDataSource(source);
        form.ChooseFile = [this] { return file(); };
    }

    void open(const QString &sql)
    {
        query->SetSQL(sql);
        query->Open();
    }

    QString file() const { return dir.filePath(QStringLiteral("Export.xls")); }

    QByteArray written() const
    {
        QFile in(file());
        EXPECT_TRUE(in.open(QIODevice::ReadOnly));
        return in.readAll();
    }

    void selectPositions(std::initializer_list<int> positions)
    {
        auto *model = dynamic_cast<TKxDBGridModel *>(grid->model());
        ASSERT_NE(model, nullptr);
        for (int position : positions)
            grid->SelectedRows().Select(model->RowKey(position), true);
    }

    QWidget host;
    QTemporaryDir dir;
    ScriptedMessages messages;
    Db::Dataset *query = nullptr;
    Db::DataSource *source = nullptr;
    TKxDBGrid *grid = nullptr;
    TForm_Export form;
};

} // namespace

TEST_F(SpreadsheetExportTest, FileHoldsExactlyTheRecordsOfTheStream)
{
    open(QStringLiteral("SELECT id, nazev FROM t ORDER BY id"));
    form.ExportToFile(grid, true);
    const QByteArray expected = hex("09 08 08 00 00 00 10 00 00 00 00 00"
                                    "42 00 02 00 E2 04"
                                    "04 02 0A 00 00 00 00 00 00 00 02 00 69 64"
                                    "04 02 0D 00 00 00 01 00 00 00 05 00 6E 61 7A 65 76"
                                    "7E 02 0A 00 01 00 00 00 00 00 FE FF FF FF"
                                    "04 02 09 00 01 00 01 00 00 00 01 00 9E"
                                    "7E 02 0A 00 02 00 00 00 00 00 16 00 00 00"
                                    "04 02 0D 00 02 00 01 00 00 00 05 00 8A 72 6F 75 62"
                                    "0A 00 00 00");
    EXPECT_EQ(written().toHex(' '), expected.toHex(' '));

    // An empty list: the title row alone between BOF with the code page and EOF.
    open(QStringLiteral("SELECT id, nazev FROM t WHERE false"));
    form.ExportToFile(grid, true);
    EXPECT_EQ(written().toHex(' '), hex("09 08 08 00 00 00 10 00 00 00 00 00"
                                        "42 00 02 00 E2 04"
                                        "04 02 0A 00 00 00 00 00 00 00 02 00 69 64"
                                        "04 02 0D 00 00 00 01 00 00 00 05 00 6E 61 7A 65 76"
                                        "0A 00 00 00")
                                        .toHex(' '));
    EXPECT_FALSE(messages.progressShown());
}

TEST_F(SpreadsheetExportTest, EachFieldClassIsReadBackByAnIndependentReader)
{
    open(QStringLiteral("SELECT id, nazev, cena, platny, velke, 2147483647 AS max_int FROM t ORDER BY id"));
    form.ExportToFile(grid, true);
    const QString cells =
        runPython(QStringLiteral("import sys, xlrd\n"
                                 "sh = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)\n"
                                 "for r in range(sh.nrows):\n"
                                 "    print('|'.join('%d:%r' % (sh.cell_type(r, c), sh.cell_value(r, c)) "
                                 "for c in range(sh.ncols)))\n"),
                  {file()});
    EXPECT_EQ(cells, QStringLiteral("1:'id'|1:'nazev'|1:'cena'|1:'platny'|1:'velke'|1:'max_int'\n"
                                    "2:-1.0|1:'ž'|2:0.5|1:'N'|1:'1'|2:2147483647.0\n"
                                    "2:5.0|1:'Šroub'|2:12.5|1:'A'|1:'5000000000'|2:2147483647.0\n"));
    // An integer beyond the compact record is a full number, never cut to 30 bits.
    const SheetCells back = BiffReader::read(written());
    EXPECT_EQ(back.value(2, 6).toDouble(), 2147483647.0);
    EXPECT_EQ(back.value(3, 2).toString(), QStringLiteral("Šroub"));
}

// The file names its code page, so a spreadsheet program in any locale shows
// the Czech letters (without it, "Oznaèení").
TEST_F(SpreadsheetExportTest, CzechTextsReachAProgramRunInAnotherLocale)
{
    open(QStringLiteral("SELECT id AS \"Označení\", nazev AS \"Křížový název\" FROM t ORDER BY id"));
    form.ExportToFile(grid, true);
    const QString csv = ConvertWithOffice(file(), OfficeCsvFilter(), dir.path());
    ASSERT_FALSE(csv.isEmpty());
    QFile in(csv);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(in.readAll()), QStringLiteral("Označení,Křížový název\n-1,ž\n5,Šroub\n"));
}

TEST_F(SpreadsheetExportTest, SelectionAndHiddenColumnsChooseWhatIsExported)
{
    open(QStringLiteral("SELECT generate_series(1, 100) AS id, 'x' || generate_series(1, 100) AS kod, "
                        "1.5 AS cena"));
    grid->Columns().Add(QStringLiteral("id"));
    grid->Columns().Add(QStringLiteral("kod"));
    grid->Columns().Add(QStringLiteral("cena"));
    grid->Columns()[1]->Visible = false;
    grid->Columns().Rebind(query, grid->font());
    selectPositions({41, 6});

    form.ExportToFile(grid, false);
    SheetCells cells = BiffReader::read(written());
    EXPECT_EQ(cells.lastUsedRow(), 3);
    EXPECT_EQ(cells.value(1, 2).toString(), QStringLiteral("cena")); // hidden column leaves no gap
    EXPECT_EQ(cells.value(2, 1).toInt(), 42);                        // in the order of marking
    EXPECT_EQ(cells.value(3, 1).toInt(), 7);
    EXPECT_TRUE(cells.value(1, 3).isUnassigned());

    form.ExportToFile(grid, true);
    cells = BiffReader::read(written());
    EXPECT_EQ(cells.value(1, 2).toString(), QStringLiteral("kod"));
    EXPECT_EQ(cells.value(2, 2).toString(), QStringLiteral("x42"));
}

TEST_F(SpreadsheetExportTest, InterruptionKeepsTheRecordsWrittenAndEndsTheStream)
{
    open(QStringLiteral("SELECT generate_series(1, 100) AS id"));
    messages.interruptAtStep(10);
    form.ExportToFile(grid, true);
    const QByteArray bytes = written();
    EXPECT_TRUE(bytes.endsWith(hex("0A 00 00 00")));
    const SheetCells cells = BiffReader::read(bytes);
    EXPECT_EQ(cells.lastUsedRow(), 11);
    EXPECT_EQ(cells.value(11, 1).toInt(), 10);
    const auto steps = messages.callsOf(MessageCall::ProgressStep);
    ASSERT_FALSE(steps.isEmpty());
    EXPECT_EQ(steps.last().heading, QStringLiteral(" Exportuji záznam [10]"));
    EXPECT_FALSE(messages.progressShown());
}

TEST_F(SpreadsheetExportTest, UnwritableFileIsReportedAndLeavesTheOldOne)
{
    open(QStringLiteral("SELECT id FROM t"));
    form.ChooseFile = [this] { return dir.filePath(QStringLiteral("chybí/Export.xls")); };
    form.ExportToFile(grid, true);
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    EXPECT_EQ(messages.calls.last().kind, MessageCall::Warning);
    EXPECT_EQ(messages.callsOf(MessageCall::Warning).first().heading,
              QStringLiteral("Export do souboru se nezdařil..."));
    EXPECT_FALSE(messages.progressShown());
    EXPECT_FALSE(query->ControlsDisabled());

    // A cancelled file choice writes nothing.
    form.ChooseFile = [] { return QString(); };
    form.ExportToFile(grid, true);
    EXPECT_FALSE(QFile::exists(file()));
}

TEST_F(SpreadsheetExportTest, AutomationCallsFollowTheFieldClasses)
{
    open(QStringLiteral("SELECT id, nazev, cena, platny, velke FROM t WHERE id = 5"));
    QStringList log;
    form.CreateAutomation = [&log] { return std::make_unique<RecordingAutomation>(log); };
    form.ExportToExcel(grid, true);
    EXPECT_EQ(log,
              QStringList({"create", "add", "value 1,1 String id", "value 1,2 String nazev", "value 1,3 String cena",
                           "value 1,4 String platny", "value 1,5 String velke", "value 2,1 Int64 5", "format 2,2 @",
                           "value 2,2 String Šroub", "format 2,3 0,00", "value 2,3 Double 12,5", "value 2,4 String A",
                           "format 2,5 0", "value 2,5 String 5000000000", "autofit", "visible"}));
}

TEST_F(SpreadsheetExportTest, AutomationFailuresAreReportedAndTheWorkbookStillShown)
{
    open(QStringLiteral("SELECT id FROM t"));
    QStringList log;
    form.CreateAutomation = [&log] { return std::make_unique<RecordingAutomation>(log, false); };
    form.ExportToExcel(grid, true);
    EXPECT_EQ(log, QStringList({"create"}));
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    EXPECT_EQ(messages.calls.last().heading, QStringLiteral("Připojení k aplikaci MSExcel se nezdařilo..."));

    log.clear();
    form.CreateAutomation = [&log] { return std::make_unique<RecordingAutomation>(log, true, 2); };
    form.ExportToExcel(grid, true);
    EXPECT_EQ(log.mid(log.size() - 2), QStringList({"autofit", "visible"}));
    const auto warnings = messages.callsOf(MessageCall::Warning);
    ASSERT_EQ(warnings.size(), 2);
    EXPECT_EQ(warnings.last().heading, QStringLiteral("Zápis záznamu do Excelu se nezdařil..."));
    EXPECT_EQ(warnings.last().description, QStringLiteral("list zavřen"));
    EXPECT_FALSE(messages.progressShown());
}

TEST_F(SpreadsheetExportTest, AWorkbookNoProgramOpensIsReportedSavedWithItsPath)
{
    open(QStringLiteral("SELECT id FROM t"));
    QString tried;
    form.CreateAutomation = [&] {
        auto sheet = std::make_unique<XlsxAutomation>(dir.path());
        sheet->Open = [&tried](const QString &file) {
            tried = file;
            return false;
        };
        return sheet;
    };
    form.ExportToExcel(grid, true);
    ASSERT_TRUE(QFile::exists(tried)) << qPrintable(tried);
    EXPECT_EQ(messages.count(MessageCall::Warning), 0) << "nothing failed: the rows are in the file";
    const auto infos = messages.callsOf(MessageCall::Information);
    ASSERT_EQ(infos.size(), 1);
    EXPECT_EQ(infos.first().heading, QStringLiteral("Sešit je uložen, žádný program pro tabulky ho ale neotevřel..."));
    EXPECT_EQ(infos.first().detail, QStringLiteral("Soubor: ") + tried);
}

// The desktop's opener reports success even when it finds no program; the
// desktop's own choice tells, and the user learns where the workbook is.
TEST_F(SpreadsheetExportTest, ADesktopWithoutAProgramForWorkbooksIsAskedFirst)
{
    open(QStringLiteral("SELECT id FROM t"));
    QTemporaryDir bin;
    const QString asked = bin.filePath(QStringLiteral("asked"));
    auto tool = [&bin](const char *name, const QString &body) {
        QFile script(bin.filePath(QLatin1String(name)));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(("#!/bin/sh\n" + body + "\n").toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    tool("xdg-mime", QStringLiteral("echo \"$@\" >> '%1'").arg(asked));
    tool("xdg-open", QStringLiteral("exit 0"));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()) + ':' + path);
    form.CreateAutomation = [&] { return std::make_unique<XlsxAutomation>(dir.path()); };
    form.ExportToExcel(grid, true);
    qputenv("PATH", path);

    QFile question(asked);
    ASSERT_TRUE(question.open(QIODevice::ReadOnly));
    EXPECT_EQ(question.readAll(), "query default application/vnd.openxmlformats-officedocument.spreadsheetml.sheet\n");
    const auto infos = messages.callsOf(MessageCall::Information);
    ASSERT_EQ(infos.size(), 1);
    EXPECT_EQ(infos.first().heading, QStringLiteral("Sešit je uložen, žádný program pro tabulky ho ale neotevřel..."));
    const QString saved = infos.first().detail.mid(QStringLiteral("Soubor: ").size());
    EXPECT_TRUE(saved.startsWith(dir.path()) && QFile::exists(saved)) << qPrintable(saved);

    // A desktop that names a program is left to open the workbook.
    tool("xdg-mime", QStringLiteral("echo libreoffice-calc.desktop"));
    qputenv("PATH", QFile::encodeName(bin.path()) + ':' + path);
    EXPECT_TRUE(XlsxAutomation::DesktopHasProgramFor(saved));
    qputenv("PATH", path);
}

TEST_F(SpreadsheetExportTest, WorkbookForTheDesktopHasFormatsAndWidths)
{
    open(QStringLiteral("SELECT id, nazev, cena, platny, velke FROM t ORDER BY id"));
    QString opened;
    form.CreateAutomation = [&] {
        auto sheet = std::make_unique<XlsxAutomation>(dir.path());
        sheet->Open = [&opened](const QString &file) {
            opened = file;
            return true;
        };
        return sheet;
    };
    form.ExportToExcel(grid, true);
    ASSERT_TRUE(opened.endsWith(QStringLiteral(".xlsx"))) << qPrintable(opened);
    const QString cells = runPython(
        QStringLiteral("import sys, openpyxl\n"
                       "ws = openpyxl.load_workbook(sys.argv[1]).active\n"
                       "for row in ws.iter_rows():\n"
                       "    print('|'.join('%r/%s' % (c.value, c.number_format) for c in row))\n"
                       "print(' '.join('%s=%d' % (k, int(ws.column_dimensions[k].width)) for k in 'ABCDE'))\n"),
        {opened});
    EXPECT_EQ(cells.toStdString(),
              std::string("'id'/General|'nazev'/General|'cena'/General|'platny'/General|'velke'/General\n"
                          "-1/General|'ž'/@|0.5/0.00|'N'/General|1/0\n"
                          "5/General|'Šroub'/@|12.5/0.00|'A'/General|5000000000/0\n"
                          "A=4 B=7 C=7 D=8 E=12\n"));
}

// A list read in pages: the grid scrolled to its bottom brings the next page,
// and the export writes every row, not only those read.
TEST_F(SpreadsheetExportTest, APagedListGrowsAsTheGridScrollsAndIsExportedWhole)
{
    query->setPageRows(100);
    open(QStringLiteral("SELECT generate_series(1, 1000) AS id ORDER BY id")); // pages go on after an id
    EXPECT_EQ(query->RecordCount(), 100);
    host.resize(600, 300);
    host.show();
    QCoreApplication::processEvents();
    QScrollBar *bar = grid->verticalScrollBar();
    bar->setValue(bar->maximum());
    QCoreApplication::processEvents();
    EXPECT_EQ(query->RecordCount(), 200);
    EXPECT_EQ(query->RecNo(), 1); // the view scrolled, the list stays on its row
    EXPECT_LT(bar->value(), bar->maximum());

    form.ExportToFile(grid, true);
    const SheetCells cells = BiffReader::read(written());
    EXPECT_EQ(cells.lastUsedRow(), 1001);
    EXPECT_EQ(cells.value(1001, 1).toInt(), 1000);
    EXPECT_EQ(query->RecNo(), 1);
}
