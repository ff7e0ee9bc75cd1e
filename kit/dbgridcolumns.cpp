#include "kit/dbgridcolumns.h"

#include "platform/db/dataset.h"

#include <QFontMetrics>
#include <algorithm>

int TColumn::Index() const
{
    return m_owner ? m_owner->IndexOf(this) : -1;
}

QString TColumn::Caption() const
{
    if (!Title.Caption.isEmpty())
        return Title.Caption;
    return m_field ? m_field->Label() : FieldName;
}

Kx::TAlignment TColumn::CellAlignment() const
{
    if (Alignment)
        return *Alignment;
    if (m_field) {
        const Qt::Alignment a = m_field->Alignment();
        if (a & Qt::AlignRight)
            return Kx::taRightJustify;
        if (a & Qt::AlignHCenter)
            return Kx::taCenter;
    }
    return Kx::taLeftJustify;
}

TColumn *TDBGridColumns::ColumnByFieldName(const QString &fieldName) const
{
    for (const auto &column : m_items)
        if (column->FieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            return column.get();
    return nullptr;
}

TColumn *TDBGridColumns::Add(const QString &fieldName, const QString &caption, int width)
{
    if (m_state == csDefault)
        m_items.clear();
    m_state = csCustomized;
    m_items.push_back(std::make_unique<TColumn>(this));
    TColumn *column = m_items.back().get();
    column->FieldName = fieldName;
    column->Title.Caption = caption;
    column->Width = width;
    Changed();
    return column;
}

void TDBGridColumns::Clear()
{
    m_items.clear();
    m_state = csDefault;
    Changed();
}

void TDBGridColumns::Move(int from, int to)
{
    if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to)
        return;
    auto column = std::move(m_items[size_t(from)]);
    m_items.erase(m_items.begin() + from);
    m_items.insert(m_items.begin() + to, std::move(column));
    Changed();
}

void TDBGridColumns::Reorder(const std::vector<int> &order)
{
    if (order.size() != m_items.size())
        return;
    std::vector<std::unique_ptr<TColumn>> reordered;
    for (int index : order)
        reordered.push_back(std::move(m_items.at(size_t(index))));
    m_items = std::move(reordered);
    Changed();
}

int TDBGridColumns::IndexOf(const TColumn *column) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].get() == column)
            return int(i);
    return -1;
}

int TDBGridColumns::DefaultWidth(const Db::Field &field, const QFont &font)
{
    int chars = field.DisplayWidth;
    if (chars <= 0) {
        switch (field.DataType()) {
        case Db::FieldType::Integer:
            chars = 10;
            break;
        case Db::FieldType::LargeInt:
            chars = 15;
            break;
        case Db::FieldType::Currency:
            chars = 14;
            break;
        case Db::FieldType::Float:
            chars = 12;
            break;
        case Db::FieldType::Boolean:
            chars = 5;
            break;
        case Db::FieldType::DateTime:
            chars = 18;
            break;
        default:
            chars = field.Size() > 0 ? std::min(field.Size(), 40) : 20;
            break;
        }
    }
    const QFontMetrics metrics(font);
    const int byChars = chars * metrics.horizontalAdvance(QLatin1Char('0')) + 4;
    return std::max(byChars, metrics.horizontalAdvance(field.Label()) + 6);
}

void TDBGridColumns::Rebind(Db::Dataset *dataset, const QFont &font)
{
    if (m_state == csDefault) {
        // Widths the user gave default columns stay while their fields do.
        std::vector<std::pair<QString, int>> widths;
        for (const auto &column : m_items)
            widths.emplace_back(column->FieldName.toLower(), column->Width);
        m_items.clear();
        if (dataset && dataset->Active()) {
            for (Db::Field *field : dataset->Fields()) {
                if (!field->Visible || !field->IsBound())
                    continue;
                m_items.push_back(std::make_unique<TColumn>(this));
                TColumn *column = m_items.back().get();
                column->FieldName = field->FieldName();
                column->Width = DefaultWidth(*field, font);
                for (const auto &[name, width] : widths)
                    if (name == column->FieldName.toLower())
                        column->Width = width;
            }
        }
    }
    for (const auto &column : m_items) {
        Db::Field *field = dataset ? dataset->FindField(column->FieldName) : nullptr;
        column->m_field = field && field->IsBound() ? field : nullptr;
    }
}
