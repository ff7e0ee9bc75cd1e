#include "platform/datetime.h"
#include "platform/formaterror.h"
#include "report/vlparser.h"

#include <QHash>
#include <gtest/gtest.h>

namespace {

// A parser whose names come from a table and records what it was asked.
struct Fixture
{
    TvlParser parser;
    QHash<QString, Variant> names;
    QStringList asked;
    QStringList functionCalls;

    Fixture()
    {
        parser.OnGetValue = [this](const QString &name, Variant &value) {
            asked << name;
            if (names.contains(name))
                value = names.value(name);
        };
        parser.OnFunction = [this](const QString &name, const Variant &p1, const Variant &p2, const Variant &p3,
                                   QString &val) {
            functionCalls << name + "|" + p1.toString() + "|" + p2.toString() + "|" + p3.toString();
            if (name == "TWICE")
                val = QString::number(parser.Calculate(p1.toString()).toDouble() * 2);
            else if (name == "QUOTE")
                val = "'it's'";
        };
    }
    double num(const QString &e) { return parser.Calculate(e).toDouble(); }
    QString str(const QString &e) { return parser.Calculate(e).toString(); }
};

} // namespace

TEST(ExpressionParser, ArithmeticAndPrecedence)
{
    Fixture f;
    const struct
    {
        const char *expr;
        double value;
    } cases[] = {
        {"2 + 3 * 4", 14}, {"(2 + 3) * 4", 20},  {"-5 + 2", -3},   {"10 / 0", 0},     {"7 MOD 3", 1},
        {"7 mod 0", 0},    {"1,5 + 1", 2.5},     {"1.5 + 1", 2.5}, {"10 - 2 - 3", 5}, {"2 * (3 + 4) - 1", 13},
        {"8 / 4 / 2", 1},  {"NOT 0", 1},         {"NOT 5", 0},     {"3 > 2", 1},      {"3 >= 3", 1},
        {"3 <= 2", 0},     {"3 <> 3", 0},        {"2 = 2", 1},     {"ROUND(2.5)", 2}, {"ROUND(3.5)", 4},
        {"INT(-2.7)", -2}, {"FRAC(2.75)", 0.75}, {"1 OR 0", 1},    {"1 AND 0", 0},    {"1 + 1 ; 5", 2},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(f.num(c.expr), c.value) << c.expr;
    EXPECT_EQ(f.str("STR 5"), "5");
    // Numeric text counts as its number; other text is not zero.
    EXPECT_DOUBLE_EQ(f.num("NOT '0'"), 1);
    EXPECT_DOUBLE_EQ(f.num("NOT 'abc'"), 0);
    // "1;" is read as one number, and that fails.
    EXPECT_THROW(f.parser.Calculate("1 + 1; 5"), ConvertError);
}

TEST(ExpressionParser, PrefixOperatorsAfterAnotherOperator)
{
    Fixture f;
    f.names["A"] = Variant(qint64(1));
    f.names["B"] = Variant(qint64(0));
    EXPECT_DOUBLE_EQ(f.num("2 * -3"), -6);
    EXPECT_DOUBLE_EQ(f.num("5 - -2"), 7);
    EXPECT_DOUBLE_EQ(f.num("2 * -3 + 1"), -5);
    EXPECT_DOUBLE_EQ(f.num("a AND NOT b"), 1);
    EXPECT_DOUBLE_EQ(f.num("NOT NOT a"), 1);
    // NOT binds to the operand before a comparison: (NOT a) = b.
    EXPECT_DOUBLE_EQ(f.num("NOT a = b"), 1);
    // AND binds tighter than a comparison: x > (1 AND y) < 2.
    f.names["X"] = Variant(qint64(5));
    f.names["Y"] = Variant(qint64(1));
    EXPECT_DOUBLE_EQ(f.num("x > 1 AND y < 2"), 1);
    EXPECT_DOUBLE_EQ(f.num("(x > 1) AND (y < 2)"), 1);
    EXPECT_DOUBLE_EQ(f.num("(x > 9) AND (y < 2)"), 0);
}

TEST(ExpressionParser, PostfixText)
{
    Fixture f;
    EXPECT_EQ(f.parser.ConvertToPostfix("2 + 3 * 4"), "2 3 4 *+");
    EXPECT_EQ(f.parser.ConvertToPostfix("a >= b"), QString("a b ") + vlOp::GreaterEqual);
    EXPECT_EQ(f.parser.ConvertToPostfix("-x"), QString("x ") + vlOp::Negate);
    EXPECT_EQ(f.parser.ConvertToPostfix("[Data.\"Cena s DPH\"] * 2"), "[Data.\"Cena s DPH\"] 2 *");
}

TEST(ExpressionParser, TextsAndNames)
{
    Fixture f;
    EXPECT_EQ(f.str("'it''s'"), "it's");
    EXPECT_EQ(f.str("'Tar' + 'mil'"), "Tarmil");
    EXPECT_EQ(f.str("COPY('abcdef', 2, 3)"), "bcd");
    EXPECT_EQ(f.str("COPY('a''bc', 1, 2)"), "a'");
    EXPECT_EQ(f.str("IF(1 > 0, 'ano', 'ne')"), "ano");
    EXPECT_EQ(f.str("IF(-1, 'ano', 'ne')"), "ne");
    // The chosen branch reaches the expression as written.
    EXPECT_EQ(f.str("IF(1, 'a' + 'b', '')"), "ab");
    EXPECT_EQ(f.str("IF(1,'it''s', '')"), "it's");

    f.names["TOTAL"] = Variant(qint64(7));
    f.names["Položka.Cena"] = Variant(2.5);
    EXPECT_DOUBLE_EQ(f.num("total + [Položka.Cena]"), 9.5);
    EXPECT_EQ(f.asked, QStringList({"TOTAL", "Položka.Cena"}));
    // A name nobody resolves has no value.
    EXPECT_TRUE(f.parser.Calculate("unknown").isUnassigned());
}

TEST(ExpressionParser, FunctionCallsAreSplicedBack)
{
    Fixture f;
    EXPECT_DOUBLE_EQ(f.num("twice(3 + 1) + 1"), 9);
    EXPECT_EQ(f.functionCalls.value(0), "TWICE|3 + 1||");
    // Inner quotes of a result are doubled before it is read back.
    EXPECT_EQ(f.str("quote()"), "it's");
    TvlParser bare;
    EXPECT_TRUE(bare.Calculate("f(1)").isUnassigned());
}

TEST(ExpressionParser, DateAndTimeLiterals)
{
    Fixture f;
    const Variant date = f.parser.Calculate("%d'01.02.2003'");
    EXPECT_DOUBLE_EQ(date.toDateTime(), DateTimeConv::encodeDate(2003, 2, 1));
    const Variant time = f.parser.Calculate("%t'12:30:00'");
    EXPECT_DOUBLE_EQ(time.toDateTime(), DateTimeConv::encodeTime(12, 30, 0, 0));
    EXPECT_THROW(f.parser.Calculate("%d'35.13.2003'"), ConvertError);
}

TEST(ExpressionParser, ControlCharactersAreBlanksOutsideTexts)
{
    Fixture f;
    // Operators are coded as control characters in the postfix text; a tab
    // (code 9, the unary minus) once turned "7 - 2" into 9.
    EXPECT_DOUBLE_EQ(f.num("7\t-\t2"), 5);
    EXPECT_DOUBLE_EQ(f.num("7\r\n-\n2"), 5);
    EXPECT_DOUBLE_EQ(f.num("\x01"
                           "3\x0c*\x0e"
                           "2"),
                     6);
    EXPECT_DOUBLE_EQ(f.num("NOT\t0"), 1);
    f.names["TOTAL"] = Variant(qint64(4));
    EXPECT_DOUBLE_EQ(f.num("total\t*\t2"), 8);
    EXPECT_EQ(f.asked.value(0), "TOTAL");
    // Inside texts and bracketed names they are text.
    EXPECT_EQ(f.str("'a\tb' + 'c'"), "a\tbc");
    f.names["A\tB"] = Variant(qint64(3));
    EXPECT_DOUBLE_EQ(f.num("[A\tB]\t+\t1"), 4);
    // What a function splices back is read the same way.
    f.parser.OnFunction = [](const QString &, const Variant &, const Variant &, const Variant &, QString &val) {
        val = "2\t-\t1";
    };
    EXPECT_DOUBLE_EQ(f.num("f() + 1"), 2);
}

TEST(ExpressionParser, MalformedInputIsAnErrorNotACrash)
{
    Fixture f;
    EXPECT_THROW(f.parser.Calculate("'unterminated"), TvlParserError);
    EXPECT_THROW(f.parser.Calculate("[open"), TvlParserError);
    EXPECT_THROW(f.parser.Calculate("2 *"), TvlParserError);
    EXPECT_THROW(f.parser.Calculate("COPY('abc', 1"), TvlParserError);
}

TEST(ParserText, ReadingRoutines)
{
    int start = 1, pos = 0;
    EXPECT_EQ(vlText::ReadBracketedName("[a[b]']'c] rest", start, pos), "a[b]']'c");
    EXPECT_EQ(pos, 10);
    pos = 1;
    EXPECT_EQ(vlText::ReadIdentifier("  Data.\"Cena - DPH\"+1", pos), "Data.\"Cena - DPH\"");
    EXPECT_EQ(pos, 20);
    pos = 1;
    EXPECT_EQ(vlText::ReadIdentifier("a,b;c d", pos), "a,b;c");
    pos = 1;
    EXPECT_EQ(vlText::ReadQuotedString("'a''b' + x", pos), "'a''b'");
    EXPECT_EQ(pos, 7);
    QString a1, a2, a3;
    pos = 5;
    vlText::SplitCallArguments("COPY(f(1,2), ',', 3, 4) x", pos, a1, a2, a3);
    EXPECT_EQ(a1, "f(1,2)");
    EXPECT_EQ(a2, " ','");
    EXPECT_EQ(a3, " 3");
    EXPECT_EQ(pos, 24);
    QString s = "'it's'";
    vlText::EscapeQuotes(s);
    EXPECT_EQ(s, "'it''s'");
    QString shortText = "''";
    vlText::EscapeQuotes(shortText);
    EXPECT_EQ(shortText, "''");
}

TEST(ExpressionParser, AnEmptyTextIsNoValueWhereANumberIsWanted)
{
    Fixture f;
    f.names = {{"PRAZDNE", Variant(QString())}, {"MEZERA", Variant(QStringLiteral(" "))}};
    // As Null: it propagates through arithmetic and the numeric operators.
    for (const char *e : {"INT(COPY([PRAZDNE], 9, 2))", "PRAZDNE * 2", "3 - MEZERA", "FRAC PRAZDNE", "ROUND MEZERA",
                          "-PRAZDNE", "PRAZDNE / 2", "PRAZDNE + 1"})
        EXPECT_TRUE(f.parser.Calculate(e).isNull()) << e;
    // Texts with texts still concatenate and compare as texts.
    EXPECT_EQ(f.str("PRAZDNE + 'a'"), "a");
    EXPECT_DOUBLE_EQ(f.num("PRAZDNE = ''"), 1);
    EXPECT_DOUBLE_EQ(f.num("PRAZDNE = 0"), 0);
    // A text that is no number still fails as before.
    EXPECT_ANY_THROW(f.parser.Calculate("'abc' * 2"));
}
