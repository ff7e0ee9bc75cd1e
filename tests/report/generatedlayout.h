#pragma once
// Layouts and rows made from a stream of choices (a seeded generator in the
// tests, the input bytes under the fuzz target), and the check every build
// of them must pass: it ends with an error text, or its pages hold each
// record's texts exactly once, in order, inside the printable area.
#include "reportbuild.h"

#include "report/vlmemotext.h"

#include <QRegularExpression>
#include <algorithm>
#include <functional>

// A number from lo to hi, both included.
using LayoutChoice = std::function<int(int lo, int hi)>;

struct GeneratedLayout
{
    QStringList expected; // the record texts in the order they must print
    QString description;  // what was made, for a failing case
};

inline GeneratedLayout generateLayout(TestReport &t, const LayoutChoice &pick)
{
    GeneratedLayout made;
    TvlPage &page = *t.page;
    page.ChangePaper(256, pick(700, 3000), pick(500, 3000), pick(0, 1) ? poLandscape : poPortrait);
    if (pick(0, 2) == 0)
        page.Margins = {pick(0, 60), pick(0, 60), pick(0, 60), pick(0, 60)};
    t.report->TwoPass = quint16(pick(0, 3) == 0);
    const int printable = page.RightEdge() - page.LeftOffset();
    page.Columns = std::min(pick(0, 3), std::max(1, printable / 110));
    // Columns step by their width and the gap: the last one's objects stay on the page.
    const int columns = std::max(1, page.Columns), step = printable / columns;
    page.ColumnGap = std::min(pick(0, 20), (step - 100) / std::max(1, columns - 1));
    const int columnWidth = step - (columns - 1) * page.ColumnGap;
    const int pageHeight = page.BottomEdge() - page.TopOffset();

    // Rows: a marker per record, a group, and a text of several lines.
    const int records = pick(0, 20);
    const int tallLines = pick(0, 4) == 0 ? pick(10, 60) : pick(0, 6);
    QStringList tall; // what other bands may show: tall, but no record's text
    for (int l = 1; l <= tallLines; ++l)
        tall << QStringLiteral("Řádek %1").arg(l);
    QList<QVariantList> rows;
    int group = 0;
    for (int r = 0; r < records; ++r) {
        if (pick(0, 3) == 0)
            ++group;
        const QString marker = QStringLiteral("Z%1").arg(r, 3, 10, QLatin1Char('0'));
        QStringList text;
        for (int l = 1, n = pick(0, 1) ? tallLines : pick(0, 3); l <= n; ++l)
            text << QStringLiteral("%1.%2").arg(marker).arg(l);
        rows << QVariantList{marker, QStringLiteral("Skupina %1").arg(group), text.join(u'\n')};
    }
    MemoryRows *set = t.Rows("Zbozi", {"Nazev", "Skupina", "Text"}, rows);
    // Past its end the set reads its last row, as a data set of the program does.
    t.report->OnGetValue = [set, read = t.report->OnGetValue](const QString &name, Variant &value) {
        read(name, value);
        const int column = int(set->Columns.indexOf(name));
        if (value.isUnassigned() && column >= 0 && !set->Rows.isEmpty())
            value = Variant::fromQVariant(set->Rows.last()[column]);
    };

    int y = 0;
    // A memo somewhere in the band's height; stretching ones show the row's text.
    const auto memo = [&](int top, int height, const QStringList &text, bool stretched) {
        const int width = std::min(columnWidth, pick(90, 300));
        TvlMemoView *m = t.Memo(page.LeftOffset() + pick(0, std::max(0, columnWidth - width)),
                                top + pick(0, std::max(0, height - 18)), width, pick(1, 30), text);
        if (stretched)
            m->Flags |= mfStretched;
        return m;
    };
    const auto height = [&] { return pick(0, 9) == 0 ? pick(pageHeight / 2, pageHeight + 200) : pick(0, 60); };
    // A band that may or may not be there, with a memo, maybe stretching.
    const auto band = [&](int type, quint16 flags, const QString &text) {
        if (pick(0, 2) == 0)
            return;
        const int h = height();
        if (pick(0, 1))
            flags |= bfStretched;
        if (pick(0, 3) == 0)
            flags |= bfAllowSplit;
        t.Band(type, y, h, {}, flags);
        memo(y, h, pick(0, 2) == 0 ? tall : QStringList{text}, pick(0, 1));
        made.description += QStringLiteral("%1 %2 (flags %3); ").arg(vlBandName(type)).arg(h).arg(flags);
        y += h + 1;
    };
    if (pick(0, 3) == 0) {
        // Printed where it lies: at the top, above every other band of the design.
        t.Band(btOverlay, y, 20, {}, quint16(48 | (pick(0, 1) ? bfStretched : 0)));
        memo(y, 20, tall, pick(0, 1));
        made.description += QStringLiteral("Overlay; ");
        y += 21;
    }
    const quint16 reprint = quint16(pick(0, 1) ? bfReprintOnNewPage : 0);
    band(btReportTitle, 48, QStringLiteral("Titulek"));
    band(btPageHeader, quint16(pick(0, 1) ? bfPrintOnFirstPage : 0), QStringLiteral("Záhlaví"));
    band(btColumnHeader, 48, QStringLiteral("Sloupec"));
    const bool groups = pick(0, 1);
    if (groups) {
        const int h = height();
        quint16 flags = quint16(48 | reprint | (pick(0, 4) == 0 ? bfStartNewPage : 0));
        if (pick(0, 1))
            flags |= bfStretched;
        t.Band(btGroupHeader, y, h, QStringLiteral("[Skupina]"), flags);
        memo(y, h, {QStringLiteral("[Skupina]")}, pick(0, 1));
        made.description += QStringLiteral("Group header %1 (flags %2); ").arg(h).arg(flags);
        y += h + 1;
    }
    band(btMasterHeader, quint16(48 | reprint), QStringLiteral("Hlavička"));
    {
        // The data band: its marker, and the text that may stretch it.
        const int h = std::max(18, height());
        quint16 flags = 48;
        if (pick(0, 1))
            flags |= bfStretched;
        if (pick(0, 1))
            flags |= bfAllowSplit;
        if (pick(0, 6) == 0)
            flags |= bfStartNewPage;
        t.Band(btMasterData, y, h, QStringLiteral("Zbozi"), flags);
        TvlMemoView *marker = memo(y, h, {QStringLiteral("[Nazev]")}, false);
        marker->Height = 18;
        memo(y, h, {QStringLiteral("[Text]")}, pick(0, 3) != 0);
        made.description += QStringLiteral("Master data %1 (flags %2); ").arg(h).arg(flags);
        y += h + 1;
    }
    band(btMasterFooter, 48, QStringLiteral("Součet"));
    if (groups) {
        const int h = std::min(height(), 100);
        t.Band(btGroupFooter, y, h);
        memo(y, h, {QStringLiteral("Konec skupiny")}, false);
        y += h + 1;
    }
    band(btColumnFooter, 48, QStringLiteral("Pata sloupce"));
    band(btReportSummary, 48, QStringLiteral("Shrnutí"));
    {
        // The page footer keeps room for rows (a taller one is refused anyway).
        if (pick(0, 1)) {
            const int h = pick(0, pageHeight / 3);
            t.Band(btPageFooter, y, h, {}, quint16(48 | (pick(0, 1) ? bfStretched : 0)));
            memo(y, h, pick(0, 1) ? tall : QStringList{QStringLiteral("Patička")}, pick(0, 1));
            made.description += QStringLiteral("Page footer %1; ").arg(h);
            y += h + 1;
        }
    }
    for (const QVariantList &row : rows) {
        made.expected << row[0].toString();
        if (!row[2].toString().isEmpty())
            made.expected << row[2].toString().split(u'\n');
    }
    made.description += QStringLiteral("%1 records, page %2 high, %3 columns, two passes %4")
                            .arg(records)
                            .arg(pageHeight)
                            .arg(page.Columns)
                            .arg(t.report->TwoPass);
    return made;
}

