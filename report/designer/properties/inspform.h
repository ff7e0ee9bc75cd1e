#pragma once
// The designer's "Vlastnosti objektu" tool window: named rows painted as a
// two-column list, the current row's value edited in place, editor rows
// opening their editor from a small button. The owner registers the rows on
// its own buffers, fills them and applies every accepted edit itself.
#include "report/designer/properties/insprows.h"

#include <QImage>
#include <QWidget>

class QFrame;
class QLineEdit;
class TvlSpeedButton;

class TvlInspForm : public QWidget
{
    Q_OBJECT

public:
    explicit TvlInspForm(QWidget *parent = nullptr);
    ~TvlInspForm() override;

    void ClearProperties();
    void AddProperty(const QString &name, std::unique_ptr<TProp> prop);
    void SetOnModify(TvlInspRows::ModifyHandler handler) { m_rows.OnModify = std::move(handler); }
    // Nothing selected: no rows drawn, no input taken.
    void SetEmpty(bool empty);
    bool IsEmpty() const { return m_rows.Empty; }
    void SetObject(TvlView *object) { m_rows.Object = object; }
    // The buffers were filled: row 0 becomes current.
    void ItemsChanged();
    void SetRowEnabled(int row, bool enabled);
    void SelectRow(int index);
    void ApplyValue();
    void RunEditor();
    // Repaints the rows from the buffers (the current one too).
    void Refresh();
    // Rolls the window up to its caption (half as wide, no rows) or back to
    // the size it had. Window managers keep a double click on their own
    // caption for themselves, so the window has a caption strip of its own:
    // a double click on it, or its button, rolls the window up and down.
    void ToggleRollUp();
    bool IsRolledUp() const { return m_rolledUp; }

    const TvlInspRows &Rows() const { return m_rows; }
    int RowHeight() const { return m_rowHeight; }
    int SplitPosition() const { return m_split; }

    QWidget *CaptionStrip = nullptr;
    TvlSpeedButton *RollButton = nullptr;
    QFrame *Panel1 = nullptr;
    QWidget *PaintBox1 = nullptr;
    TvlSpeedButton *SpeedButton1 = nullptr;
    QLineEdit *Edit1 = nullptr;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void DrawRow(QPainter &painter, int index);
    void PaintRows();
    void PlaceEdit();
    void ShowEditText();
    void BoxMousePress(int y);
    void PaintCaptionStrip();

    TvlInspRows m_rows;
    QFont m_font;
    int m_rowHeight = 16;
    int m_split = 0;
    QImage m_bitmap;
    bool m_updatingEdit = false;
    bool m_rolledUp = false;
    QSize m_expandedSize;
};
