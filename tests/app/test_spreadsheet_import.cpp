// The item import: the column checks with their texts, the workbook readers,
// and the run over a real database with its questions and the one
// transaction of "remove the existing items".
#include "app/spreadsheet/importrules.h"
#include "app/spreadsheet/itemimport.h"
#include "app/spreadsheet/spreadsheetsource.h"
#include "app/spreadsheet/xlsxreader.h"
#include "data/dm_fixture.h"
#include "importsheet.h"
#include "office_convert.h"
#include "python_reader.h"

#include <QTemporaryDir>

#include <functional>
#include <utility>

namespace {

class FakeLookups : public ImportLookups
{
public:
    bool ItemMarkExists(const QString &mark) override { return mark == u"OBSAZENO"; }
    bool ItemCodeExists(const QString &code) override { return code == u"OBSAZENO"; }
    bool ItemNameExists(const QString &name) override { return name == u"Obsazeno"; }
    int VatIdByRate(Currency rate) override { return rate == Currency::fromInt(20) ? 3 : 0; }
    int FindCategoryByPath(const QString &path) override { return path == u"?\\Nářadí" ? 2 : 0; }
    int ContactIdByName(const QString &name) override { return name == u"-" ? 1 : 0; }
    int UnitIdByName(const QString &name) override { return name == u"ks" ? 2 : 0; }
};

} // namespace

TEST(ImportRules, EachColumnRefusesWithItsOwnReasonInOrder)
{
    FakeLookups lookups;
    struct Case
    {
        int column;
        Variant value;
        const char *reason;
    };
    const Case cases[] = {
        {1, Variant("12345678901234567"), "Označení položky, řetězec musí být 1 až 16 znaků dlouhý"},
        {1, Variant(), "Označení položky, řetězec musí být 1 až 16 znaků dlouhý"},
        {1, Variant("OBSAZENO"), "Označení položky, řetězec v databázi již existuje"},
        {2, Variant("OBSAZENO"), "Kód položky, hodnota v databázi již existuje"},
        {3, Variant(QString(65, u'x')), "Název položky, řetězec musí být 0 až 64 znaků dlouhý"},
        {3, Variant("Obsazeno"), "Název položky, řetězec v databázi již existuje"},
        {4, Variant(QString(129, u'x')), "Specifikace položky, řetězec musí být 0 až 128 znaků dlouhý"},
        {5, Variant("dva roky"), "Záruka v měsících, hodnota musí být celé číslo"},
        {5, Variant(241.0), "Záruka v měsících, hodnota musí být v rozsahu 0 až 240"},
        {6, Variant("dvacet"), "DPH v procentech, hodnota musí být celé nebo reálné číslo"},
        {6, Variant(100.5), "DPH v procentech, hodnota musí být v rozsahu 0 až 100"},
        {6, Variant(21.0), "Dph položky nenalezeno, musí existovat v databázi DPH"},
        {7, Variant(""), "Kategorie položky, řetězec musí být alespoň 1 znak dlouhý"},
        {7, Variant("?\\Nic"), "Kategorie položky nenalezena, musí existovat v databázi kategoriií"},
        {8, Variant("Nikdo"), "Dodavatel položky nenalezen, musí existovat v databázi dodavatelů"},
        {9, Variant(0.0), "Nákup v Kč, hodnota musí být větší než 0"},
        {10, Variant("levně"), "Prodej v Kč, hodnota musí být celé nebo reálné číslo"},
        {11, Variant(101.0), "Sleva v procentech, hodnota musí být v rozsahu 0 až 100"},
        {12, Variant(-1.0), "Množství, hodnota musí být větší než 0"},
        {13, Variant(), "Zásoba, hodnota musí být větší než 0"},
        {14, Variant("bal"), "Jednotka položky nenalezena, musí existovat v databázi jednotek"},
        {15, Variant(0.0), "Minimum, hodnota musí být větší než 0"},
        {16, Variant("a"), "Násobně (Ano [A]/Ne [N]), hodnota musí být \"A\" nebo \"N\""},
        {16, Variant(true), "Násobně (Ano [A]/Ne [N]), hodnota musí být \"A\" nebo \"N\""},
    };
    for (const Case &c : cases) {
        ImportRowCells row = goodRow();
        row[size_t(c.column - 1)] = c.value;
        // A later bad cell never hides an earlier one.
        if (c.column < 16)
            row[15] = Variant("x");
        const ImportRowCheck check = CheckImportRow(row, lookups);
        ASSERT_TRUE(check.failure.has_value()) << c.reason;
        EXPECT_EQ(check.failure->column, c.column) << c.reason;
        EXPECT_EQ(check.failure->reason, QString::fromUtf8(c.reason));
    }
}

