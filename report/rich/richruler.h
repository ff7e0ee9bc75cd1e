#pragma once
// The rich text editor's ruler: a strip of tab marks with three markers for
// the paragraph's first-line, left and right indents, which the user drags.
// Indents are in points, markers in pixels (4/3 pixel per point).
#include <QFrame>
#include <QLabel>

// Where the markers go for indents, and the indents a marker's place gives.
// The left indent is counted from the first-line indent, the right one from
// the ruler's right edge.
struct TvlRulerArithmetic
{
    static constexpr double PixelsPerPoint = 4.0 / 3.0;
    static int FirstMarker(int firstIndent);
    static int LeftMarker(int firstIndent, int leftIndent);
    static int RightMarker(int rulerWidth, int rightIndent);
    // dragOffset: where in the marker the mouse took it.
    static int FirstIndent(int markerLeft, int dragOffset);
    static int LeftIndent(int markerLeft, int dragOffset, int firstIndent);
    static int RightIndent(int rulerWidth, int markerLeft, int dragOffset);
};

class TvlRichRuler : public QFrame
{
    Q_OBJECT
public:
    explicit TvlRichRuler(QWidget *parent = nullptr);

    // Places the markers for a paragraph's indents (points).
    void SetIndents(int firstIndent, int leftIndent, int rightIndent);
    int FirstIndentValue() const { return m_first; }
    int LeftIndentValue() const { return m_left; }
    int RightIndentValue() const { return m_right; }

    QLabel *FirstInd;
    QLabel *LeftInd;
    QLabel *RightInd;

signals:
    // A marker was let go: the paragraph takes the new indents.
    void IndentsChanged(int firstIndent, int leftIndent, int rightIndent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void PlaceMarkers();

    int m_first = 0, m_left = 0, m_right = 0;
    int m_dragOffset = 0;
    QLabel *m_dragged = nullptr;
};
