#pragma once
// The drawing surface of report objects. Views draw through it with a pen,
// brush and font state; the painter canvas puts the drawing on a screen,
// image or printer, the recorder keeps the text outputs in drawing order (the
// preview's search). Text is always measured on one fixed 96-dpi reference
// image, so building, preview, printing and tests lay text out alike.
#include <QFont>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QRawFont>
#include <QRect>
#include <QString>

// Stored colours: 0x00BBGGRR; 0x80000000 | index a system colour.
constexpr qint32 vlclNone = 0x1FFFFFFF; // transparent
constexpr qint32 vlclWhite = 0xFFFFFF;
constexpr qint32 vlclSilver = 0xC0C0C0;
constexpr qint32 vlclBtnFace = qint32(0x8000000F);
constexpr qint32 vlclBtnShadow = qint32(0x80000010);
QColor vlColor(qint32 value);

// Why a view is being drawn.
enum class TvlDrawMode {
    Design,        // the designer: corner marks, white for transparent fills
    Printing,      // preview and printer
    CountingPages, // first of two passes: nothing is drawn
};

enum TvlPenStyle { psSolid = 0, psDash = 1, psDot = 2, psDashDot = 3, psDashDotDot = 4, psDouble = 5 };

struct TvlPen
{
    qint32 Color = 0;
    int Width = 1;
    int Style = psSolid; // psDouble draws solid
};

struct TvlBrush
{
    enum Style { Solid, Clear, Checker }; // Checker: 8 x 8 white and silver
    qint32 Color = vlclWhite;
    Style Kind = Solid;
};

// Escapement and orientation of turned text, in tenths of a degree
// counter-clockwise: the text runs upwards.
constexpr int vlRotatedEscapement = 900;

// A font as a canvas selects it: the face and the turn of its text. The canvas
// draws text level or turned by 90 degrees; no other turn is used.
struct TvlFont
{
    QFont Font;
    int Escapement = 0;
    int Orientation = 0;
    bool Rotated() const { return Escapement == vlRotatedEscapement; }
};

// The given font turned by 90 degrees (escapement and orientation 900).
TvlFont vlCreateRotatedFont(const QFont &font);

class TvlCanvas
{
public:
    virtual ~TvlCanvas() = default;

    TvlPen Pen;
    TvlBrush Brush;
    QFont Font; // pixel-sized
    qint32 FontColor = 0;
    bool FontRotated = false; // text runs upwards (turned by 90 degrees)

    // Takes the face and the turn of a font.
    void SelectFont(const TvlFont &font);
    TvlDrawMode Mode = TvlDrawMode::Design;
    bool ShowBandTitles = true; // designer option
    QRect DesignPage;           // the design page area the designer shows

    virtual bool IsPrinter() const { return false; }
    // The painter underneath, for objects that draw formatted text themselves;
    // none when the canvas only records.
    virtual QPainter *Painter() { return nullptr; }
    // The area drawing reaches; a null rectangle when unbounded.
    virtual QRect ClipBox() const { return {}; }
    virtual void SetClipRect(const QRect &rect) = 0; // drawing stays inside until ResetClip
    virtual void ResetClip() = 0;

    // Fills with the brush; right and bottom exclusive.
    virtual void FillRect(const QRect &rect) = 0;
    // A line with the pen, both ends included.
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    // The outline of the rectangle (right and bottom exclusive) with the pen.
    virtual void Rectangle(const QRect &rect) = 0;
    // Text with its top left at (x, y) (turned: the start at the bottom, rising
    // from y). charX, when given, places every character at its own offset.
    virtual void TextOut(int x, int y, const QString &text, const QList<qreal> &charX = {}) = 0;
    virtual void DrawImage(const QRect &target, const QImage &image) = 0;

    // Widths on the reference image in the current font.
    qreal TextWidth(const QString &text) const;
    // Offsets of each character from the text's start.
    QList<qreal> CharOffsets(const QString &text) const;
    static const QImage &ReferenceImage();
};

// Draws through a painter the caller owns (on a widget, QImage or QPrinter).
class TvlPainterCanvas : public TvlCanvas
{
public:
    explicit TvlPainterCanvas(QPainter &painter, bool printer = false);

    bool IsPrinter() const override { return m_printer; }
    QPainter *Painter() override { return &m_painter; }
    QRect ClipBox() const override;
    void SetClipRect(const QRect &rect) override;
    void ResetClip() override;
    void FillRect(const QRect &rect) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void Rectangle(const QRect &rect) override;
    void TextOut(int x, int y, const QString &text, const QList<qreal> &charX = {}) override;
    void DrawImage(const QRect &target, const QImage &image) override;

protected:
    // Characters at their own offsets from the text's origin (the painter is
    // moved and turned there), drawn in one glyph run.
    virtual void drawPlaced(const QString &text, const QList<qreal> &charX, qreal baseline);

private:
    void applyPen();

    QPainter &m_painter;
    QRawFont m_rawFont; // of the font m_rawFontOf
    QFont m_rawFontOf;
    bool m_printer;
    bool m_clipped = false;
};

// One text output as drawn.
struct TvlTextOutput
{
    int X = 0;
    int Y = 0;
    QString Text;
    QList<qreal> CharX; // character offsets when placed one by one
    QFont Font;
    qint32 Color = 0;
    bool Rotated = false;
};

// Keeps text outputs in drawing order; everything else is dropped. With a
// target canvas, all drawing also goes there.
class TvlTextRecorder : public TvlCanvas
{
public:
    explicit TvlTextRecorder(TvlCanvas *target = nullptr)
        : m_target(target)
    {}

    const QList<TvlTextOutput> &Outputs() const { return m_outputs; }
    void Clear() { m_outputs.clear(); }

    bool IsPrinter() const override { return m_target && m_target->IsPrinter(); }
    QPainter *Painter() override { return m_target ? m_target->Painter() : nullptr; }
    QRect ClipBox() const override { return m_target ? m_target->ClipBox() : QRect(); }
    void SetClipRect(const QRect &rect) override;
    void ResetClip() override;
    void FillRect(const QRect &rect) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void Rectangle(const QRect &rect) override;
    void TextOut(int x, int y, const QString &text, const QList<qreal> &charX = {}) override;
    void DrawImage(const QRect &target, const QImage &image) override;

private:
    void syncState();

    TvlCanvas *m_target;
    QList<TvlTextOutput> m_outputs;
};