TEST(ImportRules, CellsConvertAsTheVariantRulesSay)
{
    FakeLookups lookups;
    ImportRowCells row = goodRow();
    row[0] = Variant(123.0); // a number typed as the label reads as its text
    row[4] = Variant();      // empty warranty and discount count as 0
    row[10] = Variant(12.5); // a fraction in an integer column rounds half to even
    row[8] = Variant("99,90");
    row[15] = Variant("N");
    const ImportRowCheck check = CheckImportRow(row, lookups);
    ASSERT_FALSE(check.failure.has_value()) << qPrintable(check.failure->reason);
    EXPECT_EQ(check.item.OZNACENI, QStringLiteral("123"));
    EXPECT_EQ(check.item.ZARUKA, 0);
    EXPECT_EQ(check.item.SLEVA, 12);
    EXPECT_EQ(check.item.NAKUP, Currency::fromString(u"99.9"));
    EXPECT_EQ(check.item.PRODEJ, Currency::fromString(u"150.5"));
    EXPECT_FALSE(check.item.NASOBNE);
    EXPECT_EQ(ImportCellName(1, 5), QStringLiteral("A5"));
    EXPECT_EQ(ImportCellName(16, 12), QStringLiteral("P12"));
}

// The items table's statistics are made anew as the table doubles: often
// while an empty catalogue fills, never for a few rows into a large one.
TEST(ImportRules, StatisticsAreMadeAnewAsTheTableDoubles)
{
    const auto refreshesAt = [](int itemsAtStart, int rows) {
        ItemStatisticsSchedule schedule(itemsAtStart, 500);
        QList<int> at;
        for (int imported = 500; imported <= rows; imported += 500)
            if (schedule.due(imported))
                at << imported;
        return at;
    };
    EXPECT_EQ(refreshesAt(0, 5000), QList<int>({500, 1000, 2000, 4000}));
    EXPECT_EQ(refreshesAt(1000, 3000), QList<int>({1000, 3000}));
    EXPECT_EQ(refreshesAt(100000, 5000), QList<int>());
    EXPECT_EQ(refreshesAt(100000, 100000), QList<int>({100000}));
}

TEST(WorkbookReaders, ActiveSheetOfAWorkbookWrittenByAnotherProgram)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sešit.xlsx"));
    runPython(QStringLiteral("import sys, datetime, openpyxl\n"
                             "wb = openpyxl.Workbook()\n"
                             "wb.active['A1'] = 'first sheet'\n"
                             "ws = wb.create_sheet('Položky')\n"
                             "ws['A1'] = 'Označení'\n"
                             "ws['A2'] = 'Šroub M4'\n"
                             "ws['B2'] = 42\n"
                             "ws['C2'] = 12.5\n"
                             "ws['D2'] = True\n"
                             "ws['E2'] = datetime.date(2026, 12, 7)\n"
                             "ws['P7'] = 'N'\n"
                             "wb.active = 1\n"
                             "wb.save(sys.argv[1])\n"),
              {file});
    WorkbookFileSource source(file);
    QString reason;
    ASSERT_TRUE(source.Reload(reason)) << qPrintable(reason);
    EXPECT_EQ(source.LastUsedRow(), 7);
    EXPECT_EQ(source.Cell(1, 1).toString(), QStringLiteral("Označení"));
    EXPECT_EQ(source.Cell(2, 1).toString(), QStringLiteral("Šroub M4"));
    EXPECT_EQ(source.Cell(2, 2).toInt(), 42);
    EXPECT_EQ(source.Cell(2, 3).toDouble(), 12.5);
    EXPECT_EQ(source.Cell(2, 4).toInt(), -1); // a Boolean true is -1 as a number
    EXPECT_EQ(source.Cell(2, 5).type(), Variant::Type::DateTime);
    EXPECT_EQ(DateTimeConv::toQDate(source.Cell(2, 5).toDateTime()), QDate(2026, 12, 7));
    EXPECT_TRUE(source.Cell(3, 1).isUnassigned());
    EXPECT_EQ(source.Cell(7, 16).toString(), QStringLiteral("N"));
}

