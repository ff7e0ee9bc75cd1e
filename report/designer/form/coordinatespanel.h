#pragma once
// The coordinates panel of the designer's status bar: the position and size
// of the one selected object (or of the rectangle being dragged) in the
// designer's units, and a picture's size in percent of its own.
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>

class TvlPage;

// Two values as the panel writes them: "x;y" in pixels, else "x,xx; y,yy".
QString vlCoordinatePair(int a, int b, int units);
// A picture's size in percent of its own ("% w,h", whole percent), empty
// for a picture without one.
QString vlPicturePercent(const QSize &shown, const QSize &own);
// A group's size in percent of its size when the resize began.
QString vlGroupPercent(const QSize &now, const QSize &start);

class TvlCoordinatesPanel : public QWidget
{
public:
    struct Content
    {
        bool Shown = false;
        QRect Rect;      // position and size
        QString Percent; // "% w,h" for a picture or a group resize, else empty
        int Units = 0;
    };
    explicit TvlCoordinatesPanel(QWidget *parent = nullptr);
    // Asked at each paint.
    std::function<Content()> Source;
    // The texts of position, size and percent.
    QStringList Texts() const;
    // Where they go: the position text at x 20, the size symbol, the size
    // text and the percent text. At least the places of 20, 92, 110 and 170;
    // further right where the font's widest value in the units needs it, so
    // no text runs into the next symbol.
    struct Columns
    {
        int Position = 20, SizeSymbol = 92, Size = 110, Percent = 170;
    };
    Columns ColumnsFor(int units) const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
