#include "report/designer/properties/insprows.h"

void TvlInspRows::ClearProperties()
{
    m_rows.clear();
    m_current = -1;
    m_editText.clear();
    m_modified = false;
}

void TvlInspRows::AddProperty(const QString &name, std::unique_ptr<TProp> prop)
{
    m_rows.push_back({name, std::move(prop)});
}

QString TvlInspRows::ValueText(int row) const
{
    const TProp *prop = Prop(row);
    if (prop->EditorRow)
        return QLatin1Char('(') + Name(row) + QLatin1Char(')');
    return prop->Value ? *prop->Value : QString();
}

void TvlInspRows::ItemsChanged()
{
    m_current = -1;
    m_modified = false;
    SelectRow(0);
}

void TvlInspRows::SelectRow(int index)
{
    index = std::min(index, Count() - 1);
    if (index < 0) {
        m_current = -1;
        m_editText.clear();
        m_modified = false;
        return;
    }
    if (index != m_current && m_current >= 0)
        ApplyIfModified();
    m_current = index;
    m_editText = ValueText(index);
    m_modified = false;
}

int TvlInspRows::NeighbourRow(int step) const
{
    for (int row = m_current + step; row >= 0 && row < Count(); row += step)
        if (Prop(row)->Enabled)
            return row;
    return -1;
}

void TvlInspRows::SetEditText(const QString &text)
{
    if (EditReadOnly() || Empty)
        return;
    m_editText = text;
    m_modified = true;
}

void TvlInspRows::ApplyValue()
{
    if (Empty || m_current < 0)
        return;
    TProp *prop = Prop(m_current);
    QString text = m_editText.left(prop->Capacity);
    if (prop->Value)
        *prop->Value = text;
    if (OnModify)
        OnModify(m_current, text);
    m_editText = text;
    m_modified = false;
}

void TvlInspRows::ApplyIfModified()
{
    if (m_modified && m_current >= 0 && !Prop(m_current)->EditorRow)
        ApplyValue();
}

bool TvlInspRows::RunEditor()
{
    if (Empty || m_current < 0)
        return false;
    TPropEditor *editor = Prop(m_current)->Editor;
    if (!editor)
        return false;
    editor->Object = Object;
    if (editor->ShowEditor() != QDialog::Accepted)
        return false;
    if (OnModify) {
        QString text;
        OnModify(m_current, text);
    }
    return true;
}
