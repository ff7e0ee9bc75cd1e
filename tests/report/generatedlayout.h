#pragma once
// Layouts and rows made from a stream of choices (a seeded generator in the
// tests, the input bytes under the fuzz target), and the check every build
// of them must pass: it ends with an error text, or its pages hold each
// record's texts exactly once, in order, every line of them inside its
// object's box and the printable area and over no other row, and every
// band's text whole each time the band prints.
#include "printedlines.h"

#include "report/vlband.h"
#include "report/vlbandprinting.h"
#include "report/vlbuilder.h"
#include "report/vlmemotext.h"
#include "report/vltextwidths.h"

#include <QMap>
#include <QRegularExpression>
#include <algorithm>
#include <functional>
#include <memory>

// A number from lo to hi, both included.
using LayoutChoice = std::function<int(int lo, int hi)>;

struct GeneratedLayout
{
    QStringList expected;     // the record texts in the order they must print, of the report and of a sub-report
    QMap<QString, int> whole; // texts "tag.1" to "tag.n" of bands, each time whole: tag -> n
    QString description;      // what was made, for a failing case
    // Memos counting their prints in a script variable of their name: the
    // record series ("Z", "Y"; "x" for every cell of a "Z" row) they print once for.
    QMap<QString, QChar> counting;
    std::shared_ptr<QMap<QString, int>> entered; // OnEnterRect per object name
    // A line without word wrap, much wider than its box: its text and the least font height.
    QString narrow;
    int narrowLeast = 0;
    bool narrowOnce = false;
};

