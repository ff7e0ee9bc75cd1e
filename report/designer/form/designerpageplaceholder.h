#pragma once
// The design surface until the page editor takes its place: the page with
// its grid and objects, drawn as the designer shows them, not editable.
#include <QWidget>
#include <functional>

class TvlPage;

class TvlDesignerPagePlaceholder : public QWidget
{
public:
    explicit TvlDesignerPagePlaceholder(QWidget *parent = nullptr);
    void SetPage(TvlPage *page);
    std::function<int()> GridSize;
    std::function<bool()> ShowGrid;
    std::function<bool()> ShowBandTitles;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TvlPage *m_page = nullptr;
};
