#include "report/vlinterpreter.h"
#include "report/vlscriptcompiler.h"

#include <gtest/gtest.h>

namespace {

const QChar JIF(1), JMP(2), CALL(3);

QString T(int line)
{
    return TvlInterpretator::EncodeTarget(line);
}

struct Compiled
{
    QStringList coded;
    QStringList errors;
};

Compiled compile(const QStringList &source)
{
    TvlInterpretator interpreter;
    Compiled c;
    interpreter.PrepareScript(source, c.coded, c.errors);
    return c;
}

// An interpreter whose names are its own variables.
class VariableInterpreter : public TvlInterpretator
{
public:
    TvlVariables vars;
    QStringList calls;
    void GetValue(const QString &name, Variant &value) override { value = vars.GetVariable(name); }
    void SetValue(const QString &name, const Variant &value) override { vars.SetVariable(name, value); }
    void DoFunction(const QString &name, const Variant &, const Variant &, const Variant &, QString &val) override
    {
        calls << name;
        val = QStringLiteral("0");
    }
    void run(const QStringList &source)
    {
        QStringList coded, errors;
        PrepareScript(source, coded, errors);
        ASSERT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
        DoScript(coded);
    }
};

} // namespace

TEST(ScriptCompiler, CodedLineShapes)
{
    // A WHILE loop: assignment, jump-if-false past the loop, body, jump back.
    Compiled w = compile({"begin", "  x := 1;", "  while x < 3 do x := x + 1", "end"});
    ASSERT_TRUE(w.errors.isEmpty()) << w.errors.join("").toStdString();
    EXPECT_EQ(w.coded, QStringList({"x 1", JIF + T(4) + "x < 3", "x x + 1", JMP + T(1)}));

    // IF with ELSE: jump-if-false to the else branch, jump over it.
    Compiled i = compile({"if a > 0 then b := 1 else b := 2"});
    EXPECT_EQ(i.coded, QStringList({JIF + T(3) + "a > 0", "b 1", JMP + T(4), "b 2"}));

    // REPEAT jumps back to its first line while the condition is false.
    Compiled r = compile({"repeat i := i + 1; j := i until i >= 5"});
    EXPECT_EQ(r.coded, QStringList({"i i + 1", "j i", JIF + T(0) + "i >= 5"}));

    // Calls, procedure calls and indexed assignments.
    Compiled c = compile({"begin NewPage; Sum(x, Band1); arr[2] := 7 end"});
    EXPECT_EQ(c.coded, QStringList({CALL + QString("NewPage(0)"), CALL + QString("Sum(x, Band1)"),
                                    CALL + QString("SETARRAY(arr, 2, 7)")}));

    // Labels and jumps.
    Compiled g = compile({"begin 10: x := x + 1; if x < 3 then goto 10 end"});
    EXPECT_EQ(g.coded, QStringList({"x x + 1", JIF + T(3) + "x < 3", JMP + T(0)}));

    // Two statements without a block: only the first is compiled.
    EXPECT_EQ(compile({"a := 1; b := 2"}).coded, QStringList({"a 1"}));
    EXPECT_TRUE(compile({"   ", "// nothing"}).coded.isEmpty());
}

TEST(ScriptCompiler, CommentsAndBlanks)
{
    EXPECT_EQ(vlScriptCompiler::PrepareLine("x := 1 // comment"), " x := 1 ");
    // A brace comment ends the line, even after its closing brace.
    EXPECT_EQ(vlScriptCompiler::PrepareLine("x := 1 { note } y := 2"), " x := 1 ");
    EXPECT_EQ(vlScriptCompiler::PrepareLine("\tx\t:=   1"), " x := 1");
    // Inside quoted texts comment marks and blanks are text.
    EXPECT_EQ(vlScriptCompiler::PrepareLine("u := 'http://x  {y}'"), " u := 'http://x  {y}'");
    EXPECT_EQ(compile({"u := 'a // b'"}).coded, QStringList({"u 'a // b'"}));
}