namespace generated {

// Lines showing the page and the page column they print on (printedlines.h
// checks them): of a cross cell, and of a row, which may lie over the row's
// other texts.
inline const QStringList pageValues{QStringLiteral("str.[PAGE#]"), QStringLiteral("sl.[COLUMN#]")};
inline const QString rowPage = QStringLiteral("ř str.[PAGE#] sl.[COLUMN#]");

// Record texts: "Z000" of the report's rows, "Y000" of a sub-report's, each
// maybe followed by the line number of its text.
inline const QRegularExpression &recordText()
{
    static const QRegularExpression text(QStringLiteral("^([ZY]\\d{3})(\\.\\d+)?$"));
    return text;
}

// Rows of a data set: a marker per record (the prefix and its number), a
// group, and a text of a few or tallLines lines; their texts go to expected.
inline QList<QVariantList> rows(const LayoutChoice &pick, QChar prefix, int records, int tallLines,
                                QStringList &expected)
{
    QList<QVariantList> out;
    int group = 0;
    for (int r = 0; r < records; ++r) {
        if (pick(0, 3) == 0)
            ++group;
        const QString marker = prefix + QStringLiteral("%1").arg(r, 3, 10, QLatin1Char('0'));
        QStringList text;
        for (int l = 1, n = pick(0, 1) ? tallLines : pick(0, 3); l <= n; ++l)
            text << QStringLiteral("%1.%2").arg(marker).arg(l);
        out << QVariantList{marker, QStringLiteral("Skupina %1").arg(group), text.join(u'\n')};
        expected << marker << text;
    }
    return out;
}

// Cross columns beside the rows' band at y of height h on the page (the
// report's or a sub-report's), in a page column of the width: the row header
// (a cross header band holding the row's own memos) and columns of a data
// set of its own, whose cells "xN.1" to "xN.n" (x the prefix) grow with the row
// when it stretches; maybe a cross footer. They lie right of the other
// bands' objects.
inline void crossColumns(TestReport &t, const LayoutChoice &pick, GeneratedLayout &made, int y, int &h,
                         const std::vector<TvlMemoView *> &rowHeader, bool grows, int pageColumn, TvlPage *on,
                         QChar prefix)
{
    TvlPage &page = *on;
    // The report's set "Kolonky" of the field "Bunka"; a sub-report's "Kolonky2", "Bunka2".
    const QString suffix = on == t.page ? QString() : QStringLiteral("2");
    const QString set = QStringLiteral("Kolonky") + suffix, field = QStringLiteral("Bunka") + suffix;
    const int headerLeft = page.LeftOffset() + pageColumn / 3, headerWidth = pageColumn / 3;
    t.Band(btCrossHeader, 0, 100, {}, 0, on)->SetBounds(headerLeft, 0, headerWidth, 100);
    for (TvlMemoView *m : rowHeader) {
        m->Left = headerLeft;
        m->Width = std::min(m->Width, headerWidth);
    }
    const int dataWidth = pick(60, std::max(60, pageColumn / 3 - 20)); // "x12.12" on one line
    const int dataLeft = headerLeft + headerWidth;
    t.Band(btCrossData, 0, 100, set, 0, on)->SetBounds(dataLeft, 0, dataWidth, 100);
    QList<QVariantList> cells;
    for (int c = 1, n = pick(0, 14); c <= n; ++c) {
        const QString tag = QStringLiteral("%1%2").arg(prefix).arg(c);
        const int lines = pick(0, 3) == 0 ? pick(2, 12) : 1;
        QStringList text{tag};
        if (lines > 1) {
            text = numbered(tag, lines);
            made.whole[tag] = lines;
        }
        cells << QVariantList{text.join(u'\n')};
    }
    t.Rows(set, {field}, cells);
    // Maybe below its text the page and page column it prints on.
    const QStringList pageLines = pick(0, 2) == 0 ? pageValues : QStringList();
    TvlMemoView *cell = t.Memo(dataLeft, y + pick(0, std::max(0, h - 18)), dataWidth, 18,
                               QStringList{u'[' + field + u']'} + pageLines, on);
    if (grows) {
        cell->Flags |= mfStretched;
    } else {
        int most = 1;
        for (const QVariantList &row : cells)
            most = std::max(most, int(row.first().toString().count(u'\n')) + 1);
        cell->Height = (most + int(pageLines.size())) * cell->GetLineHeight() + cell->VerticalGaps();
    }
    h = std::max(h, cell->Top - y + cell->Height);
    if (pick(0, 1)) {
        const int footerLeft = dataLeft + dataWidth, footerWidth = 40;
        t.Band(btCrossFooter, 0, 100, {}, 0, on)->SetBounds(footerLeft, 0, footerWidth, 100);
        t.Memo(footerLeft, y, footerWidth, 18, {QString(prefix) + u's'}, on);
    }
    made.description += QStringLiteral("%1 cross columns %2 wide%3; ")
                            .arg(cells.size())
                            .arg(dataWidth)
                            .arg(on == t.page ? QString() : QStringLiteral(" in the sub-report"));
}

// Scripts that count each print of a row's memo, a sub-report row's and a
// cross cell's, and a band at y with a line without word wrap much wider
// than its box: each counts once per print (moved to a new page or
// measured with its row, too), and the line stays legible.
inline void countsAndNarrowLines(TestReport &t, const LayoutChoice &pick, GeneratedLayout &made, int y, int columnWidth)
{
    vlScriptVariables().Clear();
    made.entered = std::make_shared<QMap<QString, int>>();
    t.report->OnEnterRect = [entered = made.entered](QStringList &memo, TvlView *view) {
        ++(*entered)[view->Name];
        if (view->Name == QLatin1String("stranaRadku"))
            memo = TvlReportBuilder::Active()->ExpandMemo({rowPage}, 0, {});
    };
    const std::pair<const char *, QChar> counted[] = {{"[Nazev]", u'Z'}, {"[Oznaceni]", u'Y'}, {"[Bunka]", u'x'}};
    for (TvlPage *page : {t.report->Pages[0], t.report->Pages.Count() > 1 ? t.report->Pages[1] : nullptr})
        for (int i = 0; page && i < page->Count(); ++i)
            for (const auto &[text, series] : counted)
                if (page->Object(i)->Memo == QStringList{QString::fromLatin1(text)} && pick(0, 3) != 0) {
                    TvlView &view = *page->Object(i);
                    view.Name = QStringLiteral("pocet%1").arg(series);
                    view.Script = {view.Name + QStringLiteral(" := ") + view.Name + QStringLiteral(" + 1")};
                    vlScriptVariables().SetVariable(view.Name, 0);
                    made.counting[view.Name] = series;
                }
    // In a band that prints once, of a type the layout does not use yet.
    int type = -1;
    for (const int free : {btReportSummary, btReportTitle, btMasterFooter}) {
        bool used = false;
        for (int i = 0; i < t.page->Count(); ++i)
            if (auto *band = dynamic_cast<TvlBandView *>(t.page->Object(i)))
                used = used || band->GetBandType() == free;
        if (!used && type < 0)
            type = free;
    }
    if (type < 0 || pick(0, 2) != 0)
        return;
    // Letters of every width, the way names of goods run.
    const QString letters = QStringLiteral("nwŽluťoučký kůň, čokoláda 250 g; MWQ šíře 1 234,50 Kč ");
    QString text = QStringLiteral("nw");
    for (int i = 0, n = pick(1, 300); i < n; ++i)
        text += letters[pick(0, int(letters.size()) - 1)];
    const int width = std::min(columnWidth, pick(40, 200));
    TvlMemoView *memo = t.Memo(t.page->LeftOffset() + pick(0, std::max(0, columnWidth - width)), y, width, 18, {text});
    memo->Flags = 0; // neither word wrap nor stretching
    memo->FontSize = pick(4, 14);
    memo->Height = memo->GetLineHeight() + memo->VerticalGaps();
    t.Band(type, y, memo->Height, {}, 48);
    made.narrow = text;
    made.narrowLeast = memo->LeastPixelHeight();
    made.narrowOnce = type != btMasterFooter;
    made.description += QStringLiteral("a line of %1 letters without word wrap %2 wide at %3 pt; ")
                            .arg(text.size())
                            .arg(memo->Width)
                            .arg(memo->FontSize);
}

} // namespace generated

