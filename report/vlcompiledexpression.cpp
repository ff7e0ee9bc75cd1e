#include "report/vlcompiledexpression.h"

#include <QRegularExpression>

namespace {

// At most this many expressions (and call results per expression) are kept:
// texts built at run time must not grow the memory without end.
constexpr size_t maxExpressions = 4096;
constexpr size_t maxResults = 64;

// A result the conversion reads as one operand group of its own: no bracket,
// semicolon or quote that could reach into the text around it, or exactly
// one quoted literal (with a %d/%t prefix).
bool readsOnItsOwn(const QString &result)
{
    static const QRegularExpression literal(QStringLiteral("^(%[dDtT])?'([^']|'')*'$"));
    for (const QChar c : result)
        if (QStringView(u"()[];'\"%").contains(c))
            return literal.match(result).hasMatch();
    return true;
}

} // namespace

TvlCompiledExpression::TvlCompiledExpression(TvlParser &parser, const QString &expression)
    : m_expression(expression)
{
    try {
        m_converted = parser.ConvertDeferringCalls(expression, m_postfix, m_calls);
    } catch (const std::exception &) {
        m_converted = false; // Calculate reports it, in its own order
    }
    if (!m_converted) {
        m_postfix.clear();
        m_calls.clear();
        return;
    }
    m_program = std::make_unique<TvlPostfixProgram>(m_postfix, int(m_calls.size()));
    for (const TvlDeferredCall &call : m_calls)
        m_arguments.push_back({Variant(call.A1), Variant(call.A2), Variant(call.A3)});
}

const TvlCompiledExpression::Result &TvlCompiledExpression::ResultPostfix(TvlParser &parser, const QString &result)
{
    const auto found = m_results.find(result);
    if (found != m_results.end())
        return found->second;
    QString postfix = parser.ConvertToPostfix(u'(' + result + u')');
    TvlPostfixProgram program(postfix);
    return m_results.emplace(result, Result{std::move(postfix), std::move(program)}).first->second;
}

QString TvlCompiledExpression::Substitute(const QString &text, const Results &results)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        const size_t index = size_t(c - vlCallMarker);
        if (c >= vlCallMarker && index < size_t(results.size())) {
            out += results[qsizetype(index)]->Postfix;
            ++i; // the marker's blank
        } else {
            out += text.at(i);
        }
    }
    return out;
}

Variant TvlCompiledExpression::Evaluate(TvlParser &parser)
{
    if (!m_converted)
        return parser.Calculate(m_expression);
    if (m_calls.empty())
        return m_program->Run(parser);
    // Results stay where they are while an evaluation holds them.
    if (m_running == 0 && m_results.size() >= maxResults)
        m_results.clear();
    struct Running
    {
        int &count;
        explicit Running(int &c)
            : count(++c)
        {}
        ~Running() { --count; }
    } running(m_running);
    Results results;
    TvlPostfixProgram::Inserted programs;
    for (size_t n = 0; n < m_calls.size(); ++n) {
        const TvlDeferredCall &call = m_calls[n];
        QString val;
        if (parser.OnFunction)
            parser.OnFunction(call.Name, m_arguments[n][0], m_arguments[n][1], m_arguments[n][2], val);
        const QString result = TvlParser::CallResultText(val);
        if (!readsOnItsOwn(result)) {
            TvlDeferredCall resumed = call;
            resumed.Output = Substitute(call.Output, results);
            return parser.EvaluatePostfix(parser.ResumeConversion(resumed, result));
        }
        const Result &postfix = ResultPostfix(parser, result);
        results.append(&postfix);
        programs.append(&postfix.Program);
    }
    return m_program->Run(parser, programs);
}

Variant TvlExpressionCache::Calculate(TvlParser &parser, const QString &expression)
{
    auto found = m_expressions.find(expression);
    if (found == m_expressions.end()) {
        if (m_expressions.size() >= maxExpressions)
            return parser.Calculate(expression);
        found = m_expressions.emplace(expression, std::make_unique<TvlCompiledExpression>(parser, expression)).first;
    }
    return found->second->Evaluate(parser);
}
