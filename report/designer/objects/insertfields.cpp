#include "report/designer/objects/insertfields.h"

#include "platform/db/dataset.h"
#include "report/components.h"
#include "report/dbdataset.h"
#include "report/designer/objects/formattags.h"
#include "report/vlbandview.h"
#include "report/vlmemoview.h"
#include "report/vlpage.h"
#include "report/vlregistry.h"
#include "report/vlstreams.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace {

constexpr int HeaderToData = 72; // pixels between a header row and its data row

// A generated width: whole grid steps, never less than one.
int gridWidth(int textWidth, int gridSize)
{
    return std::max(gridSize, textWidth / gridSize * gridSize);
}

// Squeezes a row of data memos (and their headers) into the printable width.
void fitRow(TvlFieldsLayout &layout, const TvlFieldsPlace &place)
{
    int end = 0;
    for (const TvlPlannedMemo &memo : layout.Memos)
        if (!memo.Header)
            end = std::max(end, memo.Rect.right() + 1 - place.LeftOffset);
    if (place.PrintableWidth <= 0 || end <= place.PrintableWidth)
        return;
    const double k = double(end) / place.PrintableWidth;
    TvlPlannedMemo *header = nullptr;
    for (TvlPlannedMemo &memo : layout.Memos) {
        if (memo.Header) {
            header = &memo;
            continue;
        }
        memo.Rect.moveLeft(place.LeftOffset + vlRound((memo.Rect.left() - place.LeftOffset) / k));
        memo.Rect.setWidth(std::max(1, vlRound(memo.Rect.width() / k)));
        if (header) {
            header->Rect.moveLeft(memo.Rect.left());
            header->Rect.setWidth(memo.Rect.width());
            header = nullptr;
        }
    }
}

} // namespace

int vlFieldCharWidth(int characters)
{
    return characters <= 0 || characters >= 256 ? 6 : characters;
}

std::vector<TvlFieldToInsert> vlFieldsToInsert(const QString &componentName, const QStringList &fieldNames)
{
    const Db::Dataset *dataset = vlSourceDataSet(vlFindComponent(componentName));
    std::vector<TvlFieldToInsert> fields;
    for (const QString &name : fieldNames) {
        const Db::Field *field = dataset ? dataset->FindField(name) : nullptr;
        TvlFieldToInsert entry{name, name, 6};
        if (field) {
            entry.Label = field->Label();
            entry.CharWidth = vlFieldCharWidth(field->DisplayWidth ? field->DisplayWidth : field->Size());
        }
        fields.push_back(entry);
    }
    return fields;
}

QString vlFieldExpression(const QString &dataSetName, const QString &fieldName)
{
    return QLatin1Char('[') + dataSetName + QStringLiteral(".\"") + fieldName + QStringLiteral("\"]");
}

TvlFieldsLayout vlLayoutFields(const TvlInsertFieldsChoice &choice, const TvlFieldsPlace &place)
{
    TvlFieldsLayout layout;
    const int grid = std::max(place.GridSize, 1);
    int x = place.LeftOffset, y = place.TopOffset;
    int lastHeaderBottom = y, lastDataBottom = y;
    for (const TvlFieldToInsert &field : choice.Fields) {
        const QString dataText = vlFieldExpression(choice.DataSetName, field.FieldName);
        const int dataWidth =
            gridWidth(place.TextWidth(QString(vlFieldCharWidth(field.CharWidth), QLatin1Char('=')), false), grid);
        QRect rect(QPoint(x, y), place.MemoSize);
        if (choice.Headers) {
            rect.setWidth(gridWidth(place.TextWidth(field.Label + QStringLiteral("   "), true), grid));
            layout.Memos.push_back({rect, field.Label, true});
            lastHeaderBottom = rect.bottom() + 1;
            if (choice.Horizontal)
                rect.translate(0, HeaderToData);
            else
                rect.translate(rect.width() + 2 * grid, 0);
        }
        rect.setWidth(dataWidth);
        layout.Memos.push_back({rect, dataText, false});
        lastDataBottom = rect.bottom() + 1;
        if (choice.Horizontal)
            x += rect.width() + grid;
        else
            y += rect.height() + grid;
    }
    if (choice.Horizontal)
        fitRow(layout, place);

    if (choice.Bands && !choice.Fields.empty()) {
        const int bottom = choice.Headers ? lastHeaderBottom : lastDataBottom;
        const QRect band(0, place.TopOffset, place.PageWidth, std::max(bottom - place.TopOffset, 1));
        if (choice.Headers && choice.Horizontal) {
            if (!place.HasPageHeader)
                layout.Bands.push_back({btPageHeader, band, QString()});
            layout.Bands.push_back({btMasterData, band.translated(0, HeaderToData), choice.DataSetName});
        } else
            layout.Bands.push_back({btMasterData, band, choice.DataSetName});
    }
    return layout;
}

std::vector<TvlView *> vlCreateFieldViews(TvlPage &page, const TvlFieldsLayout &layout,
                                          const TvlObjectDefaults &defaults,
                                          const std::function<bool(const QString &)> &taken)
{
    std::vector<TvlView *> created;
    const auto add = [&](std::unique_ptr<TvlView> view, const QRect &rect) {
        view->CreateUniqueName(taken);
        view->SetBounds(rect.left(), rect.top(), rect.width(), rect.height());
        view->Selected = true;
        created.push_back(page.Add(std::move(view)));
        return created.back();
    };
    for (const TvlPlannedMemo &planned : layout.Memos) {
        std::unique_ptr<TvlView> view = vlCreateView(otMemo);
        auto *memo = static_cast<TvlMemoView *>(view.get());
        if (!defaults.FontName.isEmpty()) // else the memo's own font
            memo->FontName = defaults.FontName;
        if (defaults.FontSize > 0)
            memo->FontSize = defaults.FontSize;
        if (planned.Header)
            memo->FontStyle = CodeToFontStyles(2);
        memo->Memo = QStringList{planned.Text};
        add(std::move(view), planned.Rect);
    }
    for (const TvlPlannedBand &planned : layout.Bands) {
        std::unique_ptr<TvlView> view = vlCreateView(otBand);
        auto *band = static_cast<TvlBandView *>(view.get());
        band->SetBandType(planned.BandType);
        band->FormatText = planned.DataSource;
        add(std::move(view), planned.Rect);
    }
    return created;
}

int vlMemoTextWidth(const QString &text, const QString &fontName, int fontSize, bool bold)
{
    TvlMemoView memo;
    if (!fontName.isEmpty())
        memo.FontName = fontName;
    if (fontSize > 0)
        memo.FontSize = fontSize;
    QFont font = memo.MakeFont(memo.FontPixelHeight());
    font.setBold(bold);
    const QFontMetricsF metrics(font, &TvlCanvas::ReferenceImage());
    return int(std::ceil(metrics.horizontalAdvance(text)));
}