inline GeneratedLayout generateLayout(TestReport &t, const LayoutChoice &pick)
{
    GeneratedLayout made;
    TvlPage &page = *t.page;
    page.ChangePaper(256, pick(700, 3000), pick(500, 3000), pick(0, 1) ? poLandscape : poPortrait);
    if (pick(0, 2) == 0)
        page.Margins = {pick(0, 60), pick(0, 60), pick(0, 60), pick(0, 60)};
    t.report->TwoPass = quint16(pick(0, 3) == 0);
    // Beside the rows: cross columns, or a sub-report in each row's band, or nothing.
    const int beside = pick(0, 5);
    const bool cross = beside == 0, subInRows = beside == 1;
    // A sub-report's rows (when there is one) may have cross columns too.
    const bool subCross = pick(0, 3) == 0;
    // A row header holding the rows' texts on one line each, and a column of
    // cells, beside the other bands' objects: the page keeps the room for them.
    if ((cross || subCross) && page.RightEdge() - page.LeftOffset() < 240)
        page.Margins = {0, 0, 0, 0};
    const int printable = page.RightEdge() - page.LeftOffset();
    page.Columns = std::min(pick(0, 3), std::max(1, printable / (cross || subCross ? 260 : 110)));
    // Columns step by their width and the gap: the last one's objects stay on the page.
    const int columns = std::max(1, page.Columns), step = printable / columns;
    page.ColumnGap = std::min(pick(0, 20), (step - 100) / std::max(1, columns - 1));
    const int pageHeight = page.BottomEdge() - page.TopOffset();
    const int pageColumn = step - (columns - 1) * page.ColumnGap;
    // With cross columns the objects of other bands keep to the left third of
    // the page column, clear of the cross bands; the row header and the columns follow.
    const int columnWidth = cross || subCross ? pageColumn / 3 : pageColumn;
    // The width memos keep to: a page column's, or the page's for a title or
    // a page header across it (wider than any cross band, so none takes them).
    int memoRoom = columnWidth;
    // A sub-report's box: the page column (its cross columns keep to it), or
    // a part of it, another object beside it.
    const int subRoom = subCross ? pageColumn : columnWidth;
    const int subBox =
        pick(0, 1)
            ? subRoom
            : pick(std::min(subRoom, subCross ? std::max(200, subRoom * 2 / 3) : std::max(100, subRoom / 2)), subRoom);

    // Rows, and a text of many lines that other bands may show.
    const int tallLines = pick(0, 4) == 0 ? pick(10, 60) : pick(0, 6);
    const int rowLines = std::max(tallLines, 3); // the most a record's text has
    MemoryRows *set = t.Rows("Zbozi", {"Nazev", "Skupina", "Text"},
                             generated::rows(pick, u'Z', pick(0, 20), tallLines, made.expected));
    // Past its end the set reads its last row, as a data set of the program does.
    t.report->OnGetValue = [set, read = t.report->OnGetValue](const QString &name, Variant &value) {
        read(name, value);
        const int column = int(set->Columns.indexOf(name));
        if (value.isUnassigned() && column >= 0 && !set->Rows.isEmpty())
            value = Variant::fromQVariant(set->Rows.last()[column]);
    };

    // A memo in a band from y of height h, showing text of up to lines lines,
    // or as many as the texts it shows wrap to. One that grows with its band
    // may be of any height; any other is as tall as its text (a box that does
    // not stretch cuts what it does not hold), and the band holds it.
    const auto memo = [&](int y, int &h, const QStringList &text, int lines, bool grows, TvlPage *on = nullptr,
                          const QStringList &shows = {}) {
        const int width = memoRoom > columnWidth ? pick(columnWidth + 1, memoRoom) : std::min(memoRoom, pick(90, 300));
        const int top = pick(0, std::max(0, h - 18));
        TvlMemoView *m =
            t.Memo(page.LeftOffset() + pick(0, std::max(0, memoRoom - width)), y + top, width, pick(1, 30), text, on);
        if (grows) {
            m->Flags |= mfStretched;
        } else {
            for (const QString &shown : shows)
                lines = std::max(lines, int(m->Layout({shown}).size()));
            m->Height = std::max(m->Height, lines * m->GetLineHeight() + m->VerticalGaps());
            m->Flags &= ~mfStretched;
        }
        h = std::max(h, top + m->Height);
        return m;
    };
    // A memo of a band's text: one line, or lines "tag.1" to "tag.n" shown
    // whole; in bands that each new page or column prints, fewer lines (a
    // page of them leaves room for nothing else).
    const auto textMemo = [&](int y, int &h, const QString &tag, bool grows, bool byBreaks, TvlPage *on = nullptr) {
        int lines = tallLines > 1 && pick(0, 2) == 0 ? tallLines : 1;
        if (byBreaks && lines > 1)
            lines = std::min(lines, pick(2, 10));
        QStringList text{tag};
        if (lines > 1) {
            text.clear();
            for (int l = 1; l <= lines; ++l)
                text << QStringLiteral("%1.%2").arg(tag).arg(l);
            made.whole[tag] = lines;
        }
        return memo(y, h, text, lines, grows, on);
    };
    const auto height = [&](bool byBreaks = false) {
        if (byBreaks)
            return pick(0, 19) == 0 ? pick(pageHeight / 4, pageHeight) : pick(0, 60);
        return pick(0, 9) == 0 ? pick(pageHeight / 2, pageHeight + 200) : pick(0, 60);
    };
    int y = 0;
    // A band with a memo, maybe stretching or splitting; given a page, a
    // sub-report of it instead of the memo.
    const auto band = [&](int type, quint16 flags, const QString &tag, TvlPage *sub = nullptr) {
        const bool byBreaks =
            type == btPageHeader || type == btColumnHeader || type == btColumnFooter || (flags & bfReprintOnNewPage);
        int h = height(byBreaks);
        if (pick(0, 1))
            flags |= bfStretched;
        if (pick(0, 3) == 0)
            flags |= bfAllowSplit;
        TvlBandView *view = t.Band(type, y, h, {}, flags);
        if (sub) {
            h = std::max(h, 20);
            const int top = y + pick(0, h - 20);
            t.SubReport(page.LeftOffset(), top, subBox, 20, 1);
            // Clear of the rows' cross bands, which would take it as a cell.
            if (!cross && subRoom - subBox >= 50) {
                t.Memo(page.LeftOffset() + subBox + 5, top, std::min(200, subRoom - subBox - 5), 18, {"sb"});
                made.description += QStringLiteral("a memo beside the sub-report %1 wide; ").arg(subBox);
            }
        } else {
            const TvlKeep<int> keep(memoRoom);
            if ((type == btReportTitle || type == btPageHeader) && pick(0, 1))
                memoRoom = printable;
            textMemo(y, h, tag, (flags & bfStretched) && pick(0, 1), byBreaks);
        }
        view->Height = h;
        made.description += QStringLiteral("%1 %2 (flags %3); ").arg(vlBandName(type)).arg(h).arg(flags);
        y += h + 1;
    };
    const auto maybeBand = [&](int type, quint16 flags, const QString &tag) {
        if (pick(0, 2) != 0)
            band(type, flags, tag);
    };

    // A sub-report in the title, the summary or the rows' band: a page of
    // its own rows. In the rows' band it has rows for one record alone, so
    // that they print once.
    const int subIn = subInRows         ? btMasterData
                      : pick(0, 5) == 0 ? btReportTitle
                      : pick(0, 5) == 0 ? btReportSummary
                                        : -1;
    TvlPage *sub = nullptr;
    if (subIn >= 0) {
        sub = t.report->Pages.Add();
        sub->ChangePaper(256, page.PaperWidth, page.PaperHeight, page.Orientation);
        sub->Margins = page.Margins;
        QStringList subTexts;
        const QList<QVariantList> subRows = generated::rows(
            pick, u'Y', (subInRows || subCross) && pick(0, 1) ? pick(20, 120) : pick(0, 8), tallLines, subTexts);
        // Its objects keep to its box.
        const TvlKeep<int> keep(memoRoom);
        memoRoom = std::min(columnWidth, subBox);
        MemoryRows *subSet = t.Rows("Podsestava", {"Oznaceni", "Skupina2", "Popis"}, subRows);
        if (subInRows) {
            const int withRows = pick(0, std::max(0, int(set->Rows.size()) - 1));
            subSet->SetRows({});
            t.report->OnBeginBand = [set, subSet, subRows, withRows](TvlBand *band) {
                if (band->DataSet == set)
                    subSet->SetRows(set->RecordNo() == withRows ? subRows : QList<QVariantList>{});
            };
            made.description += QStringLiteral("the sub-report's rows in record %1; ").arg(withRows);
        }
        if (!subInRows || !set->Rows.isEmpty())
            made.expected << subTexts;
        int h = std::max(18, subCross ? pick(0, 60) : height());
        quint16 flags = quint16(48 | (pick(0, 1) ? bfStretched : 0) | (pick(0, 1) ? bfAllowSplit : 0));
        TvlBandView *data = t.Band(btMasterData, 0, h, QStringLiteral("Podsestava"), flags, sub);
        const bool grows = (flags & bfStretched) && pick(0, 3) != 0;
        TvlMemoView *marker = memo(0, h, {QStringLiteral("[Oznaceni]")}, 1, false, sub);
        TvlMemoView *text = memo(0, h, {QStringLiteral("[Popis]")}, rowLines, grows, sub);
        if (subCross)
            generated::crossColumns(t, pick, made, 0, h, {marker, text}, grows, subBox, sub, u'w');
        data->Height = h;
        if (pick(0, 1)) {
            int summary = height();
            const quint16 summaryFlags = quint16(48 | (pick(0, 1) ? bfStretched : 0));
            TvlBandView *view = t.Band(btReportSummary, h + 1, summary, {}, summaryFlags, sub);
            textMemo(h + 1, summary, QStringLiteral("ps"), (summaryFlags & bfStretched) && pick(0, 1), false, sub);
            view->Height = summary;
        }
        made.description +=
            QStringLiteral("sub-report in %1, its rows %2 (flags %3); ").arg(vlBandName(subIn)).arg(h).arg(flags);
    }

    if (pick(0, 3) == 0) {
        // Printed where it lies on the page, over whatever else the page shows.
        y = std::max(y, page.TopOffset() + pick(0, pageHeight / 2));
        const quint16 flags = quint16(48 | (pick(0, 1) ? bfStretched : 0));
        TvlBandView *view = t.Band(btOverlay, y, 20, {}, flags);
        int h = 20;
        textMemo(y, h, QStringLiteral("ov"), (flags & bfStretched) && pick(0, 1), false);
        made.description += QStringLiteral("Overlay at %1 (flags %2); ").arg(y).arg(flags);
        y += std::max(h, view->Height) + 1;
    }
    const quint16 reprint = quint16(pick(0, 1) ? bfReprintOnNewPage : 0);
    if (subIn == btReportTitle)
        band(btReportTitle, 48, {}, sub);
    else
        maybeBand(btReportTitle, 48, QStringLiteral("ti"));
    const quint16 onFirst = quint16(pick(0, 1) ? bfPrintOnFirstPage : 0);
    if (pick(0, 3) == 0) {
        // A page header that grows and shrinks with the page number: "hd"
        // lines, one on the first page, up to most on the others.
        const int most = pick(2, 6);
        int h = pick(0, 30);
        TvlBandView *view = t.Band(btPageHeader, y, h, {}, quint16(48 | onFirst | bfStretched));
        {
            const TvlKeep<int> keep(memoRoom);
            if (pick(0, 1))
                memoRoom = printable;
            memo(y, h, {QStringLiteral("[Hlavicka]"), QStringLiteral("str.[PAGE#]")}, 1, true);
        }
        view->Height = h;
        t.report->OnGetValue = [&t, most, read = t.report->OnGetValue](const QString &name, Variant &value) {
            if (name != QLatin1String("Hlavicka"))
                return read(name, value);
            QStringList lines;
            for (int l = 0, n = 1 + (t.report->EMFPages.Count() - 1) % most; l < n; ++l)
                lines << QStringLiteral("hd");
            value = Variant(lines.join(u'\n'));
        };
        made.description +=
            QStringLiteral("Page header %1 of 1 to %2 lines (flags %3); ").arg(h).arg(most).arg(view->Flags);
        y += h + 1;
    } else {
        maybeBand(btPageHeader, onFirst, QStringLiteral("ph"));
    }
    maybeBand(btColumnHeader, 48, QStringLiteral("ch"));
    const bool groups = pick(0, 1);
    if (groups) {
        int h = height(reprint);
        quint16 flags = quint16(48 | reprint | (pick(0, 4) == 0 ? bfStartNewPage : 0));
        if (pick(0, 1))
            flags |= bfStretched;
        if (pick(0, 3) == 0)
            flags |= bfAllowSplit;
        TvlBandView *view = t.Band(btGroupHeader, y, h, QStringLiteral("[Skupina]"), flags);
        QStringList groupTexts;
        for (const QVariantList &row : set->Rows)
            groupTexts << row[1].toString();
        memo(y, h, {QStringLiteral("[Skupina]")}, 1, (flags & bfStretched) && pick(0, 1), nullptr, groupTexts);
        view->Height = h;
        made.description += QStringLiteral("Group header %1 (flags %2); ").arg(h).arg(flags);
        y += h + 1;
    }
    maybeBand(btMasterHeader, quint16(48 | reprint), QStringLiteral("mh"));
    {
        // The data band: its marker, and the text that may stretch it. One
        // with cross columns or a sub-report never splits: one taller than
        // any page would only end the build.
        int h = std::max(18, cross || subInRows ? pick(0, 60) : height());
        quint16 flags = 48;
        if (pick(0, 1))
            flags |= bfStretched;
        if (pick(0, 1))
            flags |= bfAllowSplit;
        if (pick(0, 6) == 0)
            flags |= bfStartNewPage;
        TvlBandView *view = t.Band(btMasterData, y, h, QStringLiteral("Zbozi"), flags);
        // Below a sub-report's place the text keeps its height: what grows over it is the designer's to see.
        const bool grows = (flags & bfStretched) && pick(0, 3) != 0 && !subInRows;
        TvlMemoView *marker = memo(y, h, {QStringLiteral("[Nazev]")}, 1, false);
        TvlMemoView *text = memo(y, h, {QStringLiteral("[Text]")}, rowLines, grows);
        // The page and page column of a row, which may move to the next or
        // print in pieces; maybe a text that OnEnterRect makes of them.
        if (pick(0, 2) == 0) {
            TvlMemoView *page = memo(y, h, {generated::rowPage}, 1, false);
            page->Flags &= ~mfWordWrap; // one line
            if (pick(0, 1)) {
                page->Name = QStringLiteral("stranaRadku");
                page->Memo = QStringList{QStringLiteral("ř")};
            }
        }
        if (cross)
            generated::crossColumns(t, pick, made, y, h, {marker, text}, grows, pageColumn, t.page, u'x');
        if (subIn == btMasterData) {
            // Below the row's own texts, in the row's column.
            t.SubReport(page.LeftOffset(), y + h, subBox, 20, 1);
        }
        view->Height = h;
        made.description += QStringLiteral("Master data %1 (flags %2); ").arg(h).arg(flags);
        y += h + 1;
    }
    maybeBand(btMasterFooter, 48, QStringLiteral("mf"));
    if (groups)
        band(btGroupFooter, 48, QStringLiteral("gf"));
    maybeBand(btColumnFooter, 48, QStringLiteral("cf"));
    if (subIn == btReportSummary)
        band(btReportSummary, 48, {}, sub);
    else
        maybeBand(btReportSummary, 48, QStringLiteral("su"));
    if (pick(0, 1)) {
        // A page footer up to a third of the page, which may stretch further.
        int h = pick(0, pageHeight / 3);
        const quint16 flags = quint16(48 | (pick(0, 1) ? bfStretched : 0));
        TvlBandView *view = t.Band(btPageFooter, y, h, {}, flags);
        if (pick(0, 2) == 0) {
            // One growing with its page: 1 to most lines, and its page number and the page count.
            const int most = pick(2, 6);
            view->Flags |= bfStretched;
            memo(y, h, {QStringLiteral("[Paticka]"), QStringLiteral("str.[PAGE#] zs.[TOTALPAGES]")}, 1, true);
            t.report->OnGetValue = [most, read = t.report->OnGetValue](const QString &name, Variant &value) {
                if (name != QLatin1String("Paticka"))
                    return read(name, value);
                QStringList lines;
                for (int l = 0, n = 1 + TvlReportBuilder::Active()->PageIndex() % most; l < n; ++l)
                    lines << QStringLiteral("pt");
                value = Variant(lines.join(u'\n'));
            };
            made.description += QStringLiteral("growing to %1 lines; ").arg(most);
        } else {
            textMemo(y, h, QStringLiteral("pf"), (flags & bfStretched) && pick(0, 1), true);
        }
        view->Height = h;
        made.description += QStringLiteral("Page footer %1 (flags %2); ").arg(h).arg(view->Flags);
        y += h + 1;
    }
    generated::countsAndNarrowLines(t, pick, made, y, columnWidth);
    made.description += QStringLiteral("%1 rows, page %2 high, %3 columns, two passes %4")
                            .arg(set->Rows.size())
                            .arg(pageHeight)
                            .arg(page.Columns)
                            .arg(t.report->TwoPass);
    return made;
}

