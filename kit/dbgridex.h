#pragma once
// The grid of the program's list dialogs: a title row of settable height and
// Boolean fields shown as check boxes. A click in a box asks the form whether
// the value may change and then writes the inverted value to the dataset; a
// write the database refuses is reported and the list stays on its row.
#include "kit/dbgrid.h"

class TKxDBGridEx : public TKxDBGrid
{
    Q_OBJECT
    Q_PROPERTY(int TitleHeight READ TitleHeight WRITE SetTitleHeight)
public:
    // Modify starts False: the form allows the change for the fields it handles.
    using TOnClickCheckBoxEvent = std::function<void(TKxDBGridEx *Sender, Db::Field *Field, bool &Modify)>;

    explicit TKxDBGridEx(QWidget *parent = nullptr);

    int TitleHeight() const { return m_titleHeight; }
    void SetTitleHeight(int value);

    TOnClickCheckBoxEvent OnClickCheckBox;

    // The check box of a cell: the cell less one pixel all round, made a
    // square of its height centred across it.
    static QRect CheckBoxRect(const QRect &cell);

    void DrawColumnCell(QPainter &painter, const QRect &rect, int position, TColumn *column, bool selected) override;
    bool CanEditInPlace(const Db::Field *Field) const override;

protected:
    int TitleRowHeight() const override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void toggle(Db::Field *field);

    int m_titleHeight = 17;
};
