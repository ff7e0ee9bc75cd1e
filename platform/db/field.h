#pragma once
// A column of a dataset as the screens see it: its value on the dataset's
// current row, and how it is shown (format, label, width, visibility).
// A field's display settings outlive re-opening; they are matched to the
// result's columns by name, without regard to case.
#include "platform/currency.h"
#include "platform/datetime.h"
#include "platform/db/snapshot.h"
#include "platform/variant.h"

#include <QString>

namespace Db {

class Dataset;

class Field
{
public:
    Field(Dataset *dataset, const QString &name);

    Dataset *DataSet() const { return m_dataset; }
    const QString &FieldName() const { return m_name; }
    FieldType DataType() const { return m_type; }
    int Index() const { return m_column; } // column in the result, -1 when unbound
    bool IsBound() const { return m_column >= 0; }
    // Characters of varchar(n) columns, else 0.
    int Size() const { return m_size; }

    // Table name that sorting puts before the field name ("tab_polozka").
    QString Origin;
    // Picture for numbers (",0.00", "0.##") and dates; empty: the default text.
    QString DisplayFormat;
    // "false text;true text" for Boolean columns ("N;A"); empty: "False;True".
    QString DisplayValues;
    QString DisplayLabel; // empty: the field name
    int DisplayWidth = 0; // characters, 0: from the size or the type
    bool Visible = true;
    bool ReadOnly = false;
    Qt::Alignment Alignment() const;
    QString Label() const { return DisplayLabel.isEmpty() ? m_name : DisplayLabel; }

    // The value on the current row (during editing: the edited value).
    bool IsNull() const;
    QString AsString() const;
    qint64 AsInteger() const;
    double AsFloat() const;
    Currency AsCurrency() const;
    bool AsBoolean() const;
    TDateTime AsDateTime() const;
    QByteArray AsBytes() const;
    // The value in the kind of the column; Null for SQL NULL.
    Variant Value() const;
    // The text a grid shows: DisplayFormat, DisplayValues or the default text.
    QString DisplayText() const;

    // Writers, valid while the dataset is being edited (Dataset::Edit).
    void SetAsString(const QString &value);
    void SetAsInteger(qint64 value);
    void SetAsFloat(double value);
    void SetAsCurrency(Currency value);
    void SetAsBoolean(bool value);
    void SetAsDateTime(TDateTime value);
    void Clear();                        // SQL NULL
    void SetValue(const Variant &value); // Unassigned and Null clear

    // The server's text form of the value (null for SQL NULL).
    CellText TextValue() const;

    // Value of a given snapshot row (used by filters, locating and sums).
    bool IsNullAt(int row) const;
    QString StringAt(int row) const;
    QString DisplayTextAt(int row) const;

private:
    friend class Dataset;
    void bind(int column, const ColumnInfo &info);
    void unbind() { m_column = -1; }
    void write(const CellText &text);
    // The cell's text form on a snapshot row, edited values included.
    bool cellAt(int row, const char *&data, int &length) const;
    QString textOf(int row, bool display) const;

    Dataset *m_dataset;
    QString m_name;
    FieldType m_type = FieldType::Unknown;
    int m_column = -1;
    int m_size = 0;
};

} // namespace Db
