#pragma once
// Answers to the designer's dialogs for the tests: each test sets the
// answers it needs; installing lasts for the scope.
#include "report/designer/dialogs/dialoganswers.h"

#include <functional>

struct ScriptedDialogs : TvlDialogAnswers
{
    ScriptedDialogs() { vlSetDialogAnswers(this); }
    ~ScriptedDialogs() override { vlSetDialogAnswers(nullptr); }

    std::function<bool(TvlPageSetup &)> page;
    std::function<bool(QString &, const QStringList &)> source;
    std::function<bool(TvlCrossSources &)> cross;
    std::function<bool(QString &)> group;
    QString pickedField;
    QString variable;
    std::function<bool(qint32 &, QString &)> format;
    std::function<int(TvlEditorForm &)> memoEditor;
    std::function<int(TvlEvForm &)> variablesEditor;
    std::function<bool(QStringList &)> variableList;
    std::function<int(TvlGEditorForm &)> pictureEditor;
    std::function<bool(qint32 &)> color;
    QString openFile;

    bool PageOptions(TvlPageSetup &o, QWidget *) override { return page(o); }
    bool BandSource(QString &text, const QStringList &sets, QWidget *) override { return source(text, sets); }
    bool CrossSources(TvlCrossSources &s, const QStringList &, QWidget *) override { return cross(s); }
    bool GroupCondition(QString &c, QWidget *) override { return group(c); }
    QString PickField(QWidget *) override { return pickedField; }
    QString ChooseVariable(const TvlReport *, QWidget *) override { return variable; }
    bool Format(qint32 &f, QString &t, QWidget *) override { return format(f, t); }
    int MemoEditor(TvlEditorForm &form) override { return memoEditor(form); }
    int VariablesEditor(TvlEvForm &form) override { return variablesEditor(form); }
    bool VariableList(QStringList &lines, QWidget *) override { return variableList(lines); }
    int PictureEditor(TvlGEditorForm &form) override { return pictureEditor(form); }
    bool Color(qint32 &c, QWidget *) override { return color(c); }
    QString OpenFile(const QString &, QWidget *, const QString &) override { return openFile; }
};
