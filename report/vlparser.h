#pragma once
// The engine's expression parser. An infix expression is first turned into a
// postfix text whose operators are single characters, then evaluated on a
// small stack. COPY, IF and every function call are resolved while
// converting: their results are spliced back into the text. The parser knows
// no names and no functions of its own; both go to its callbacks.
#include "platform/variant.h"

#include <QString>
#include <functional>
#include <stdexcept>
#include <vector>

// Raised for expressions the parser cannot read (an operator without its
// operands, an unclosed bracket or quote). Conversion errors of numbers and
// dates come as the platform's own error types.
class TvlParserError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Operator codes of the postfix text.
namespace vlOp {
constexpr QChar GreaterEqual = QChar(1);
constexpr QChar LessEqual = QChar(2);
constexpr QChar NotEqual = QChar(3);
constexpr QChar Or = QChar(4);
constexpr QChar And = QChar(5);
constexpr QChar Int = QChar(6);
constexpr QChar Frac = QChar(7);
constexpr QChar Negate = QChar(9);
constexpr QChar Plus = QChar(10);
constexpr QChar Str = QChar(11);
constexpr QChar Not = QChar(12);
constexpr QChar Mod = QChar(13);
constexpr QChar Round = QChar(14);
} // namespace vlOp

// Asked for the value of a name: bare identifiers upper-cased, bracketed
// names exactly as written.
using TDetailEvent = std::function<void(const QString &parName, Variant &parValue)>;
// Asked to call a function: upper-cased name, the three unevaluated argument
// texts (missing ones empty); the result is expression text.
using TFunctionEvent =
    std::function<void(const QString &name, const Variant &p1, const Variant &p2, const Variant &p3, QString &val)>;

// A function call left out of a conversion, with where the conversion stood
// (its source, output and operator stack, and the call's place in the source).
struct TvlDeferredCall
{
    QString Name, A1, A2, A3;
    QString Source, Output, Stack;
    int Start = 0, End = 0;
};
// The deferred calls' markers in postfix text: one character each, then a blank.
constexpr char16_t vlCallMarker = 0xE000;
constexpr int vlMaxDeferredCalls = 256;

class TvlParser
{
public:
    TDetailEvent OnGetValue;
    TFunctionEvent OnFunction;

    QString ConvertToPostfix(const QString &infix);
    Variant EvaluatePostfix(const QString &postfix);
    Variant Calculate(const QString &expression);

    // Postfix text in which every function call is a marker, without calling
    // anything; false when the text does not convert so (then only Calculate
    // gives its value).
    bool ConvertDeferringCalls(const QString &infix, QString &postfix, std::vector<TvlDeferredCall> &calls);
    // The conversion interrupted at a deferred call, continued with the call's
    // result text in its place; later calls are made as they are read.
    QString ResumeConversion(const TvlDeferredCall &call, const QString &result);
    // A function's result as the conversion reads it back in place of the call.
    static QString CallResultText(QString val);
};

// Reading routines shared with the memo expander and the rich text view.
// Positions are 1-based character indexes, as everywhere in the engine.
// An expression as error messages quote it: at most its first characters,
// an ellipsis marking the cut.
QString vlQuotedExpression(const QString &expression, int length = 200);

namespace vlText {
// From the "[" at start: the text up to its matching "]" (pos ends on it).
QString ReadBracketedName(const QString &text, int &start, int &pos);
// Skips blanks and reads up to a blank or an operator character outside
// double quotes; pos ends on the stopping character.
QString ReadIdentifier(const QString &text, int &pos);
// From the opening quote; returns the literal with its quotes, pos ends one
// past the closing quote.
QString ReadQuotedString(const QString &text, int &pos);
// From the "(" at pos: up to three argument texts split at top-level commas;
// pos ends one past the matching ")".
void SplitCallArguments(const QString &text, int &pos, QString &a1, QString &a2, QString &a3);
int OperatorPriority(QChar c);
// An operator of the postfix text (a code or one of "*+-/<=>").
bool IsOperatorChar(QChar c);
void EscapeQuotes(QString &s);
} // namespace vlText
