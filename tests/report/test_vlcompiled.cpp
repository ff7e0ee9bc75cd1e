#include "report/vlcanvas.h"
#include "report/vlcompiledexpression.h"
#include "report/vlpostfix.h"
#include "report/vltextwidths.h"

#include <QHash>
#include <gtest/gtest.h>

namespace {

// Names from a table, functions answering by name; every question is logged
// so that a converted expression can be held to the parser's order of calls.
struct Calls
{
    TvlParser parser;
    QHash<QString, Variant> names{{"A", Variant(qint64(2))}, {"CENA", Variant(10.5)}, {"NAZEV", Variant("Sýr")}};
    QStringList log;
    int counter = 0;

    Calls()
    {
        parser.OnGetValue = [this](const QString &name, Variant &value) {
            log << "get " + name;
            value = names.value(name);
        };
        parser.OnFunction = [this](const QString &name, const Variant &p1, const Variant &, const Variant &,
                                   QString &val) {
            log << "call " + name + "(" + p1.toString() + ")";
            if (name == "NEXT")
                val = QString::number(++counter);
            else if (name == "TWICE")
                val = QString::number(parser.Calculate(p1.toString()).toDouble() * 2);
            else if (name == "TEXT")
                val = "'it's " + p1.toString() + "'";
            else if (name == "RAW") // text that reaches into what follows the call
                val = p1.toString();
            else if (name == "NOTHING")
                val.clear();
            else
                val = "0";
        };
    }
};

// The value with its kind, or the error.
std::string outcome(const std::function<Variant()> &evaluate)
{
    try {
        const Variant value = evaluate();
        const bool plain = value.isUnassigned() || value.isNull();
        return (Variant::typeName(value.type()) + " " + (plain ? QString() : value.toString())).toStdString();
    } catch (const std::exception &error) {
        return std::string("error ") + error.what();
    }
}

} // namespace

// A converted expression gives the value, the lookups and the calls, in the
// same order, that the parser gives converting it each time.
TEST(CompiledExpression, SameValuesAndCallsAsTheParser)
{
    const QStringList expressions{
        "1 + 2 * 3",
        "[CENA] * A - 1",
        "'x' + [NAZEV]",
        "NEXT(0) + NEXT(0) * 10",
        "TWICE([CENA]) + A",
        "TWICE(NEXT(0))",
        "TEXT(a) + '!'",
        "(NEXT(0)) * 2",
        "NEXT(0) - 1",      // a sign after a call: the call decides how it reads
        "NOTHING(1) -5",    // nothing handed back: the minus is a sign
        "RAW(1) + 2) * (3", // a bracket in the result closes the one around it
        "RAW(1;2) + 100",   // a semicolon in the result ends the expression
        "RAW('a) + 'b'",    // an odd quote
        "IF(A > 1, 'big', 'small')",
        "COPY([NAZEV], 1, 2) + NEXT(0)",
        "NOT (A = 2) OR NEXT(0) > 3",
        "A MOD 2 + NEXT(0) MOD 2",
        "%d'01.02.2026' + NEXT(0)",
    };
    for (const QString &expression : expressions) {
        SCOPED_TRACE(expression.toStdString());
        Calls direct, converted;
        TvlCompiledExpression compiled(converted.parser, expression);
        for (int round = 0; round < 2; ++round) {
            EXPECT_EQ(outcome([&] { return compiled.Evaluate(converted.parser); }),
                      outcome([&] { return direct.parser.Calculate(expression); }));
            EXPECT_EQ(converted.log, direct.log);
        }
    }
}