namespace generated {

// Each counting memo counted once per print, in each pass, and raised
// OnEnterRect as often; the narrow line legible, whole or cut with "…".
inline QString checkCountsAndNarrowLines(TestReport &t, const GeneratedLayout &made, const QList<PrintedLine> &printed)
{
    const int passes = t.report->TwoPass ? 2 : 1;
    const auto records = [&](QChar series) {
        return int(made.expected.filter(QRegularExpression(QStringLiteral("^%1\\d{3}$").arg(series))).size());
    };
    int columns = 0;
    for (const MemoryRows *rows : t.sets)
        if (rows->objectName() == QLatin1String("Kolonky"))
            columns = int(rows->Rows.size());
    for (auto it = made.counting.begin(); it != made.counting.end(); ++it) {
        const int prints = it.value() == u'x' ? records(u'Z') * columns : records(it.value());
        const int counted = int(vlScriptVariables().GetVariable(it.key()).toInt());
        const int entered = made.entered->value(it.key());
        if (counted != prints * passes || entered != prints * passes)
            return QStringLiteral("%1 printed %2 times in each of %3 passes, its script counted %4, OnEnterRect %5")
                .arg(it.key())
                .arg(prints)
                .arg(passes)
                .arg(counted)
                .arg(entered);
    }
    if (made.narrow.isEmpty())
        return {};
    const QString mark(QChar(0x2026));
    int shown = 0;
    for (const PrintedLine &line : printed) {
        if (!line.text.startsWith(QLatin1String("nw")))
            continue;
        ++shown;
        const TvlTextOutput &piece = line.piece;
        TvlTextWidths &widths = TvlTextWidths::For(piece.Font);
        const double natural = widths.Width(line.text);
        const double drawn = piece.CharX.isEmpty() ? natural : piece.CharX.last() + widths.Width(line.text.right(1));
        const bool whole = line.text == made.narrow;
        const bool cut = line.text.endsWith(mark) && made.narrow.startsWith(line.text.chopped(1));
        if (piece.Font.pixelSize() < made.narrowLeast || drawn < natural * 0.9 || !(whole || cut) ||
            piece.X + drawn > line.box.right() + 1.5)
            return QStringLiteral("the line without word wrap \"%1\" printed at %2 px (least %3), %4 wide for %5, "
                                  "from %6 in the box %7..%8")
                .arg(line.text)
                .arg(piece.Font.pixelSize())
                .arg(made.narrowLeast)
                .arg(drawn)
                .arg(natural)
                .arg(piece.X)
                .arg(line.box.left())
                .arg(line.box.right());
    }
    // A title or summary prints it once; a master footer once per group, or not at all without rows.
    if (made.narrowOnce && shown != 1)
        return QStringLiteral("the line without word wrap printed %1 times").arg(shown);
    return {};
}

} // namespace generated

