#include "exportfixture.h"
#include "report/rich/rtfreader.h"
#include "report/vlexporthtml.h"
#include "report/vlexportrtf.h"
#include "report/vlpictureview.h"
#include "report/vlregistry.h"

#include <QBuffer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

// Answers the filters' line height question without a window.
class LineHeightAnswer
{
public:
    explicit LineHeightAnswer(std::optional<int> answer)
    {
        vlSetLineHeightQuestion([answer] { return answer; });
    }
    ~LineHeightAnswer() { vlSetLineHeightQuestion({}); }
};

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The bytes a filter writes for a few items put straight into it.
template <class Filter>
QByteArray written(const std::function<void(Filter &)> &page, int pages = 1)
{
    Filter filter;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    filter.Begin(buffer);
    filter.OnBeginDoc();
    for (int i = 0; i < pages; ++i) {
        filter.OnBeginPage();
        page(filter);
        filter.OnEndPage();
    }
    filter.OnEndDoc();
    filter.Finish();
    return buffer.data();
}

QByteArray exported(const TvlExportFilter &filter)
{
    LineHeightAnswer answer(16);
    ExportReport report;
    QTemporaryDir dir;
    const QString path = dir.filePath("out" + filter.Extension());
    QString error;
    EXPECT_EQ(vlExportToFile(report.pages, filter, path, {}, &error), TvlExportResult::Done) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());
    return readFile(path);
}

} // namespace

TEST(ExportFilters, RegisteredOnceWithTheirDescriptionsAndMasks)
{
    vlRegisterStandardExportFilters();
    vlRegisterStandardExportFilters();
    QStringList entries;
    for (const TvlExportFilter *filter : vlExportFilters())
        entries << filter->Description() + "|" + filter->FileMask();
    EXPECT_EQ(entries,
              (QStringList{"Textový soubor ASCII (*.txt)|*.txt", "Textový soubor CSV (*.csv)|*.csv",
                           "Webová stránka soubor HTM/HTML (*.htm)|*.htm", "Textový soubor Rich (*.rtf)|*.rtf"}));
}

// Each format against its golden file (TARMIL_UPDATE_GOLDEN=1 rewrites them
// after a deliberate change; look at the difference before committing).
TEST(ExportFilters, EveryFormatMatchesItsGoldenFile)
{
    const TvlTextExportFilter text;
    const TvlCSVExportFilter csv;
    const TvlHTMExportFilter html;
    const TvlRTFExportFilter rtf;
    for (const TvlExportFilter *filter :
         {static_cast<const TvlExportFilter *>(&text), static_cast<const TvlExportFilter *>(&csv),
          static_cast<const TvlExportFilter *>(&html), static_cast<const TvlExportFilter *>(&rtf)}) {
        const QByteArray bytes = exported(*filter);
        const QString golden = goldenPath("export" + filter->Extension());
        if (qEnvironmentVariableIsSet("TARMIL_UPDATE_GOLDEN")) {
            QFile out(golden);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(bytes);
        }
        EXPECT_EQ(bytes, readFile(golden)) << golden.toStdString();
    }
}

TEST(ExportFilters, TextColumnsLinesAndPages)
{
    TvlView *none = nullptr;
    TvlMemoView memo;
    // A text at x 65 starts with 10 blanks; blanks count from the end of the
    // previous text; equal x puts the newest first; pages end with a form feed.
    const QByteArray bytes = written<TvlTextExportFilter>([&](TvlTextExportFilter &f) {
        f.OnText(65, 0, "a", &memo);
        f.OnText(0, 16, "12345678", &memo);
        f.OnText(13, 16, "x", &memo);
        f.OnText(100, 40, "stará", &memo);
        f.OnText(100, 40, "nová", &memo);
        f.OnText(0, 16, "bez objektu", none);
    });
    EXPECT_EQ(bytes, QString("          a\r\n12345678x\r\n"
                             "               novástará\r\n\f\r\n")
                         .toUtf8());
    // Text far below line 200 of a page is kept, and so is a long text.
    const QString longText(300, u'é');
    const QByteArray far =
        written<TvlTextExportFilter>([&](TvlTextExportFilter &f) { f.OnText(0, 16 * 250, longText, &memo); });
    EXPECT_TRUE(far.endsWith((longText + "\r\n\f\r\n").toUtf8()));
    EXPECT_EQ(far.count("\r\n"), 252);
}