// Three sheets, the one the workbook marks active neither the first nor the
// last, saved in the .xls format by the office suite's spreadsheet program.
TEST(WorkbookReaders, XlsOfAnotherProgramIsReadFromItsActiveSheet)
{
    QTemporaryDir dir;
    for (int active : {1, 0}) {
        const QString xlsx = dir.filePath(QStringLiteral("ceník%1.xlsx").arg(active));
        runPython(QStringLiteral("import sys, datetime, openpyxl\n"
                                 "wb = openpyxl.Workbook()\n"
                                 "wb.active['A1'] = 'první list'\n"
                                 "ws = wb.create_sheet('Položky')\n"
                                 "ws['A1'] = 'Označení'\n"
                                 "ws['A2'] = 'Šroub M4 žárově zinkovaný'\n"
                                 "ws['B2'] = 42\n"
                                 "ws['C2'] = 12.5\n"
                                 "ws['E2'] = datetime.date(2026, 12, 7)\n"
                                 "ws['P7'] = 'N'\n"
                                 "wb.create_sheet('Poslední')['A1'] = 'poslední list'\n"
                                 "for sheet in wb.worksheets: sheet.sheet_view.tabSelected = False\n"
                                 "wb.active = int(sys.argv[2])\n"
                                 "wb.active.sheet_view.tabSelected = True\n"
                                 "wb.save(sys.argv[1])\n"),
                  {xlsx, QString::number(active)});
        const QString xls = ConvertWithOffice(xlsx, QStringLiteral("xls"), dir.path());
        ASSERT_FALSE(xls.isEmpty());
        WorkbookFileSource source(xls);
        QString reason;
        ASSERT_TRUE(source.Reload(reason)) << qPrintable(reason);
        if (active == 0) {
            EXPECT_EQ(source.Cell(1, 1).toString(), QStringLiteral("první list"));
            EXPECT_EQ(source.LastUsedRow(), 1);
            continue;
        }
        EXPECT_EQ(source.LastUsedRow(), 7);
        EXPECT_EQ(source.Cell(1, 1).toString(), QStringLiteral("Označení"));
        EXPECT_EQ(source.Cell(2, 1).toString(), QStringLiteral("Šroub M4 žárově zinkovaný"));
        EXPECT_EQ(source.Cell(2, 2).toInt(), 42);
        EXPECT_EQ(source.Cell(2, 3).toDouble(), 12.5);
        EXPECT_EQ(source.Cell(2, 5).type(), Variant::Type::DateTime);
        EXPECT_EQ(DateTimeConv::toQDate(source.Cell(2, 5).toDateTime()), QDate(2026, 12, 7));
        EXPECT_TRUE(source.Cell(3, 1).isUnassigned());
        EXPECT_EQ(source.Cell(7, 16).toString(), QStringLiteral("N"));
    }
}

// A price list in the older binary format (texts in the Central European
// code page), its second sheet marked active.
TEST(WorkbookReaders, OlderXlsFormatOfAnotherProgram)
{
    WorkbookFileSource source(QStringLiteral(TARMIL_APP_TEST_DATA "/price-list-biff5.xls"));
    QString reason;
    ASSERT_TRUE(source.Reload(reason)) << qPrintable(reason);
    EXPECT_EQ(source.LastUsedRow(), 3);
    EXPECT_EQ(source.Cell(1, 1).toString(), QStringLiteral("Označení"));
    EXPECT_EQ(source.Cell(2, 3).toString(), QStringLiteral("Šroub M4 žárově zinkovaný"));
    EXPECT_EQ(source.Cell(3, 7).toString(), QStringLiteral("?\\Nářadí"));
    EXPECT_EQ(source.Cell(2, 9).toDouble(), 1.5);
    EXPECT_EQ(source.Cell(3, 10).toDouble(), 249.9);
    EXPECT_EQ(DateTimeConv::toQDate(source.Cell(2, 17).toDateTime()), QDate(2026, 12, 7));
}

