#pragma once
// Rows of the object inspector: a named text buffer owned by the code that
// registers the row, optionally edited only through an editor form.
#include <QDialog>
#include <QString>

class TvlView;

// Base of the inspector's row editors (the memo editor is one): shows itself
// modally for the object the inspector hands it.
class TPropEditor : public QDialog
{
    Q_OBJECT

public:
    using QDialog::QDialog;
    // The modal result: QDialog::Accepted when the user confirmed.
    virtual int ShowEditor() { return exec(); }

    TvlView *Object = nullptr; // set by the inspector before showing
};

class TProp
{
public:
    // The buffer must outlive the row; the designer's buffers hold 100 characters.
    TProp(QString *buffer, TPropEditor *editor, bool editorRow, int capacity = 100)
        : Value(buffer)
        , EditorRow(editorRow)
        , Editor(editor)
        , Capacity(capacity)
    {}
    virtual ~TProp() = default;

    QString *Value;
    bool EditorRow;      // edited only through the editor; shows "(" + name + ")"
    TPropEditor *Editor; // or nullptr
    bool Enabled = true; // a disabled row is not drawn
    int Capacity;
};
