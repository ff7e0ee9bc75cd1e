#pragma once
// Answers to the designer's dialogs for the tests: each test sets the
// answers it needs; installing lasts for the scope.
#include "report/designer/dialogs/designerdialogs.h"

#include <functional>

struct ScriptedDialogs : TvlDesignerDialogs
{
    ScriptedDialogs() { vlSetDesignerDialogs(this); }
    ~ScriptedDialogs() override { vlSetDesignerDialogs(nullptr); }

    std::function<bool(TvlPageOptions &)> page;
    std::function<bool(QString &, const QStringList &)> source;
    std::function<bool(TvlCrossSources &)> cross;
    std::function<bool(QString &)> group;
    QString pickedField;

    bool PageOptions(TvlPageOptions &o, QWidget *) override { return page(o); }
    bool BandSource(QString &text, const QStringList &sets, QWidget *) override { return source(text, sets); }
    bool CrossSources(TvlCrossSources &s, const QStringList &, QWidget *) override { return cross(s); }
    bool GroupCondition(QString &c, QWidget *) override { return group(c); }
    QString PickField(QWidget *) override { return pickedField; }
};
