#pragma once
// The report scripts: a small structured language (BEGIN/END, IF, WHILE,
// REPEAT, GOTO with numbered labels, assignments and calls) compiled once
// into coded lines and run each time the object is about to print.
//
// Coded lines, one string each; jump targets are 0-based line indexes
// written as two characters, low byte then high byte:
//   jump-if-false  char 1, target, expression
//   jump           char 2, target
//   call           char 3, expression
//   assignment     target name, one blank, expression
// Expressions are kept as written and evaluated when their line runs, so
// functions such as NEWPAGE or SUM act at run time, not at compile time.
#include "report/vlparser.h"

#include <QStringList>
#include <QVector>

// Script variables of the running report: names compare case-insensitively
// and keep the spelling they were first given.
class TvlVariables
{
public:
    void SetVariable(const QString &name, const Variant &value);
    Variant GetVariable(const QString &name) const; // Null when absent
    int IndexOf(const QString &name) const;
    int Count() const { return int(m_entries.size()); }
    QString GetName(int index) const;
    Variant GetValue(int index) const;
    void Delete(int index);
    void Clear() { m_entries.clear(); }

private:
    struct Entry
    {
        QString name;
        Variant value;
    };
    QVector<Entry> m_entries;
};

class TvlInterpretator
{
public:
    // Generous bound on the lines one run may execute: a script that loops
    // forever must not hang the program. New interpreters take the default.
    static inline qint64 DefaultMaxSteps = 1'000'000;
    qint64 MaxSteps = DefaultMaxSteps;

    TvlInterpretator();
    virtual ~TvlInterpretator() = default;

    virtual void GetValue(const QString &name, Variant &value);
    virtual void SetValue(const QString &name, const Variant &value);
    virtual void DoFunction(const QString &name, const Variant &p1, const Variant &p2, const Variant &p3, QString &val);
    virtual void PrepareScript(const QStringList &source, QStringList &coded, QStringList &errors);
    virtual void DoScript(const QStringList &coded);
    // Called every ServeEvery steps of a run: a long loop still answers the
    // user's cancel; may throw to end the run.
    static constexpr qint64 ServeEvery = 1024;
    virtual void Serve() {}

    TvlParser &Parser() { return m_parser; }

    // Coded-line helpers, also used by the tests and the designer.
    static QString EncodeTarget(int line);
    static int DecodeTarget(const QString &coded, int offset = 1);

private:
    TvlParser m_parser;
};
