#pragma once
// The formatting shared by the text and frame toolbars: the sender's Tag
// chooses what changes on every selected object that is not a band, and the
// defaults of new objects follow the last value used.
#include "platform/colors.h"

#include <QString>
#include <optional>
#include <vector>

class TvlView;

// Tags of the formatting controls.
enum TvlFormatTag : int {
    tagFrameTop = 1,     // FrB1
    tagFrameLeft = 2,    // FrB2
    tagFrameBottom = 3,  // FrB3
    tagFrameRight = 4,   // FrB4
    tagFillColor = 5,    // ClB1
    tagFrameWidth = 6,   // E1
    tagFontName = 7,     // C2
    tagFontSize = 8,     // C3
    tagBold = 9,         // FnB1
    tagItalic = 10,      // FnB2
    tagAlignLeft = 11,   // AlB1
    tagAlignRight = 12,  // AlB2
    tagAlignCenter = 13, // AlB3
    tagRotated = 14,     // AlB4
    tagVertical = 15,    // AlB5, AlB6, AlB7
    tagFontColor = 17,   // ClB2
    tagUnderline = 18,   // FnB3
    tagFrameColor = 19,  // ClB3
    tagFrameAll = 20,    // FrB5
    tagFrameNone = 21,   // FrB6
    tagJustify = 22,     // AlB8
    tagLineStyle = 25,   // 25-30: the line-style buttons
    tagLineStyleLast = 30,
};

// What the handler reads of the controls.
struct TvlFormatRequest
{
    int Tag = 0;
    bool Down = false;        // the sender's down state (edges, style, AlB4)
    bool VCenterDown = false; // AlB5
    bool BottomDown = false;  // AlB7
    TColor Color = 0;         // the colour selector's colour
    QString Text;             // E1, C2 or C3
};

// The values new objects take; the formatting keeps them current.
struct TvlObjectDefaults
{
    double FrameWidth = 1.0;
    double LineWidth = 2.0;
    quint16 FrameSides = 0;
    quint16 FontStyle = 0;
    TColor FrameColor = 0;
    TColor FillColor = clNone;
    TColor FontColor = 0;
    qint32 Adjust = 0;
    QString FontName;
    int FontSize = 10;
};

// The number typed into E1 or C3 ("," or "." as the decimal mark), read
// before anything changes; nothing and a Czech message when it is no number.
struct TvlFormatValue
{
    double Number = 0;
    QString Error;
};
TvlFormatValue vlReadFormatNumber(const TvlFormatRequest &request);
// Whether the request is refused before anything is recorded (a bad number,
// an empty font name); the message to show, empty when it is fine.
QString vlFormatRequestError(const TvlFormatRequest &request);

// Applies the request to every non-band view of the list (memo-only tags to
// memos only) and updates the defaults. The request must have passed
// vlFormatRequestError. True for the tags after which the edge buttons are
// to be shown again (all and no edges).
bool vlApplyFormat(const TvlFormatRequest &request, const std::vector<TvlView *> &views, TvlObjectDefaults &defaults);

// The frame width spin: one up or down from the edit's text; a result not
// above 0 becomes 1. The text in general format with 2 significant digits.
QString vlSpinFrameWidth(const QString &text, int step);
// The frame width as E1 shows it.
QString vlFrameWidthText(double width);
