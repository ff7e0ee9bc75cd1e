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
#include "report/vlparser.h"

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
    // Postfix text of a call's result, read back on its own in brackets.
    const QString &ResultPostfix(TvlParser &parser, const QString &result);
    // The text with each marker replaced by its call's result postfix.
    static QString Substitute(const QString &text, const std::vector<QString> &results);

    QString m_expression;
    QString m_postfix;
    std::vector<TvlDeferredCall> m_calls;
    bool m_converted = false;
    std::unordered_map<QString, QString> m_results; // result text -> its postfix
};

// Expressions met in a build, converted on first use.
class TvlExpressionCache
{
public:
    Variant Calculate(TvlParser &parser, const QString &expression);

private:
    std::unordered_map<QString, std::unique_ptr<TvlCompiledExpression>> m_expressions;
};
