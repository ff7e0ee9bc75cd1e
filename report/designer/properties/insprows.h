#pragma once
// What the object inspector keeps apart from its painting: the rows, the
// current row, the in-place edit's text and the rule that a changed value is
// applied to its row before another row becomes current.
#include "report/designer/properties/propeditor.h"

#include <functional>
#include <memory>
#include <vector>

class TvlInspRows
{
public:
    // Receives the row and the text just stored in its buffer (empty after an
    // editor was confirmed); may change the text the edit then shows.
    using ModifyHandler = std::function<void(int item, QString &editText)>;

    void ClearProperties();
    void AddProperty(const QString &name, std::unique_ptr<TProp> prop);
    int Count() const { return int(m_rows.size()); }
    const QString &Name(int row) const { return m_rows[size_t(row)].name; }
    TProp *Prop(int row) const { return m_rows[size_t(row)].prop.get(); }
    // The text a row shows: its buffer, or "(" + name + ")" for an editor row.
    QString ValueText(int row) const;

    // The owner filled the buffers: row 0 becomes current again.
    void ItemsChanged();
    void SelectRow(int index);
    int CurrentRow() const { return m_current; }
    // The next enabled row above (step -1) or below (1), or -1.
    int NeighbourRow(int step) const;

    // The in-place edit: what it shows and whether the user changed it.
    const QString &EditText() const { return m_editText; }
    bool EditModified() const { return m_modified; }
    void SetEditText(const QString &text);
    bool EditVisible() const { return !m_rows.empty() && !Empty && m_current >= 0; }
    bool EditReadOnly() const { return m_current >= 0 && Prop(m_current)->EditorRow; }
    bool CurrentHasEditor() const { return EditReadOnly(); }

    // Stores the edit's text into the current row's buffer (cut to its
    // capacity) and reports it.
    void ApplyValue();
    // Applies a changed text of a plain row (leaving the row, losing focus).
    void ApplyIfModified();
    // Runs the current editor row's editor on the object; true when confirmed.
    bool RunEditor();

    bool Empty = false;        // nothing selected: rows hidden, input ignored
    TvlView *Object = nullptr; // handed to the editors
    ModifyHandler OnModify;

private:
    struct Row
    {
        QString name;
        std::unique_ptr<TProp> prop;
    };
    std::vector<Row> m_rows;
    int m_current = -1;
    QString m_editText;
    bool m_modified = false;
};