TEST(CompiledExpression, ConvertsOnlyWhatDoesNotDependOnCallResults)
{
    Calls c;
    EXPECT_TRUE(TvlCompiledExpression(c.parser, "SUM([CENA]) * 2").IsConverted());
    EXPECT_FALSE(TvlCompiledExpression(c.parser, "IF(A, 1, 2)").IsConverted());
    EXPECT_FALSE(TvlCompiledExpression(c.parser, "SUM([CENA]) - 2").IsConverted());
    EXPECT_TRUE(c.log.isEmpty()) << "converting asks nothing";
    // A text the parser refuses is refused at each evaluation, as by the parser.
    TvlCompiledExpression unclosed(c.parser, "[CENA");
    EXPECT_FALSE(unclosed.IsConverted());
    EXPECT_THROW(unclosed.Evaluate(c.parser), TvlParserError);
    // A call marker written in the text is text, never a call.
    TvlCompiledExpression marker(c.parser, QString("TEXT(a) + '") + QChar(vlCallMarker) + "'");
    EXPECT_FALSE(marker.IsConverted());
    EXPECT_EQ(marker.Evaluate(c.parser).toString(), QString("it's a") + QChar(vlCallMarker));
}

// Summing characters and pairs must give exactly what shaping a whole line gives.
TEST(TextWidths, SumsEqualWholeLineMeasuring)
{
    const QStringList lines{
        "Přehled zboží, strana 12",
        "Položka číslo 10000 – Žluťoučký kůň úpěl ďábelské ódy",
        "K1234  12 345,50 Kč; (sleva 5 %) \"AV\" Tě Wa LT fi fl ffi",
        "ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ áčďéěíňóřšťúůýž «»„“ …€",
        "a\tb",                // a tab: measured whole
        "漢字 and عربي mixed", // other scripts: measured whole
    };
    for (const QString &family : {QString("Arial"), QString("Times New Roman"), QString("Courier New")})
        for (int pixels : {9, 13, 16, 27})
            for (TFontStyles styles : {TFontStyles(), TFontStyles(fsBold | fsItalic)}) {
                TvlTextWidths &widths = TvlTextWidths::For(family, pixels, styles);
                const QFontMetricsF metrics(vlMemoFont(family, pixels, styles), &TvlCanvas::ReferenceImage());
                for (const QString &line : lines)
                    for (qsizetype end = 1; end <= line.size(); end += 3)
                        ASSERT_EQ(widths.Width(line.left(end)), metrics.horizontalAdvance(line.left(end)))
                            << family.toStdString() << " " << pixels << " " << line.left(end).toStdString();
            }
}

// Postfix text read once into steps: names are asked for in the text's
// order, a text that cannot be read fails where its reading stops (after the
// names before that point), and an inserted result runs as if its text stood
// in place of the marker, a date mark before it included.
TEST(PostfixProgram, RunsAsTheTextReads)
{
    Calls c;
    EXPECT_THROW(c.parser.EvaluatePostfix("[A] 1.2.3 [CENA] +"), std::exception);
    EXPECT_EQ(c.log, QStringList{"get A"});
    c.log.clear();
    EXPECT_THROW(c.parser.EvaluatePostfix("[A] [CENA] + [NAZEV"), TvlParserError);
    EXPECT_EQ(c.log, (QStringList{"get A", "get CENA"}));

    const QString marker = QString(QChar(vlCallMarker)) + u' ';
    const TvlPostfixProgram text("'01.02.2026' ");
    const TvlPostfixProgram marked("%d " + marker, 1);
    EXPECT_EQ(outcome([&] { return marked.Run(c.parser, {&text}); }),
              outcome([&] { return c.parser.EvaluatePostfix("%d '01.02.2026' "); }));
    const TvlPostfixProgram date("%d'01.02.2026' ");
    const TvlPostfixProgram sum(marker + "[A] +", 1);
    EXPECT_EQ(outcome([&] { return sum.Run(c.parser, {&date}); }),
              outcome([&] { return c.parser.EvaluatePostfix("%d'01.02.2026' [A] +"); }));
    const TvlPostfixProgram twice(marker + marker + "*", 2);
    const TvlPostfixProgram six("6 ");
    EXPECT_EQ(outcome([&] {
                  return twice.Run(c.parser, {&six, &six});
              }),
              outcome([&] { return c.parser.EvaluatePostfix("6 6 *"); }));
}
