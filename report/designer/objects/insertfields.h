#pragma once
// The designer's tool "Vložit DB položky": memo objects for the chosen
// fields of a dataset, with optional header memos and bands, laid out in a
// row across the page or in a column down it.
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <vector>

class TvlPage;
class TvlView;
struct TvlObjectDefaults;

// Characters a field's memo is made wide for: its display width, or its
// size without a field object; 0 and 256 and above count as 6.
int vlFieldCharWidth(int characters);

struct TvlFieldToInsert
{
    QString FieldName;
    QString Label;     // the header's text
    int CharWidth = 6; // vlFieldCharWidth
};

// The chosen fields of a dataset component ("Form.Name" or a name of the
// report's owner): labels and widths from its field objects, the field name
// and the fallback width for a field it does not know.
std::vector<TvlFieldToInsert> vlFieldsToInsert(const QString &componentName, const QStringList &fieldNames);

// What the insert-fields dialog answered.
struct TvlInsertFieldsChoice
{
    QString DataSetName; // "Form.Component" when the form is not the report's owner
    std::vector<TvlFieldToInsert> Fields;
    bool Horizontal = true;
    bool Headers = false;
    bool Bands = false;
};

// Where the fields go and how wide texts are.
struct TvlFieldsPlace
{
    int LeftOffset = 0, TopOffset = 0;
    int PrintableWidth = 0;
    int PageWidth = 0;
    int GridSize = 4;
    QSize MemoSize{96, 18};
    bool HasPageHeader = false;
    // Width of a text in the new memos' font, bold for headers.
    std::function<int(const QString &text, bool bold)> TextWidth;
};

struct TvlPlannedMemo
{
    QRect Rect;
    QString Text;
    bool Header = false; // bold, the field's label
};
struct TvlPlannedBand
{
    int BandType = 0;
    QRect Rect;
    QString DataSource;
};
struct TvlFieldsLayout
{
    std::vector<TvlPlannedMemo> Memos; // in creation order (header before its data memo)
    std::vector<TvlPlannedBand> Bands;
};

// The data memo's text: [DataSet."Field"].
QString vlFieldExpression(const QString &dataSetName, const QString &fieldName);
// Positions, sizes and texts of the new memos and bands. No width is ever 0.
TvlFieldsLayout vlLayoutFields(const TvlInsertFieldsChoice &choice, const TvlFieldsPlace &place);
// Appends the planned objects to the page, named uniquely (taken tells
// whether a name is used in the report), selected, in the defaults' font.
// Returns the new objects.
std::vector<TvlView *> vlCreateFieldViews(TvlPage &page, const TvlFieldsLayout &layout,
                                          const TvlObjectDefaults &defaults,
                                          const std::function<bool(const QString &)> &taken);
// Text width in a memo font at 96 pixels per inch (the engine's reference).
int vlMemoTextWidth(const QString &text, const QString &fontName, int fontSize, bool bold);
