// libFuzzer target over the readers of layout files (".vlf"), prepared
// reports (".vlp"), rich text and the workbooks the item import reads:
// whatever the bytes, reading must end with success or a reported failure,
// never with a crash or a hang.
#include "app/spreadsheet/compounddirectory.h"
#include "app/spreadsheet/spreadsheetsource.h"
#include "app/spreadsheet/xlsactivesheet.h"
#include "app/spreadsheet/xlsreadresult.h"
#include "report/rich/rtfreader.h"
#include "report/rich/rtfwriter.h"
#include "report/vlpreparedpages.h"
#include "report/vlreportlayout.h"

#include <QApplication>
#include <QTextDocument>
#include <cstdint>
#include <cstdlib>

// Layouts as XML, metafiles, INI files, expressions and scripts (fuzz_engine_inputs.cpp).
void fuzzEngineInputs(const QByteArray &bytes);

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    (void)argc, (void)argv;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int qtArgc = 1;
    static char name[] = "fuzz_report_readers";
    static char *qtArgv[] = {name, nullptr};
    static QApplication app(qtArgc, qtArgv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    fuzzEngineInputs(bytes);
    {
        // Rich text: what was read is written, and what is written reads back.
        QTextDocument document;
        TvlRtfLimits limits;
        limits.MaxPictureSide = 512;
        vlReadRtf(bytes, document, nullptr, limits);
        QTextDocument again;
        if (!vlReadRtf(vlWriteRtf(document), again, nullptr, limits))
            std::abort();
    }
    {
        TvlReportLayout layout;
        layout.KeepCurrentPrinter = 1;
        MemoryStream stream(bytes);
        if (layout.LoadFromStream(stream)) {
            // What was read can be written again and read back.
            MemoryStream again;
            try {
                layout.SaveToStream(again);
            } catch (const EReportFormatError &) {
                return 0; // texts the layout cannot hold are refused, not corrupted
            }
            again.seek(0);
            TvlReportLayout second;
            if (!second.LoadFromStream(again))
                std::abort();
        }
    }
    {
        TvlEMFPages pages;
        pages.KeepCurrentPrinter = true;
        MemoryStream stream(bytes);
        pages.LoadFromStream(stream);
        for (int i = 0; i < pages.Count(); ++i) {
            pages.LoadPage(i);
            pages.SavePage(i);
        }
    }
    // The .xls reading program is not found from here: an .xls ends as a
    // reported failure without reaching the reading library.
    try {
        WorkbookFileSource::parse(bytes);
    } catch (const SheetReadError &) {
    }
    CompoundDirectory::namesFitTheirEntries(bytes);
    ReadXlsSheetList(bytes);
    try {
        XlsReadResult::decode(bytes);
    } catch (const SheetReadError &) {
    }
    return 0;
}
