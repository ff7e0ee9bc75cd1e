// The .xls reading program: damaged files on which the reading library
// crashes or hangs end as a damaged-file message in time, and what the
// program hands back is taken whole or not at all.
#include "app/spreadsheet/xlsreader.h"
#include "app/spreadsheet/xlsreadprocess.h"
#include "app/spreadsheet/xlsreadresult.h"
#include "platform/datetime.h"

#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

namespace {

const QString Damaged = QStringLiteral("Sešit ve formátu xls nelze přečíst: soubor je poškozený");

QString reasonOfReading(const QByteArray &output)
{
    try {
        XlsReadResult::decode(output);
    } catch (const SheetReadError &error) {
        return error.reason;
    }
    return {};
}

} // namespace

// The library crashes on the first three inside its cleanup after a failed
// open, and never ends on the last.
TEST(XlsReadingProgram, FilesThatCrashOrHangTheLibraryAreReportedAsDamaged)
{
    for (const char *name : {"damaged-crashes-reading-1.xls", "damaged-crashes-reading-2.xls",
                             "damaged-crashes-reading-3.xls", "damaged-hangs-reading.xls"}) {
        QFile file(QStringLiteral(TARMIL_APP_TEST_DATA "/") + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        QElapsedTimer timer;
        timer.start();
        try {
            XlsReader::readActiveSheet(file.readAll(), std::chrono::seconds(2));
            ADD_FAILURE() << name << " was read";
        } catch (const SheetReadError &error) {
            EXPECT_TRUE(error.reason.startsWith(Damaged)) << name << ": " << qPrintable(error.reason);
        }
        EXPECT_LT(timer.elapsed(), 10000) << name;
    }
}

TEST(XlsReadingProgram, ResultsComeBackWithTheirTypesOrNotAtAll)
{
    SheetCells cells;
    cells.set(1, 1, Variant(qint64(42)));
    cells.set(1, 3, Variant(2.5));
    cells.set(2, 2, Variant(QStringLiteral("Šroub M4")));
    cells.set(3, 1, Variant::fromDateTime(DateTimeConv::fromQDate(QDate(2026, 12, 7))));
    cells.extendTo(5);
    const QByteArray output = XlsReadResult::encode(cells);
    const SheetCells back = XlsReadResult::decode(output);
    EXPECT_EQ(back.lastUsedRow(), 5);
    EXPECT_EQ(back.cellCount(), 4);
    EXPECT_EQ(back.value(1, 1).type(), Variant::Type::Int);
    EXPECT_EQ(back.value(1, 1).toInt(), 42);
    EXPECT_EQ(back.value(1, 3).type(), Variant::Type::Double);
    EXPECT_EQ(back.value(1, 3).toDouble(), 2.5);
    EXPECT_EQ(back.value(2, 2).toString(), QStringLiteral("Šroub M4"));
    EXPECT_EQ(back.value(3, 1).type(), Variant::Type::DateTime);
    EXPECT_EQ(DateTimeConv::toQDate(back.value(3, 1).toDateTime()), QDate(2026, 12, 7));

    // Output cut short anywhere, or with anything after it, is a damaged file.
    for (qsizetype size = 0; size < output.size(); ++size)
        EXPECT_TRUE(reasonOfReading(output.left(size)).startsWith(Damaged)) << size;
    EXPECT_TRUE(reasonOfReading(output + "x").startsWith(Damaged));

    const QString refused = QStringLiteral("Sešit ve formátu xls nelze přečíst: sešit je chráněn heslem.");
    EXPECT_EQ(reasonOfReading(XlsReadResult::encodeFailure(refused)), refused);
}

TEST(XlsReadingProgram, AMissingReadingProgramIsSaidSo)
{
    EXPECT_FALSE(XlsReadProcess::program().isEmpty());
    try {
        XlsReadProcess::run(QStringLiteral("/nonexistent/tarmil5-xlsread"), QStringLiteral(TARMIL_APP_TEST_DATA),
                            std::chrono::seconds(2));
        ADD_FAILURE() << "ran";
    } catch (const SheetReadError &error) {
        EXPECT_TRUE(error.reason.contains(QStringLiteral("který sešity xls čte, nelze spustit")))
            << qPrintable(error.reason);
    }
}