// What is wrong with the build of a generated layout; empty when nothing is.
inline QString checkGeneratedBuild(TestReport &t, const GeneratedLayout &made)
{
    if (!t.report->PrepareReport()) {
        if (!t.report->BuildFailed() || t.report->ErrorText().isEmpty())
            return QStringLiteral("the build stopped without an error text");
        return {};
    }
    const QList<PrintedLine> printed = printedLines(*t.report);
    // Each series of records in order, each record once, its lines in order
    // (a text above its marker may come first).
    for (const QChar series : {u'Z', u'Y'}) {
        QStringList texts;
        for (const PrintedLine &line : printed)
            if (line.text.startsWith(series) && generated::recordText().match(line.text).hasMatch())
                texts << line.text;
        const QStringList expected = made.expected.filter(QRegularExpression(QStringLiteral("^") + series));
        const auto part = [](const QStringList &list, bool lines) {
            QStringList out;
            for (const QString &text : list)
                if (text.contains(u'.') == lines)
                    out << text;
            return out;
        };
        QStringList sorted = texts;
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const QString &a, const QString &b) { return a.left(4) < b.left(4); });
        if (part(texts, false) != part(expected, false) || part(texts, true) != part(expected, true) || sorted != texts)
            return QStringLiteral("printed %1 of %2 texts: %3")
                .arg(texts.size())
                .arg(expected.size())
                .arg(texts.join(u' '));
    }
    // A band's text whole each time the band prints.
    for (auto it = made.whole.begin(); it != made.whole.end(); ++it) {
        const QStringList shown = linesStartingWith(printed, it.key() + u'.');
        bool whole = shown.size() % it.value() == 0;
        for (int i = 0; i < shown.size() && whole; ++i)
            whole = shown[i] == QStringLiteral("%1.%2").arg(it.key()).arg(i % it.value() + 1);
        if (!whole)
            return QStringLiteral("%1 is not whole: %2").arg(it.key(), shown.join(u' '));
    }
    if (const QString fault = generated::checkCountsAndNarrowLines(t, made, printed); !fault.isEmpty())
        return fault;
    // Where the lines land: an overlay prints over the rest, inside its box and the page.
    return checkPrintedLines(printed, *t.page, [](const PrintedLine &line) {
        if (line.text.startsWith(QLatin1String("ov")) || line.text.startsWith(QStringLiteral("ř ")))
            return QStringLiteral("*");
        const QRegularExpressionMatch record = generated::recordText().match(line.text);
        return record.hasMatch() ? record.captured(1) : objectOwner(line);
    });
}
