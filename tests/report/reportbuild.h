#pragma once
// Reports built in the tests from the object model: a report on an owner
// with in-memory rows, layout helpers, and a readable dump of prepared pages.
#include "platform/printers.h"
#include "report/vlbandview.h"
#include "report/vlmemoview.h"
#include "report/vlreport.h"
#include "report/vlsubreportview.h"

#include <QMap>
#include <QObject>
#include <QStringList>
#include <memory>
#include <ostream>

// Lines as one text, so a failing comparison shows them readably.
inline std::string lines(const QStringList &list)
{
    return list.join(QLatin1Char('\n')).toStdString();
}

// Rows a TdiRazaDataset hands out; the report's OnGetValue reads their fields.
class MemoryRows : public TdiRazaDataset
{
public:
    MemoryRows(QObject *owner, const QString &name, QStringList columns, QList<QVariantList> rows)
        : TdiRazaDataset(owner)
        , Columns(std::move(columns))
        , Rows(std::move(rows))
    {
        setObjectName(name);
        SetRangeEnd(reCount);
        SetRangeEndCount(int(Rows.size()));
    }
    void SetRows(QList<QVariantList> rows)
    {
        Rows = std::move(rows);
        SetRangeEndCount(int(Rows.size()));
    }
    // The field of the current row, or Unassigned when this set has no such column.
    Variant Field(const QString &name) const
    {
        const int column = int(Columns.indexOf(name));
        if (column < 0 || RecordNo() >= Rows.size())
            return {};
        return Variant::fromQVariant(Rows[RecordNo()][column]);
    }

    QStringList Columns;
    QList<QVariantList> Rows;
};

// A report on an owner of its own, on the virtual printer.
struct TestReport
{
    TestReport()
        : printers(std::make_unique<FixedPrinterBackend>(QList<FixedPrinterBackend::Printer>{}))
    {
        vlFreePrinter();
        report = new TvlReport(&owner);
        report->setObjectName("Sestava");
        report->ShowProgress = false;
        report->OnGetValue = [this](const QString &name, Variant &value) {
            for (MemoryRows *rows : sets) {
                // "Set.Column" or a plain column of any set, in the order the sets were added.
                const int dot = int(name.indexOf(u'.'));
                if (dot > 0 && name.left(dot).compare(rows->objectName(), Qt::CaseInsensitive) != 0)
                    continue;
                value = rows->Field(dot > 0 ? name.mid(dot + 1) : name);
                if (!value.isUnassigned())
                    return;
            }
        };
        page = report->Pages.Add();
    }
    ~TestReport() { vlFreePrinter(); }

    MemoryRows *Rows(const QString &name, QStringList columns, QList<QVariantList> rows)
    {
        sets << new MemoryRows(&owner, name, std::move(columns), std::move(rows));
        return sets.last();
    }
    TvlBandView *Band(int type, int top, int height, const QString &source = {}, quint16 flags = 48,
                      TvlPage *on = nullptr)
    {
        auto band = std::make_unique<TvlBandView>();
        band->SetBandType(type);
        band->SetBounds(0, top, 700, height);
        band->FormatText = source;
        band->Flags = flags;
        band->Name = QStringLiteral("Band%1").arg(++bandNumber);
        return static_cast<TvlBandView *>((on ? on : page)->Add(std::move(band)));
    }
    TvlMemoView *Memo(int left, int top, int width, int height, const QStringList &text, TvlPage *on = nullptr)
    {
        auto memo = std::make_unique<TvlMemoView>();
        memo->SetBounds(left, top, width, height);
        memo->Memo = text;
        memo->Flags = mfWordWrap;
        memo->Name = QStringLiteral("Memo%1").arg(++memoNumber);
        return static_cast<TvlMemoView *>((on ? on : page)->Add(std::move(memo)));
    }

    // A sub-report showing the design page of the index.
    TvlSubReportView *SubReport(int left, int top, int width, int height, int pageIndex, TvlPage *on = nullptr)
    {
        auto sub = std::make_unique<TvlSubReportView>();
        sub->SetBounds(left, top, width, height);
        sub->PageIndex = pageIndex;
        sub->Name = QStringLiteral("SubReport%1").arg(++subReportNumber);
        return static_cast<TvlSubReportView *>((on ? on : page)->Add(std::move(sub)));
    }

    // "page N" lines, then per object "x,y wxh text" (memo lines joined by "|").
    QStringList Dump()
    {
        QStringList out;
        for (int i = 0; i < report->EMFPages.Count(); ++i) {
            out << QStringLiteral("page %1").arg(i + 1);
            report->EMFPages.ExportPage(i, [&](TvlView &view) {
                QStringList lines;
                for (const QString &line : view.Memo)
                    lines << vlDecodeTextLine(line).Text;
                out << QStringLiteral("%1,%2 %3x%4 %5")
                           .arg(view.Left)
                           .arg(view.Top)
                           .arg(view.Width)
                           .arg(view.Height)
                           .arg(lines.join(u'|'));
            });
        }
        return out;
    }
    // Only the texts, page by page ("page N" lines kept).
    QStringList Texts()
    {
        QStringList out;
        for (const QString &line : Dump())
            out << (line.startsWith(QLatin1String("page ")) ? line : line.section(u' ', 2));
        return out;
    }

    ScopedPrinterBackend printers;
    QObject owner;
    TvlReport *report;
    TvlPage *page;
    QList<MemoryRows *> sets;
    int bandNumber = 0, memoNumber = 0, subReportNumber = 0;
};