TEST(ExportFilters, CsvColumnsAndQuoting)
{
    TvlMemoView memo;
    const QByteArray bytes = written<TvlCSVExportFilter>(
        [&](TvlCSVExportFilter &f) {
            f.OnText(0, 0, "první", &memo);
            f.OnText(130, 0, "druhá", &memo);
            f.OnText(0, 16, "a;b", &memo);
            f.OnText(64, 16, "řekl \"ne\"", &memo);
        },
        2);
    const QByteArray line = "první;;druhá\r\n\"a;b\";\"řekl \"\"ne\"\"\"\r\n";
    EXPECT_EQ(bytes, "\xEF\xBB\xBF" + line + line);
}

TEST(ExportFilters, HtmlCellsStateOnlyWhatDiffersFromTheDefault)
{
    TvlExportItem item;
    item.Text = "12 bodů";
    item.HasFont = true;
    item.FontSize = 12;
    item.FontColor = 0;
    EXPECT_EQ(TvlHTMExportFilter::Cell(item), "<td>12 bodů</td>");
    item.FontColor = 0x1FFFFFFF;
    EXPECT_EQ(TvlHTMExportFilter::Cell(item), "<td>12 bodů</td>");
    item.FontColor = 0x3366CC; // stored BGR
    item.FontSize = 14;
    item.FontStyle = esBold | esUnderline | esItalic;
    item.Text = "a<b>&c";
    EXPECT_EQ(TvlHTMExportFilter::Cell(item),
              "<td><Font Color=\"#CC6633\" Size=4><i><b><u>a&lt;b&gt;&amp;c</u></b></i></Font></td>");
    const QList<int> points{1, 7, 8, 9, 10, 13, 14, 17, 18, 23, 24, 35, 36, 72};
    QList<int> sizes;
    for (int p : points)
        sizes << TvlHTMExportFilter::HtmlSize(p);
    EXPECT_EQ(sizes, (QList<int>{1, 1, 2, 2, 0, 0, 4, 4, 5, 5, 6, 6, 7, 7}));
}

TEST(ExportFilters, RtfStylesEscapesAndPages)
{
    TvlMemoView bold;
    bold.FontStyle = fsBold | fsUnderline;
    TvlMemoView plain;
    const QByteArray bytes = written<TvlRTFExportFilter>(
        [&](TvlRTFExportFilter &f) {
            f.OnText(0, 0, "Tučně", &bold);
            f.OnText(130, 0, "a\\b{c}", &plain);
        },
        2);
    EXPECT_TRUE(bytes.startsWith("{\\rtf1\\ansi\\ansicpg1250\r\n{\\fonttbl{\\f0\\fcharset238 Arial;}}{\\colortbl;"
                                 "\\red0\\green0\\blue0;}\r\n"));
    const QByteArray line = "\\pard\\tx0\\tx2000{\\tab\\f0\\fs20\\b\\ul\\cf1 Tu\\'e8n\\'ec\\tab\\b0\\ulnone "
                            "a\\\\b\\{c\\}\\par}\r\n";
    EXPECT_TRUE(bytes.endsWith(line + "\\page\r\n" + line + "\\par}")) << bytes.toStdString();
    EXPECT_EQ(bytes.count("\\page"), 1);
    EXPECT_EQ(TvlRTFExportFilter::Escape(QString::fromUtf8("€ ☺")), "\\'80 \\u9786?");
}