// What is wrong with the build of a generated layout; empty when nothing is.
inline QString checkGeneratedBuild(TestReport &t, const GeneratedLayout &made)
{
    if (!t.report->PrepareReport()) {
        if (!t.report->BuildFailed() || t.report->ErrorText().isEmpty())
            return QStringLiteral("the build stopped without an error text");
        return {};
    }
    static const QRegularExpression marker(QStringLiteral("^Z\\d{3}(\\.\\d+)?$"));
    const TvlPage &page = *t.page;
    QStringList printed;
    QString outside;
    for (int i = 0; i < t.report->EMFPages.Count(); ++i)
        t.report->EMFPages.ExportPage(i, [&](TvlView &view) {
            bool ours = false;
            for (const QString &line : view.Memo) {
                const QString text = vlDecodeTextLine(line).Text;
                if (marker.match(text).hasMatch()) {
                    printed << text;
                    ours = true;
                }
            }
            if (ours && (view.Top < page.TopOffset() || view.Top + view.Height > page.BottomEdge() ||
                         view.Left < page.LeftOffset() || view.Left + view.Width > page.RightEdge()))
                outside = QStringLiteral("page %1: %2,%3 %4x%5 outside the printable area")
                              .arg(i + 1)
                              .arg(view.Left)
                              .arg(view.Top)
                              .arg(view.Width)
                              .arg(view.Height);
        });
    // A record's objects print as designed (a text above its marker may come
    // first), but records follow each other and a text's lines keep their order.
    const auto part = [](const QStringList &texts, bool lines) {
        QStringList out;
        for (const QString &text : texts)
            if (text.contains(u'.') == lines)
                out << text;
        return out;
    };
    QStringList sorted = printed;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const QString &a, const QString &b) { return a.left(4) < b.left(4); });
    if (part(printed, false) != part(made.expected, false) || part(printed, true) != part(made.expected, true) ||
        sorted != printed)
        return QStringLiteral("printed %1 of %2 texts: %3")
            .arg(printed.size())
            .arg(made.expected.size())
            .arg(printed.join(u' '));
    return outside;
}
