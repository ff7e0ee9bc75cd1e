#pragma once
// The engine's script interpreter: gives scripts the properties of the views
// on the current page, colour constants, FREESPACE, the shared script
// variables and, through the report, everything an expression may name.
#include "report/vlinterpreter.h"

// The sixteen view properties a script can read and write.
enum class TvlScriptProperty {
    Left,
    Top,
    Width,
    Height,
    Flags,
    Visible,
    FrameTyp,
    FrameWidth,
    FrameColor,
    FillColor,
    Text,
    FontName,
    FontSize,
    FontStyle,
    FontColor,
    Adjust
};

// A view as scripts see it; the report objects implement it. Values arrive
// already converted to the property's kind (integer, Boolean, real, string).
class TvlScriptView
{
public:
    enum class Kind { Band, Memo, Other };
    virtual ~TvlScriptView() = default;
    virtual Kind ScriptKind() const = 0;
    virtual Variant ScriptProperty(TvlScriptProperty property) const = 0;
    virtual void SetScriptProperty(TvlScriptProperty property, const Variant &value) = 0;
};

// What the interpreter needs of the report being built.
class TvlScriptContext
{
public:
    virtual ~TvlScriptContext() = default;
    virtual TvlScriptView *CurrentView() = 0;
    virtual TvlScriptView *FindView(const QString &name) = 0; // on the current page
    // Room left on the current page, in page pixels.
    virtual int FreeSpace() = 0;
    virtual void ForceNewPage() = 0;
    virtual void ForceNewColumn() = 0;
    // The shared parser's callbacks: the report's variables and functions.
    virtual void GetReportValue(const QString &name, Variant &value) = 0;
    virtual void CallReportFunction(const QString &name, const Variant &p1, const Variant &p2, const Variant &p3,
                                    QString &val) = 0;
    // Lets the program answer (the progress window's "Storno") during a long script.
    virtual void ServeEvents() {}
};

class TInterpretator : public TvlInterpretator
{
public:
    TInterpretator(TvlScriptContext *context, TvlVariables *variables);

    void GetValue(const QString &name, Variant &value) override;
    void SetValue(const QString &name, const Variant &value) override;
    void DoFunction(const QString &name, const Variant &p1, const Variant &p2, const Variant &p3,
                    QString &val) override;
    void Serve() override;

    // Property and colour names, case-insensitive.
    static bool PropertyByName(const QString &name, TvlScriptProperty *property);
    static bool ColourByName(const QString &name, qint64 *value);

private:
    // Splits "Object.Property" and finds the object; false when a point
    // names no view on the page.
    bool resolve(const QString &name, TvlScriptView **view, QString *property);

    TvlScriptContext *m_context;
    TvlVariables *m_variables;
};