TEST(ExportFilters, RtfTablesBreakBetweenEntriesBefore255Characters)
{
    std::vector<std::unique_ptr<TvlMemoView>> memos;
    const QByteArray bytes = written<TvlRTFExportFilter>([&](TvlRTFExportFilter &f) {
        for (int i = 0; i < 40; ++i) {
            memos.push_back(std::make_unique<TvlMemoView>());
            memos.back()->FontName = QStringLiteral("Písmo %1").arg(i);
            memos.back()->FontColor = i;
            f.OnText(i * 10, 0, "x", memos.back().get());
        }
    });
    const QByteArray tables = bytes.mid(bytes.indexOf("\r\n") + 2, bytes.indexOf("\\pard") - bytes.indexOf("\r\n") - 2);
    for (const QByteArray &line : tables.split('\n')) {
        EXPECT_LE(line.size(), 256); // with its CR
        EXPECT_FALSE(line.startsWith("\\green") || line.startsWith("d")) << line.toStdString();
    }
    EXPECT_EQ(tables.count("{\\f"), 41);
    EXPECT_EQ(tables.count("\\red"), 40);
}

TEST(ExportFilters, TargetReplacedOnlyWhenTheExportRuns)
{
    ExportReport report;
    QTemporaryDir dir;
    const QString path = dir.filePath("cíl.txt");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("starý obsah");
    old.close();
    const TvlTextExportFilter text;
    {
        LineHeightAnswer cancelled(std::nullopt);
        EXPECT_EQ(vlExportToFile(report.pages, text, path), TvlExportResult::Cancelled);
    }
    {
        LineHeightAnswer zero(0);
        EXPECT_EQ(vlExportToFile(report.pages, text, path), TvlExportResult::Cancelled);
    }
    {
        LineHeightAnswer answer(16);
        EXPECT_EQ(vlExportToFile(report.pages, text, path, [](int page, int) { return page < 2; }),
                  TvlExportResult::Cancelled);
    }
    EXPECT_EQ(readFile(path), "starý obsah");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"cíl.txt"});
    {
        LineHeightAnswer answer(16);
        QList<int> progress;
        EXPECT_EQ(vlExportToFile(report.pages, text, path,
                                 [&](int page, int count) {
                                     progress << page << count;
                                     return true;
                                 }),
                  TvlExportResult::Done);
        EXPECT_EQ(progress, (QList<int>{1, 2, 2, 2}));
    }
    EXPECT_TRUE(readFile(path).startsWith("Příliš"));
    QString error;
    LineHeightAnswer answer(16);
    EXPECT_EQ(vlExportToFile(report.pages, text, dir.filePath("chybí/x.txt"), {}, &error), TvlExportResult::Failed);
    EXPECT_TRUE(error.contains("nelze")) << error.toStdString();
}

// An independent reader: python's HTML parser sees balanced tags and the texts.
TEST(ExportFilters, HtmlReadBackByPythonsParser)
{
    const QByteArray html = exported(TvlHTMExportFilter());
    const char *script = R"(
import sys
from html.parser import HTMLParser
class P(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.stack = []; self.cells = []; self.cell = None; self.errors = []; self.charset = None
    def handle_starttag(self, tag, attrs):
        if tag == 'meta':
            self.charset = dict(attrs).get('content'); return
        self.stack.append(tag)
        if tag == 'td': self.cell = ''
    def handle_endtag(self, tag):
        if not self.stack or self.stack[-1] != tag: self.errors.append(tag)
        else: self.stack.pop()
        if tag == 'td': self.cells.append(self.cell); self.cell = None
    def handle_data(self, data):
        if self.cell is not None: self.cell += data
p = P(); p.feed(sys.stdin.buffer.read().decode('utf-8')); p.close()
print(p.charset); print(len(p.errors), len(p.stack)); print('\n'.join(p.cells))
)";
    QProcess python;
    python.start("python3", {"-c", script});
    ASSERT_TRUE(python.waitForStarted());
    python.write(html);
    python.closeWriteChannel();
    ASSERT_TRUE(python.waitForFinished());
    const QStringList lines = QString::fromUtf8(python.readAllStandardOutput()).split('\n');
    ASSERT_GE(lines.size(), 6) << python.readAllStandardError().toStdString();
    EXPECT_EQ(lines[0], "text/html; charset=utf-8");
    EXPECT_EQ(lines[1], "0 0");
    EXPECT_EQ(lines.mid(2, 4), (QStringList{"Příliš žluťoučký kůň úpěl ďábelské ódy", "Tučně a podtrženě",
                                            "<b>a & b</b>; \"x\" \\ {y}", "Strana 2"}));
}

