#pragma once
// The columns a data-aware grid shows. A grid either has columns of its own
// (customised: the form lists them) or shows the dataset's visible fields
// (default columns, rebuilt whenever the dataset's fields change).
#include "kit/kxtypes.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace Db {
class Dataset;
class Field;
} // namespace Db

// A font with the colour its text is drawn in, as the colouring events set it.
struct TKxCellFont : QFont
{
    TKxCellFont() = default;
    TKxCellFont(const QFont &font, QColor color)
        : QFont(font)
        , Color(color)
    {}
    QColor Color;
};

struct TColumnTitle
{
    QString Caption; // empty: the field's label
    Kx::TAlignment Alignment = Kx::taLeftJustify;
    QColor Color;                    // invalid: the grid's fixed colour
    std::optional<TKxCellFont> Font; // none: the grid's title font
};

class TDBGridColumns;

class TColumn
{
public:
    explicit TColumn(TDBGridColumns *owner)
        : m_owner(owner)
    {}

    QString FieldName;
    int Width = 64;
    bool Visible = true;
    TColumnTitle Title;
    QColor Color;                            // invalid: the grid's colour
    std::optional<Kx::TAlignment> Alignment; // none: the field's alignment
    std::optional<TKxCellFont> Font;         // none: the grid's font

    // The dataset's field of that name, null when there is none.
    Db::Field *Field() const { return m_field; }
    int Index() const;
    QString Caption() const;
    Kx::TAlignment CellAlignment() const;

private:
    friend class TDBGridColumns;
    TDBGridColumns *m_owner;
    Db::Field *m_field = nullptr;
};

class TDBGridColumns
{
public:
    enum TDBGridColumnsState { csDefault, csCustomized };

    TDBGridColumnsState State() const { return m_state; }
    int Count() const { return int(m_items.size()); }
    TColumn *operator[](int index) const { return m_items.at(size_t(index)).get(); }
    TColumn *Items(int index) const { return (*this)[index]; }
    // The first column showing the field of that name (without regard to case).
    TColumn *ColumnByFieldName(const QString &fieldName) const;

    // Adding a column makes the columns customised.
    TColumn *Add(const QString &fieldName, const QString &caption = {}, int width = 64);
    void Clear(); // back to default columns
    void Move(int from, int to);
    // Puts the columns in a new order: present indexes in their new order.
    void Reorder(const std::vector<int> &order);
    int IndexOf(const TColumn *column) const;

    // Binds every column to its field; rebuilds default columns from the
    // dataset's visible fields.
    void Rebind(Db::Dataset *dataset, const QFont &font);
    // Tells the grid to lay itself out again after a change.
    void Changed()
    {
        if (OnChange)
            OnChange();
    }
    std::function<void()> OnChange;

    // The width a default column gets for a field: its display width in
    // average characters, at least its label's width.
    static int DefaultWidth(const Db::Field &field, const QFont &font);

private:
    TDBGridColumnsState m_state = csDefault;
    std::vector<std::unique_ptr<TColumn>> m_items;
};
