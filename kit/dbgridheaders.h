#pragma once
// The two fixed parts of a data-aware grid: the title row, whose cells act as
// push buttons and carry the sort markers, and the indicator column, which
// points at the current record and shows the marked rows.
#include <QHeaderView>

class TKxDBGrid;

class TKxDBGridTitles : public QHeaderView
{
    Q_OBJECT
public:
    explicit TKxDBGridTitles(TKxDBGrid *grid);

    bool Tracking() const { return m_tracking; }
    int PressedColumn() const { return m_pressedColumn; }
    bool ShownPressed() const { return m_pressed; }
    // Ends a title press without a click (the grid scrolled, the press was cancelled).
    void StopTitleTracking();

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool nearBorder(QPoint point) const;
    void trackTitleButton(QPoint point);
    void forwardAsLeft(QMouseEvent *event);

    TKxDBGrid *m_grid;
    bool m_tracking = false;
    bool m_pressed = false;
    int m_pressedColumn = -1;
    bool m_rightSwapped = false;
};

class TKxDBGridIndicator : public QHeaderView
{
    Q_OBJECT
public:
    explicit TKxDBGridIndicator(TKxDBGrid *grid);
    QSize sizeHint() const override;
    static constexpr int IndicatorWidth = 12;

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    TKxDBGrid *m_grid;
};

// Fixed cells' 3-D edge: raised, or sunken for a pressed title; returns the rectangle inside it.
QRect DrawFixedCellEdge(QPainter &painter, const QRect &rect, bool sunken, const QPalette &palette);
