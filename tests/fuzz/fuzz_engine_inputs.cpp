// The engine's other outside inputs under the fuzz target: layouts written
// as XML, metafile records on their way to the converters, INI files,
// expressions and scripts a user types, compiled and run over a small report,
// and layouts whose bands grow, built over rows the bytes choose.
#include "platform/inidocument.h"
#include "report/metafile/metafile.h"
#include "report/vlbandview.h"
#include "report/vlbuilder.h"
#include "report/vlinterpreter.h"
#include "report/vlmemoview.h"
#include "report/vlreport.h"
#include "report/vlreportlayout.h"
#include "tests/report/generatedlayout.h"

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <cstdlib>

namespace {

// A layout that was read is written as XML that any reader takes whole.
void xmlLayout(const QByteArray &bytes)
{
    TvlReportLayout layout;
    layout.KeepCurrentPrinter = 1;
    MemoryStream stream(bytes);
    if (!layout.LoadFromStream(stream))
        return;
    MemoryStream xml;
    layout.SaveToVL3Stream(xml, nullptr);
    QXmlStreamReader reader(xml.data());
    while (!reader.atEnd())
        reader.readNext();
    if (reader.hasError())
        std::abort();
}

// Whatever the records say, the converters get only whole records, and what
// they make of them draws.
void metafile(const QByteArray &bytes)
{
    TvlMetafile picture;
    if (picture.Load(bytes))
        picture.ToImage(QSize(64, 48));
}

// Every value of an INI file reads the same after the file was written, and
// a value set in it is read back as it was set.
void iniFile(const QByteArray &bytes)
{
    IniDocument document = IniDocument::parse(bytes);
    const auto sameValues = [](const IniDocument &a, const IniDocument &b) {
        for (const QString &section : a.sections())
            for (const QString &key : a.keys(section))
                if (a.value(section, key) != b.value(section, key))
                    return false;
        return true;
    };
    if (!sameValues(document, IniDocument::parse(document.serialize())))
        std::abort();
    document.setValue(QStringLiteral("Nastavení"), QStringLiteral("Klíč"), QStringLiteral("hodnota = 1"));
    const IniDocument again = IniDocument::parse(document.serialize());
    if (again.value(QStringLiteral("nastavení"), QStringLiteral("klíč")) != QStringLiteral("hodnota = 1") ||
        !sameValues(document, again))
        std::abort();
}

// The text as a memo's expression, a memo's lines and a band's script of a
// report of two records: the build ends, with or without an error.
void expressionsAndScripts(const QByteArray &bytes)
{
    // A prompt would wait for a user who never comes.
    static const QRegularExpression input(QStringLiteral("input"), QRegularExpression::CaseInsensitiveOption);
    const QString text = QString::fromUtf8(bytes).replace(input, QStringLiteral("inpux"));
    const QStringList lines = text.split(u'\n');
    // A loop that never ends is reported after this many steps, sooner than for a user.
    TvlInterpretator::DefaultMaxSteps = 20'000;
    vlScriptVariables().Clear(); // each input starts where the program does

    QObject owner;
    TvlReport report(&owner);
    report.ShowProgress = false;
    TvlPage *page = report.Pages.Add();
    auto band = std::make_unique<TvlBandView>();
    band->SetBandType(btMasterData);
    band->SetBounds(0, 20, 700, 40);
    band->FormatText = QStringLiteral("2");
    band->Script = lines;
    page->Add(std::move(band));
    auto expression = std::make_unique<TvlMemoView>();
    expression->SetBounds(20, 20, 300, 18);
    expression->Memo = {u'[' + text + u']'};
    page->Add(std::move(expression));
    auto memo = std::make_unique<TvlMemoView>();
    memo->SetBounds(20, 40, 300, 18);
    memo->Memo = lines;
    memo->Flags = 3;
    page->Add(std::move(memo));
    report.PrepareReport();
}

// The bytes choose a layout of bands that grow and its rows: the build ends
// with an error text, or prints every record once, in order, on the page.
void growingBands(const QByteArray &bytes)
{
    qsizetype at = 0;
    const LayoutChoice pick = [&](int lo, int hi) {
        if (hi <= lo || at >= bytes.size())
            return lo;
        int value = quint8(bytes[at++]);
        if (hi - lo >= 256 && at < bytes.size())
            value = value << 8 | quint8(bytes[at++]);
        return lo + value % (hi - lo + 1);
    };
    TestReport t;
    const GeneratedLayout made = generateLayout(t, pick);
    const QString fault = checkGeneratedBuild(t, made);
    if (!fault.isEmpty()) {
        fprintf(stderr, "growing bands: %s\nlayout: %s; printable %d..%d\n", qPrintable(fault),
                qPrintable(made.description), t.page->TopOffset(), t.page->BottomEdge());
        std::abort();
    }
}

} // namespace

void fuzzEngineInputs(const QByteArray &bytes)
{
    xmlLayout(bytes);
    metafile(bytes);
    iniFile(bytes);
    expressionsAndScripts(bytes);
    growingBands(bytes);
}