TEST(ScriptCompiler, ErrorsWithLineAndColumn)
{
    Compiled missingEnd = compile({"begin", "  x := 1;", "  y := 2"});
    ASSERT_EQ(missingEnd.errors.size(), 1);
    EXPECT_EQ(missingEnd.errors.at(0), QString("Строка 3/9: ") + vlScriptCompiler::MsgSemicolonOrEnd);
    EXPECT_TRUE(missingEnd.coded.isEmpty());

    Compiled badEnd = compile({"begin x := 1 y := 2 end"});
    EXPECT_EQ(badEnd.errors.value(0), QString("Строка 1/14: ") + vlScriptCompiler::MsgSemicolonOrEnd);

    EXPECT_EQ(compile({"goto x"}).errors.value(0), QString("Строка 1/6: ") + vlScriptCompiler::MsgLabelNumber);
    EXPECT_EQ(compile({"if a then", "  b := 1", "else c := 2"}).errors.value(0), QString());
    EXPECT_EQ(compile({"if a b := 1"}).errors.value(0), QString("Строка 1/6: ") + vlScriptCompiler::MsgThen);
    EXPECT_EQ(compile({"while a x := 1"}).errors.value(0), QString("Строка 1/9: ") + vlScriptCompiler::MsgDo);
    EXPECT_EQ(compile({"repeat x := 1 x := 2"}).errors.value(0),
              QString("Строка 1/15: ") + vlScriptCompiler::MsgSemicolonOrUntil);
    EXPECT_EQ(compile({"x = 1"}).errors.value(0), QString("Строка 1/3: ") + vlScriptCompiler::MsgAssign);
    EXPECT_EQ(compile({"x := (1 + 2"}).errors.value(0), QString("Строка 1/12: ") + vlScriptCompiler::MsgCloseParen);
    EXPECT_EQ(compile({"x := f(1 2)"}).errors.value(0), QString("Строка 1/10: ") + vlScriptCompiler::MsgCommaOrParen);
    EXPECT_EQ(compile({"x := [a"}).errors.value(0), QString("Строка 1/6: ") + vlScriptCompiler::MsgCloseBracket);
    // A jump to a label that no line defines is refused.
    EXPECT_EQ(compile({"begin goto 20; 10: x := 1 end"}).errors.value(0),
              QString("Строка 1/12: ") + vlScriptCompiler::MsgUndefinedLabel);
}

TEST(ScriptRun, LoopsConditionsAndJumps)
{
    VariableInterpreter in;
    in.run({"begin", "  x := 1;", "  while x < 3 do x := x + 1", "end"});
    EXPECT_EQ(in.vars.GetVariable("X").toDouble(), 3.0);

    in.run({"begin s := 0; i := 0; repeat begin i := i + 1; s := s + i end until i >= 4 end"});
    EXPECT_EQ(in.vars.GetVariable("s").toDouble(), 10.0);

    in.run({"begin n := 0; 5: n := n + 2; if n < 6 then goto 5 else m := 'hotovo' end"});
    EXPECT_EQ(in.vars.GetVariable("n").toDouble(), 6.0);
    EXPECT_EQ(in.vars.GetVariable("m").toString(), "hotovo");

    // Functions run when their line runs, every time it runs.
    in.run({"begin i := 0; while i < 3 do begin NewPage; i := i + 1 end end"});
    EXPECT_EQ(in.calls, QStringList({"NEWPAGE", "NEWPAGE", "NEWPAGE"}));
}

TEST(ScriptRun, EndlessLoopIsStopped)
{
    VariableInterpreter in;
    in.MaxSteps = 1000;
    QStringList coded, errors;
    in.PrepareScript({"while 1 do x := 1"}, coded, errors);
    EXPECT_THROW(in.DoScript(coded), TvlParserError);
}

// A text that keeps doubling ends the script with the engine's own message
// long before the step limit, instead of taking all the memory.
TEST(ScriptRun, EverDoublingTextIsStopped)
{
    VariableInterpreter in;
    try {
        in.run({"begin s := 'ab'; while 1 do s := s + s end"});
        FAIL() << "the script ran on";
    } catch (const TvlParserError &error) {
        EXPECT_STREQ(error.what(), "Výraz: text by byl delší než 32 milionů znaků.");
    }
    EXPECT_EQ(in.vars.GetVariable("s").toString().size(), 32 * 1024 * 1024);
    in.run({"t := 'a' + 'b'"});
    EXPECT_EQ(in.vars.GetVariable("t").toString(), "ab");
}

TEST(ScriptVariables, CaseInsensitiveNamesKeepFirstSpelling)
{
    TvlVariables v;
    v.SetVariable("Celkem", Variant(qint64(1)));
    v.SetVariable("CELKEM", Variant(qint64(2)));
    EXPECT_EQ(v.Count(), 1);
    EXPECT_EQ(v.GetName(0), "Celkem");
    EXPECT_EQ(v.GetValue(0).toInt(), 2);
    EXPECT_TRUE(v.GetVariable("jiná").isNull());
    EXPECT_EQ(v.GetName(5), "");
    EXPECT_EQ(v.GetValue(5).toInt(), 0);
    v.Delete(0);
    EXPECT_EQ(v.IndexOf("celkem"), -1);
}
