// The grid's column layout in the form storage's INI file: one entry
// "index,width,visible" per column under "<grid>.<field>", or, for a grid
// showing the dataset's own fields, one per field under "<dataset><field>".
#include "kit/dbgrid.h"

#include "kit/dbgridmodel.h"
#include "kit/gridlayout.h"
#include "platform/db/dataset.h"

#include <QFontMetrics>

QString TKxDBGrid::LayoutSection() const
{
    const QString root = m_iniLink.LinkSection();
    if (m_columns.State() == TDBGridColumns::csCustomized)
        return root + PlacementDefaultSection(const_cast<TKxDBGrid *>(this));
    if (root.isEmpty() || !DataSet())
        return QString();
    return root + DataSetDefaultSection(DataSet());
}

void TKxDBGrid::saveLayoutToLink()
{
    TPlacementProfile *profile = m_iniLink.LinkProfile();
    if (objectName().isEmpty() || !profile)
        return;
    SaveGridLayout(profile, LayoutSection());
}

void TKxDBGrid::loadLayoutFromLink()
{
    TPlacementProfile *profile = m_iniLink.LinkProfile();
    if (objectName().isEmpty() || !profile)
        return;
    RestoreGridLayout(profile, LayoutSection());
}

void TKxDBGrid::SaveGridLayout(TPlacementProfile *IniFile, const QString &Section)
{
    if (!IniFile || !DataSource() || !DataSet())
        return;
    if (m_columns.State() == TDBGridColumns::csCustomized)
        saveColumns(IniFile, Section);
    else
        saveFields(IniFile, Section);
}

void TKxDBGrid::RestoreGridLayout(TPlacementProfile *IniFile, const QString &Section)
{
    if (!IniFile || !DataSource() || !DataSet())
        return;
    if (m_columns.State() == TDBGridColumns::csCustomized)
        restoreColumns(IniFile, Section);
    else
        restoreFields(IniFile, Section);
}

void TKxDBGrid::saveColumns(TPlacementProfile *ini, const QString &section)
{
    const QString target = section.isEmpty() ? PlacementDefaultSection(this) : section;
    ini->EraseSection(target);
    for (int i = 0; i < m_columns.Count(); ++i) {
        const TColumn *column = m_columns[i];
        ini->WriteString(target, objectName() + QLatin1Char('.') + column->FieldName,
                         GridLayoutEntry({i, column->Width, column->Visible}));
    }
}

void TKxDBGrid::restoreColumns(TPlacementProfile *ini, const QString &section)
{
    const QString source = section.isEmpty() ? PlacementDefaultSection(this) : section;
    std::vector<int> wanted;
    for (int i = 0; i < m_columns.Count(); ++i) {
        TColumn *column = m_columns[i];
        const QString entry = ini->ReadString(source, objectName() + QLatin1Char('.') + column->FieldName, QString());
        const TGridColumnLayout current{i, column->Width, column->Visible};
        const TGridColumnLayout layout = entry.isEmpty() ? current : ParseGridLayoutEntry(entry, current);
        if (layout.Width > 0)
            column->Width = layout.Width;
        column->Visible = layout.Visible;
        wanted.push_back(layout.Index);
    }
    m_columns.Reorder(GridLayoutOrder(wanted));
}

void TKxDBGrid::saveFields(TPlacementProfile *ini, const QString &section)
{
    Db::Dataset *dataset = DataSet();
    const QString target = section.isEmpty() ? DataSetDefaultSection(dataset) : section;
    const std::vector<Db::Field *> &fields = dataset->Fields();
    for (size_t i = 0; i < fields.size(); ++i) {
        const TColumn *column = m_columns.ColumnByFieldName(fields[i]->FieldName());
        const int width = fields[i]->DisplayWidth > 0 ? fields[i]->DisplayWidth : charactersOf(column);
        ini->WriteString(target, dataset->objectName() + fields[i]->FieldName(),
                         GridLayoutEntry({int(i), width, fields[i]->Visible}));
    }
}

void TKxDBGrid::restoreFields(TPlacementProfile *ini, const QString &section)
{
    Db::Dataset *dataset = DataSet();
    const QString source = section.isEmpty() ? DataSetDefaultSection(dataset) : section;
    for (size_t i = 0; i < dataset->Fields().size(); ++i) {
        Db::Field *field = dataset->Fields()[i];
        const QString entry = ini->ReadString(source, dataset->objectName() + field->FieldName(), QString());
        if (entry.isEmpty())
            continue;
        const TGridColumnLayout layout = ParseGridLayoutEntry(entry, {int(i), field->DisplayWidth, field->Visible});
        if (layout.Width > 0)
            field->DisplayWidth = layout.Width;
    }
    // Default columns take the restored widths.
    m_columns.Clear();
}

int TKxDBGrid::charactersOf(const TColumn *column) const
{
    if (!column)
        return 0;
    const int average = std::max(1, QFontMetrics(font()).horizontalAdvance(QLatin1Char('0')));
    return std::max(1, (column->Width - 4 + average / 2) / average);
}