TEST(WorkbookReaders, DamagedFilesAreRefusedWithAReason)
{
    QString reason;
    QTemporaryDir dir;
    WorkbookFileSource missing(dir.filePath(QStringLiteral("není.xlsx")));
    EXPECT_FALSE(missing.Reload(reason));
    EXPECT_TRUE(reason.startsWith(QStringLiteral("Soubor "))) << qPrintable(reason);
    for (const QByteArray &bytes : {QByteArray("PK\x03\x04garbage"), QByteArray("plain text"),
                                    QByteArray::fromHex("0908080000001000000000000402ff00"),
                                    QByteArray::fromHex("D0CF11E0A1B11AE1") + QByteArray(600, '\x01')}) {
        EXPECT_THROW(WorkbookFileSource::parse(bytes), SheetReadError) << bytes.toHex().constData();
    }
    int row = 0, column = 0;
    EXPECT_TRUE(XlsxReader::parseCellReference(u"XFD1048576", row, column));
    EXPECT_EQ(column, 16384);
    EXPECT_FALSE(XlsxReader::parseCellReference(u"XFE1", row, column));
    EXPECT_FALSE(XlsxReader::parseCellReference(u"A0", row, column));
    EXPECT_FALSE(XlsxReader::parseCellReference(u"12", row, column));
}

// A workbook whose compound file directory gives its root entry a name
// of 65534 bytes: the reading library would convert that many bytes from
// its 512-byte sector buffer, past the end of the stack.
TEST(WorkbookReaders, DirectoryNameLongerThanItsEntryIsRefusedAsDamage)
{
    WorkbookFileSource source(QStringLiteral(TARMIL_APP_TEST_DATA "/damaged-directory.xls"));
    QString reason;
    EXPECT_FALSE(source.Reload(reason));
    EXPECT_TRUE(reason.startsWith(QStringLiteral("Sešit ve formátu xls nelze přečíst: soubor je poškozený")))
        << qPrintable(reason);
}

class ItemImportTest : public DataModuleTest
{
protected:
    int itemCount() { return scalar(QStringLiteral("SELECT count(*) FROM tab_polozka")).toInt(); }
    bool hasItem(const QString &mark)
    {
        return scalar(QStringLiteral("SELECT count(*) FROM tab_polozka WHERE OZNACENI = '%1'").arg(mark)).toInt() == 1;
    }
};

TEST_F(ItemImportTest, ItemsComeInFromAnXlsPriceList)
{
    sql(QStringLiteral(
        "INSERT INTO tab_kategorie (ID_NADKATEGORIE, KATEGORIE, SPECIFIKACE) VALUES (1, 'Nářadí', '-')"));
    WorkbookFileSource source(QStringLiteral(TARMIL_APP_TEST_DATA "/price-list-biff5.xls"));
    ItemImport import(*dm, source);
    EXPECT_EQ(import.Run(false).imported, 2);
    EXPECT_EQ(messages.count(MessageCall::Warning), 0)
        << qPrintable(messages.callsOf(MessageCall::Warning).value(0).description);
    EXPECT_EQ(scalar(QStringLiteral("SELECT POLOZKA || '/' || ZARUKA FROM tab_polozka WHERE OZNACENI = 'ŠR-4'")),
              QStringLiteral("Šroub M4 žárově zinkovaný/24"));
}

// A workbook that cannot be read is said once, with the reason, and nothing
// is imported.
TEST_F(ItemImportTest, AnUnreadableWorkbookIsReportedOnce)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("ceník.xls"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(QByteArray::fromHex("D0CF11E0A1B11AE1") + QByteArray(1000, '\0'));
    out.close();
    WorkbookFileSource source(file);
    ItemImport import(*dm, source);
    EXPECT_EQ(import.Run(false).imported, 0);
    EXPECT_EQ(messages.count(MessageCall::Question) + messages.count(MessageCall::Information), 0);
    const auto warnings = messages.callsOf(MessageCall::Warning);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_EQ(warnings[0].heading, QStringLiteral("Otevření sešitu se nezdařilo..."));
    // The window shows its detail line and description one below the other:
    // the reason once, under what did not happen.
    EXPECT_EQ(warnings[0].detail, QStringLiteral("Položky nebyly importovány..."));
    EXPECT_TRUE(warnings[0].description.startsWith(QStringLiteral("Sešit ve formátu xls nelze přečíst: ")))
        << qPrintable(warnings[0].description);
}

