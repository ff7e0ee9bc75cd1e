#pragma once
// The frozen left columns of a data-aware grid: a second view laid over the
// grid's left edge, on the grid's own model and selection, showing only the
// frozen columns, so they stay in place while the rest scrolls sideways
// beneath. It takes no focus; a press in it picks the row, as a press on
// the indicator does, and its titles size the frozen columns.
#include <QTableView>

class TKxDBGrid;
class TKxDBGridTitles;

class TKxDBGridFrozen : public QTableView
{
    Q_OBJECT
public:
    explicit TKxDBGridFrozen(TKxDBGrid *grid);

    // Shows the grid's first `count` columns (0 hides the view) with the
    // grid's widths and heights, and lays itself over them.
    void Update(int count);
    // Width the frozen columns take.
    int FrozenWidth() const;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void titleResized(int logical, int oldSize, int newSize);

    TKxDBGrid *m_grid;
    TKxDBGridTitles *m_titles;
    int m_count = 0;
    bool m_updating = false;
};