// The project's own rich text reader takes the export back: Czech text,
// escaped characters, the bold underlined piece and its colour.
TEST(ExportFilters, RtfReadBackByTheRichTextReader)
{
    const QByteArray rtf = exported(TvlRTFExportFilter());
    QTextDocument document;
    QString error;
    ASSERT_TRUE(vlReadRtf(rtf, document, &error)) << error.toStdString();
    const QString text = document.toPlainText();
    EXPECT_TRUE(text.contains("Příliš žluťoučký kůň úpěl ďábelské ódy")) << text.toStdString();
    EXPECT_TRUE(text.contains("<b>a & b</b>; \"x\" \\ {y}")) << text.toStdString();
    EXPECT_TRUE(text.contains("Strana 2"));
    bool styled = false;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.text().contains("podtrženě")) {
                styled = true;
                EXPECT_EQ(fragment.charFormat().fontWeight(), QFont::Bold);
                EXPECT_TRUE(fragment.charFormat().fontUnderline());
                EXPECT_EQ(fragment.charFormat().foreground().color(), QColor(Qt::black));
            }
            if (fragment.text().contains("{y}")) {
                EXPECT_NE(fragment.charFormat().fontWeight(), QFont::Bold);
                EXPECT_FALSE(fragment.charFormat().fontUnderline());
                EXPECT_EQ(fragment.charFormat().foreground().color(), QColor(Qt::red));
            }
        }
    EXPECT_TRUE(styled);
}

// Pictures take the size of their objects, whatever the size of the bitmap:
// LibreOffice reads the export back with each picture as big as its frame.
TEST(ExportFilters, RtfPicturesAreSizedByTheirObjects)
{
    const auto picture = [](int width, int height, QSize bitmap) {
        auto view = std::make_unique<TvlPictureView>();
        view->SetBounds(0, 0, width, height);
        QImage image(bitmap, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        view->Picture.SetImage(image);
        return view;
    };
    const auto tiny = picture(60, 40, QSize(2, 2));
    const auto big = picture(90, 30, QSize(400, 300));
    const QByteArray rtf = written<TvlRTFExportFilter>([&](TvlRTFExportFilter &filter) {
        filter.OnData(20, 20, *tiny);
        filter.OnData(20, 200, *big);
    });
    QTemporaryDir dir;
    QFile file(dir.filePath("obrazky.rtf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(rtf);
    file.close();
    QProcess office;
    office.setWorkingDirectory(dir.path());
    office.start("soffice", {"-env:UserInstallation=file://" + dir.filePath("profil"), "--headless", "--convert-to",
                             "odt", "--outdir", dir.path(), file.fileName()});
    ASSERT_TRUE(office.waitForFinished(180000));
    QProcess unzip;
    unzip.start("unzip", {"-p", dir.filePath("obrazky.odt"), "content.xml"});
    ASSERT_TRUE(unzip.waitForFinished());
    const QString content = QString::fromUtf8(unzip.readAllStandardOutput());
    // Each picture's frame as LibreOffice sizes it, in twips (a pixel of the page is 20 of them).
    QStringList sizes;
    static const QRegularExpression frame(
        "<draw:frame[^>]*svg:width=\"([\\d.]+)in\"[^>]*svg:height=\"([\\d.]+)in\"[^>]*>\\s*<draw:image");
    for (const QRegularExpressionMatch &m : frame.globalMatch(content))
        sizes << QStringLiteral("%1x%2")
                     .arg(qRound(m.captured(1).toDouble() * 1440 / 20))
                     .arg(qRound(m.captured(2).toDouble() * 1440 / 20));
    sizes.sort();
    EXPECT_EQ(sizes.join(u' ').toStdString(), "60x40 90x30") << content.left(3000).toStdString();
}