TEST_F(ItemImportTest, FailedRowsAskToRetrySkipOrStop)
{
    ImportRowCells bad = itemRow(QStringLiteral("B"));
    bad[4] = Variant(241.0);
    ScriptedSource source({sheetOf({itemRow("A"), bad, itemRow("C"), bad, itemRow("E")})});
    messages.answer(false); // no retry of record 2
    messages.answer(true);  // go on with record 3
    messages.answer(false); // no retry of record 4
    messages.answer(false); // stop before record 5
    ItemImport import(*dm, source);
    const ItemImportResult result = import.Run(false);
    EXPECT_EQ(result.imported, 2);
    EXPECT_TRUE(result.stopped);
    EXPECT_TRUE(hasItem("A"));
    EXPECT_TRUE(hasItem("C"));
    EXPECT_FALSE(hasItem("E"));
    const auto warnings = messages.callsOf(MessageCall::Warning);
    ASSERT_EQ(warnings.size(), 2);
    EXPECT_EQ(warnings[0].heading, QStringLiteral("Importovaný záznam obsahuje chybu..."));
    EXPECT_EQ(warnings[0].detail, QStringLiteral("Záznam: 2   Buňka: E3"));
    EXPECT_EQ(warnings[0].description, QStringLiteral("Záruka v měsících, hodnota musí být v rozsahu 0 až 240"));
    const auto questions = messages.callsOf(MessageCall::Question);
    ASSERT_EQ(questions.size(), 4);
    EXPECT_EQ(questions[0].heading, QStringLiteral("Opakovat import záznamu číslo: 2 ?"));
    EXPECT_EQ(questions[0].detail, QStringLiteral("Excel řádek: 3"));
    EXPECT_FALSE(questions[0].flag);
    EXPECT_EQ(questions[1].heading, QStringLiteral("Pokračovat importem dalšího záznamu číslo: 3 ?"));
    EXPECT_EQ(questions[1].detail, QStringLiteral("Excel řádek: 4"));
    EXPECT_FALSE(messages.progressShown());
}

TEST_F(ItemImportTest, RetryReadsTheFixedRowAgain)
{
    ImportRowCells bad = itemRow(QStringLiteral("B"));
    bad[15] = Variant("a");
    ScriptedSource source({sheetOf({bad}), sheetOf({itemRow("B")})});
    messages.answer(true); // retry after the row was fixed
    ItemImport import(*dm, source);
    EXPECT_EQ(import.Run(false).imported, 1);
    EXPECT_EQ(source.reloads, 2);
    EXPECT_TRUE(hasItem("B"));
    // The same mark again is now taken in this store.
    ScriptedSource again({sheetOf({itemRow("B")})});
    messages.answer(false);
    ItemImport second(*dm, again);
    EXPECT_EQ(second.Run(false).imported, 0);
    EXPECT_EQ(messages.callsOf(MessageCall::Warning).last().description,
              QStringLiteral("Označení položky, řetězec v databázi již existuje"));
}

