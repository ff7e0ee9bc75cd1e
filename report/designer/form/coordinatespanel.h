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
    // The texts at x 20, 110 and 170.
    QStringList Texts() const;
    QSize sizeHint() const override { return QSize(260, 18); }

protected:
    void paintEvent(QPaintEvent *event) override;
};
