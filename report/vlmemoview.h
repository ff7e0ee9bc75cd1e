#pragma once
// Text objects: the stretchable base (height follows the content) and the
// memo, with its font, alignment, highlight and text layout.
#include "report/vlmemotext.h"
#include "report/vlview.h"

#include "platform/fontstyle.h"

class TvlTextWidths;

class TvlStretcheable : public TvlView
{
public:
    // Height the content needs, one text line, what is left after a split.
    virtual int CalcHeight() = 0;
    virtual int GetLineHeight() = 0;
    virtual int GetRemainingHeight() = 0;
    // Content that prints in parts by itself (rich text): each print takes
    // what fits the height from where the last part ended.
    virtual bool PrintsInParts() const { return false; }
    virtual bool PartLeft() const { return false; }
};

// Memo Flags.
enum TvlMemoFlag : quint16 { mfStretched = 1, mfWordWrap = 2, mfWordBreak = 4, mfAutoWidth = 8 };
// Adjust: horizontal alignment in bits 0-1, turned text, vertical alignment in bits 3-4.
enum TvlAdjust : qint32 {
    adLeft = 0,
    adRight = 1,
    adCenter = 2,
    adJustify = 3,
    adRotated = 4,
    adVCenter = 8,
    adBottom = 16
};

struct TvlHighlight
{
    quint16 FontStyle = 2; // style code: bold
    qint32 FontColor = 0;
    qint32 FillColor = 0xFFFFFF;
};

class TvlMemoView : public TvlStretcheable
{
public:
    TvlMemoView();

    QString ClassName() const override { return QStringLiteral("TvlMemoView"); }
    void Assign(const TvlView &source) override;
    void Draw(TvlCanvas &canvas) override;
    void Print(ByteStream &stream) override;
    void LoadBlob(const QByteArray &data, bool isNull) override;
    void LoadFromStream(ByteStream &stream, int version = vlCurrentVersion) override;
    void SaveToStream(ByteStream &stream) override;
    void WriteXmlElement(TvlXmlWriter &xml, const TvlXmlContext &context) override;
    QList<TvlMenuOption> FillPopupMenu() const override;
    int CalcHeight() override;
    int GetLineHeight() override;
    int GetRemainingHeight() override;

    Kind ScriptKind() const override { return Kind::Memo; }
    Variant ScriptProperty(TvlScriptProperty property) const override;
    void SetScriptProperty(TvlScriptProperty property, const Variant &value) override;

    // The text lines as printed at scale 1, with their positions (what the
    // export filters take instead of drawing).
    QList<TvlTextOutput> TextPieces();

    // While printing with a true HighlightCondition: the highlight's font
    // style, font colour and fill replace the memo's own until RemoveHighlight.
    void ApplyHighlight();
    void RemoveHighlight();

    // The font's height in layout pixels (its size at 96 per inch).
    int FontPixelHeight() const;
    // The font at a pixel height.
    QFont MakeFont(int pixelHeight) const;
    // The font text is drawn with: turned by 90 degrees for turned text.
    TvlFont CanvasFont(int pixelHeight) const;
    // Text lines of the object: the prepared lines as they stand, or the
    // given text wrapped to the object's width.
    QList<TvlTextLine> Layout(const QStringList &text) const;
    // Width available to a line (height for turned text), less the gaps.
    int UsableWidth() const;
    // The smallest font height a line without word wrap shrinks to.
    int LeastPixelHeight() const;
    // What the gaps above the first line and below the last take of the height.
    int VerticalGaps() const;

    QString FontName = QStringLiteral("Arial");
    qint32 FontSize = 10;
    TFontStyles FontStyle;
    qint32 FontColor = 0;
    quint16 FontCharset = 1; // the system's default character set
    qint32 Adjust = 0;
    TvlHighlight Highlight;
    QString HighlightCondition;
    qint32 LineSpacing = 2;
    qint32 CharSpacing = 0;
    // Working fields of building, drawing and exporting.
    bool MeasureOnly = false;
    int LineHeight = 0;
    int LinesPrinted = 0;
    bool ExportMode = false;
    bool PrintPart = false;

protected:
    void WriteTextField(ByteStream &stream, const QStringList &lines) override;
    void ReadTextField(ByteStream &stream, int version, QStringList &lines) override;

private:
    // A line wider than room: at the width it may shrink to, cut with "…"
    // where even the least font height is too wide (widths: the design font).
    void FitLine(TvlTextLine &line, int room, TvlTextWidths &widths) const;
    void DrawText(TvlCanvas &canvas, const QList<TvlTextLine> &lines);
    void DrawLine(TvlCanvas &canvas, const TvlTextLine &line, int x, int y, int span);

    bool m_printingWrapped = false; // Print has just laid the text out

    struct
    {
        bool active = false;
        TFontStyles fontStyle;
        qint32 fontColor = 0;
        qint32 fillColor = 0;
    } m_beforeHighlight;
};