TEST_F(ItemImportTest, RemovingTheStoreItemsIsAskedAndUndoneWhenTheImportStops)
{
    newItem(QStringLiteral("OLD1"));
    newItem(QStringLiteral("OLD2"));
    ImportRowCells bad = itemRow(QStringLiteral("X"));
    bad[5] = Variant(21.0);

    // Declined: nothing happens.
    ScriptedSource declined({sheetOf({itemRow("N1")})});
    messages.answer(false);
    EXPECT_EQ(ItemImport(*dm, declined).Run(true).imported, 0);
    EXPECT_EQ(messages.callsOf(MessageCall::Question).last().detail, QStringLiteral("Počet odebraných položek: 2"));
    EXPECT_EQ(itemCount(), 2);

    // Stopped after a failed row: the removal and the row before are undone.
    ScriptedSource stopped({sheetOf({itemRow("N1"), bad, itemRow("N3")})});
    messages.answer(true);  // remove
    messages.answer(false); // no retry
    messages.answer(false); // stop
    EXPECT_EQ(ItemImport(*dm, stopped).Run(true).imported, 0);
    EXPECT_TRUE(hasItem("OLD1"));
    EXPECT_TRUE(hasItem("OLD2"));
    EXPECT_FALSE(hasItem("N1"));
    EXPECT_EQ(messages.calls.last().kind, MessageCall::HideProgress);
    // Only what this import did is told: other tills may have changed the store meanwhile.
    EXPECT_EQ(messages.callsOf(MessageCall::Information).last().detail,
              QStringLiteral("Import byl vrácen celý: neodebral ani nepřidal žádnou položku."));

    // Run to its end: the store holds the imported items only.
    ScriptedSource complete({sheetOf({itemRow("N1"), itemRow("N2")})});
    messages.answer(true);
    EXPECT_EQ(ItemImport(*dm, complete).Run(true).imported, 2);
    EXPECT_FALSE(hasItem("OLD1"));
    EXPECT_TRUE(hasItem("N1"));
    EXPECT_TRUE(hasItem("N2"));
    EXPECT_EQ(itemCount(), 2);
}

TEST_F(ItemImportTest, ASheetWithItsHeadingOnlyImportsNothing)
{
    ScriptedSource source({sheetOf({})});
    EXPECT_EQ(ItemImport(*dm, source).Run(false).imported, 0);
    EXPECT_EQ(messages.count(MessageCall::Question), 0);
    EXPECT_EQ(messages.count(MessageCall::Warning), 0);
}

// A price list's rows go to the server together: a few round trips for the
// whole sheet, not a dozen for every row.
TEST_F(ItemImportTest, RowsAreSentTogetherNotEachWithItsOwnRoundTrips)
{
    QList<ImportRowCells> rows;
    for (int i = 1; i <= 300; ++i)
        rows << itemRow(QStringLiteral("R%1").arg(i));
    ScriptedSource source({sheetOf(rows)});
    const Db::Connection &connection = dm->MSSQLADOConnection->Connection();
    dm->ItemCount(); // the session's first statements are behind
    const quint64 before = connection.roundTrips();
    EXPECT_EQ(ItemImport(*dm, source).Run(false).imported, 300);
    EXPECT_LT(connection.roundTrips() - before, 30u);
    EXPECT_EQ(itemCount(), 300);
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM tab_historie WHERE ID_OPERACE = 8")), QStringLiteral("300"));
}

