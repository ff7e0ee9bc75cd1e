#pragma once
// An expression converted once and evaluated many times. Converting to
// postfix text is the costly part of the parser and, without function calls,
// always gives the same text; with calls, only the calls' results differ.
// So the conversion is kept with a marker per call, and each evaluation
// makes the calls (in the order the parser makes them), puts their results'
// postfix text in place of the markers and evaluates. A result that could
// change how the text around it reads (brackets, a semicolon, an odd quote)
// continues the parser's own conversion from that call instead, so every
// value and every call is the same as Calculate gives.
#include "report/vlpostfix.h"

#include <array>
#include <memory>
#include <unordered_map>

class TvlCompiledExpression
{
public:
    TvlCompiledExpression(TvlParser &parser, const QString &expression);

    // The expression's value through the parser's callbacks.
    Variant Evaluate(TvlParser &parser);
    // False when every evaluation goes through Calculate (COPY, IF, a sign
    // after a call, a text the parser refuses).
    bool IsConverted() const { return m_converted; }

private:
    // A call's result read back on its own in brackets: its postfix text and steps.
    struct Result
    {
        QString Postfix;
        TvlPostfixProgram Program;
    };
    const Result &ResultPostfix(TvlParser &parser, const QString &result);
    // The text with each marker replaced by its call's result postfix.
    using Results = QVarLengthArray<const Result *, 8>;
    static QString Substitute(const QString &text, const Results &results);

    QString m_expression;
    QString m_postfix;
    std::vector<TvlDeferredCall> m_calls;
    std::vector<std::array<Variant, 3>> m_arguments; // each call's argument texts as the callback takes them
    std::unique_ptr<TvlPostfixProgram> m_program;
    bool m_converted = false;
    int m_running = 0;                             // evaluations under way (a call may evaluate this expression again)
    std::unordered_map<QString, Result> m_results; // by result text
};

// Expressions met in a build, converted on first use.
class TvlExpressionCache
{
public:
    Variant Calculate(TvlParser &parser, const QString &expression);

private:
    std::unordered_map<QString, std::unique_ptr<TvlCompiledExpression>> m_expressions;
};