// Rows checked together still meet the checks and the questions in sheet
// order: a label taken by an earlier row of the same sheet, a bad cell, and
// a row the server refuses to store (the rows after it are not stored first).
TEST_F(ItemImportTest, RowsSentTogetherKeepTheOrderOfChecksAndQuestions)
{
    sql(QStringLiteral(
        "CREATE FUNCTION odmitnout() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
        "IF NEW.OZNACENI = 'ODMITNUTO' THEN RAISE EXCEPTION 'Položku nelze uložit.'; END IF; "
        "RETURN NEW; END $$; "
        "CREATE TRIGGER odmitnout BEFORE INSERT ON tab_polozka FOR EACH ROW EXECUTE FUNCTION odmitnout()"));
    ImportRowCells again = itemRow(QStringLiteral("x1")); // "X1" in other letters
    again[1] = Variant("K-jiný");
    again[2] = Variant("jiný název");
    ImportRowCells bad = itemRow(QStringLiteral("B"));
    bad[15] = Variant("a");
    ScriptedSource source({sheetOf({itemRow("X1"), again, itemRow("X3"), bad, itemRow("ODMITNUTO"), itemRow("X6")})});
    messages.answer(false); // record 2: no retry
    messages.answer(true);  // go on
    messages.answer(false); // record 4: no retry
    messages.answer(true);  // go on
    messages.answer(false); // record 5: no retry
    messages.answer(true);  // go on
    EXPECT_EQ(ItemImport(*dm, source).Run(false).imported, 3);
    const auto warnings = messages.callsOf(MessageCall::Warning);
    ASSERT_EQ(warnings.size(), 3);
    EXPECT_EQ(warnings[0].detail, QStringLiteral("Záznam: 2   Buňka: A3"));
    EXPECT_EQ(warnings[0].description, QStringLiteral("Označení položky, řetězec v databázi již existuje"));
    EXPECT_EQ(warnings[1].detail, QStringLiteral("Záznam: 4   Buňka: P5"));
    EXPECT_EQ(warnings[2].heading, QStringLiteral("Transakce skončila s chybou..."));
    EXPECT_TRUE(warnings[2].description.startsWith(QStringLiteral("Položku nelze uložit.")))
        << qPrintable(warnings[2].description);
    EXPECT_EQ(messages.callsOf(MessageCall::Question)[4].heading, QStringLiteral("Opakovat import záznamu číslo: 5 ?"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT string_agg(OZNACENI, ',' ORDER BY ID_POLOZKA) FROM tab_polozka")),
              QStringLiteral("X1,X3,X6"));
}

// "&Přerušit" keeps the rows stored before it and says how many went in and
// how many were left.
TEST_F(ItemImportTest, InterruptingKeepsWhatWentInAndSaysWhatWasLeft)
{
    QList<ImportRowCells> rows;
    for (int i = 1; i <= 10; ++i)
        rows << itemRow(QStringLiteral("P%1").arg(i));
    ScriptedSource source({sheetOf(rows)});
    messages.interruptAtStep(4);
    const ItemImportResult result = ItemImport(*dm, source).Run(false);
    EXPECT_EQ(result.imported, 4);
    EXPECT_EQ(result.left, 6);
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(itemCount(), 4);
    const auto told = messages.callsOf(MessageCall::Information);
    ASSERT_EQ(told.size(), 1);
    EXPECT_EQ(told[0].heading, QStringLiteral("Import byl přerušen..."));
    EXPECT_EQ(told[0].detail, QStringLiteral("Importováno záznamů: 4   Zbývá záznamů: 6"));
}

// A batch's label, code and name tests go to the server together: each value
// is found as the single tests find it (without regard to case, whatever
// characters it holds), and a row meets the question for a value taken in
// the database or by an earlier row of the sheet in its own place.
TEST_F(ItemImportTest, DuplicatesInTheBatchAndInTheDatabaseAreAskedInSheetOrder)
{
    const QString odd = QStringLiteral(R"(A"\,{}' N)");
    newItem(QStringLiteral("DB1"));
    newItem(odd);
    const std::vector<Variant> answers =
        dm->AskImportQuestions(dm->IdSklad, {{TDMImportQuestion::Mark, odd.toLower(), Currency()},
                                             {TDMImportQuestion::Code, QStringLiteral("db1"), Currency()},
                                             {TDMImportQuestion::Name, QStringLiteral("POLOŽKA ") + odd, Currency()},
                                             {TDMImportQuestion::Mark, QStringLiteral("NULL"), Currency()},
                                             {TDMImportQuestion::Code, odd + u'x', Currency()},
                                             {TDMImportQuestion::Name, QString(), Currency()}});
    QStringList found;
    for (const Variant &answer : answers)
        found << answer.toString();
    EXPECT_EQ(found.join(u','), QStringLiteral("1,1,1,0,0,0"));

    ImportRowCells takenCode = itemRow(QStringLiteral("N2"));
    takenCode[1] = Variant("db1");
    ImportRowCells takenMark = itemRow(odd.toLower());
    takenMark[1] = Variant("N3");
    takenMark[2] = Variant("Položka N3");
    ImportRowCells nameOfRow1 = itemRow(QStringLiteral("N4"));
    nameOfRow1[2] = Variant("položka n1");
    ScriptedSource source({sheetOf({itemRow("N1"), takenCode, takenMark, nameOfRow1, itemRow("N5")})});
    for (int i = 0; i < 3; ++i) {
        messages.answer(false); // no retry
        messages.answer(true);  // go on
    }
    EXPECT_EQ(ItemImport(*dm, source).Run(false).imported, 2);
    QStringList asked;
    for (const MessageCall &warning : messages.callsOf(MessageCall::Warning))
        asked << warning.detail + u' ' + warning.description;
    EXPECT_EQ(asked, QStringList({"Záznam: 2   Buňka: B3 Kód položky, hodnota v databázi již existuje",
                                  "Záznam: 3   Buňka: A4 Označení položky, řetězec v databázi již existuje",
                                  "Záznam: 4   Buňka: C5 Název položky, řetězec v databázi již existuje"}));
    EXPECT_EQ(scalar(QStringLiteral("SELECT string_agg(OZNACENI, ',' ORDER BY ID_POLOZKA) FROM tab_polozka")),
              QStringLiteral("DB1,") + odd + QStringLiteral(",N1,N5"));
}

namespace {

// Another till acts while the import checks a chosen record: the import has
// asked its batch's questions and not yet written the batch.
class TillMeanwhile : public ScriptedMessages
{
public:
    bool stepProgress(const QString &caption, int position) override
    {
        const bool goOn = ScriptedMessages::stepProgress(caption, position);
        if (position == atRecord && meanwhile)
            std::exchange(meanwhile, {})();
        return goOn;
    }
    int atRecord = 0;
    std::function<void()> meanwhile;
};

} // namespace

// The import writes its rows under the locks the card takes and tests them
// there again: a label another till's card or import saved after the row's
// checks is refused as any used label (its cell's reason, the retry
// question), the rows before it kept, the rows after it written.
TEST_F(ItemImportTest, ALabelAnotherTillTakesBeforeTheWriteIsRefusedAsUsed)
{
    TDM otherTill;
    ASSERT_TRUE(otherTill.ConnectServer(server, qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD")));
    ASSERT_TRUE(otherTill.SelectDatabase(TDM::DatabaseName())) << qPrintable(otherTill.LastErrorText());
    const auto takenTwice = [&] {
        return scalar("SELECT string_agg(OZNACENI, ',' ORDER BY OZNACENI) FROM (SELECT OZNACENI FROM tab_polozka "
                      "GROUP BY OZNACENI HAVING count(*) > 1) d");
    };
    const auto refusedRow = [](const ScriptedMessages &messages, const QString &cell) {
        const MessageCall warning = messages.callsOf(MessageCall::Warning).value(0);
        EXPECT_EQ(warning.detail + u' ' + warning.description,
                  QStringLiteral("Záznam: 2   Buňka: ") + cell + u' ' +
                      (cell.startsWith(u'A') ? QStringLiteral("Označení položky, řetězec v databázi již existuje")
                                             : QStringLiteral("Název položky, řetězec v databázi již existuje")));
        EXPECT_EQ(messages.callsOf(MessageCall::Question).value(0).heading,
                  QStringLiteral("Opakovat import záznamu číslo: 2 ?"));
    };
    {
        TillMeanwhile messages;
        messages.atRecord = 2;
        messages.meanwhile = [&] {
            TDMItem card = itemOf(QStringLiteral("00000006"));
            card.OZNACENI_POVINNE = card.POLOZKA_POVINNE = true;
            EXPECT_TRUE(otherTill.NewItem(card)) << qPrintable(otherTill.LastErrorText());
        };
        messages.answer(false); // no retry of record 2
        messages.answer(true);  // go on
        ScriptedSource source({sheetOf({itemRow("00000005"), itemRow("00000006"), itemRow("00000007")})});
        EXPECT_EQ(ItemImport(*dm, source).Run(false).imported, 2);
        EXPECT_EQ(takenTwice(), QString());
        refusedRow(messages, QStringLiteral("A3"));
    }
    {
        // Another import writes the name of record 2 meanwhile.
        TillMeanwhile messages;
        messages.atRecord = 2;
        messages.meanwhile = [&] {
            ImportRowCells sameName = itemRow(QStringLiteral("00000009"));
            sameName[2] = Variant("Položka 00000010");
            ScriptedSource other({sheetOf({sameName})});
            EXPECT_EQ(ItemImport(otherTill, other).Run(false).imported, 1);
        };
        messages.answer(false);
        messages.answer(true);
        ScriptedSource source({sheetOf({itemRow("00000008"), itemRow("00000010"), itemRow("00000011")})});
        EXPECT_EQ(ItemImport(*dm, source).Run(false).imported, 2);
        refusedRow(messages, QStringLiteral("C3"));
    }
    EXPECT_EQ(takenTwice(), QString());
    EXPECT_EQ(scalar("SELECT string_agg(OZNACENI, ',' ORDER BY OZNACENI) FROM tab_polozka"),
              "00000005,00000006,00000007,00000008,00000009,00000011");
}
