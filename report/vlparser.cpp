#include "report/vlparser.h"

#include "report/vloperators.h"
#include "report/vlpostfix.h"

using namespace vlText;

namespace {

// Prefix operators take their operand from what follows, so they are pushed
// without moving anything already on the stack: "2 * -3" and "a AND NOT b"
// must not pop the binary operator before its right operand is read.
bool isPrefixOperator(QChar c)
{
    return c == vlOp::Negate || c == vlOp::Plus || c == vlOp::Not || c == vlOp::Int || c == vlOp::Frac ||
           c == vlOp::Round || c == vlOp::Str;
}

QChar wordOperator(const QString &upper)
{
    if (upper == u"INT")
        return vlOp::Int;
    if (upper == u"FRAC")
        return vlOp::Frac;
    if (upper == u"ROUND")
        return vlOp::Round;
    if (upper == u"OR")
        return vlOp::Or;
    if (upper == u"AND")
        return vlOp::And;
    if (upper == u"NOT")
        return vlOp::Not;
    if (upper == u"STR")
        return vlOp::Str;
    if (upper == u"MOD")
        return vlOp::Mod;
    return QChar();
}

// The postfix text codes its operators as control characters, so control
// characters written in an expression (a tab, a line break) must never reach
// the reading as themselves: outside quoted literals and bracketed names
// they are blanks. Inside those they are text and stay.
QString controlCharactersAsBlanks(const QString &text)
{
    QString s = text;
    QChar quote;   // the open quote of a literal, or none
    int depth = 0; // nesting of square brackets outside literals
    for (QChar &c : s) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'\'' || (depth > 0 && c == u'"')) {
            quote = c;
        } else if (c == u'[') {
            ++depth;
        } else if (c == u']' && depth > 0) {
            --depth;
        } else if (depth == 0 && c.unicode() < 0x20) {
            c = u' ';
        }
    }
    return s;
}

// One conversion of infix text to postfix text, in three steps:
// - reading (readOperator, readOperand) walks the source once from left to
//   right and assumes that it holds no operator codes as text: the source is
//   cleaned of control characters first, and what a function call splices
//   back is cleaned too;
// - the operator stack (pushOperator, closeBracket, finish) assumes that
//   every operator it gets is one character with a priority from
//   OperatorPriority, and that prefix operators come before their operand;
// - call splicing (spliceCall) assumes the reading position stands on the
//   "(" right after the call's name; it replaces the whole call in the
//   source by its result in parentheses and reads on from there, so the
//   result is read like text written in its place.
class PostfixConversion
{
public:
    PostfixConversion(TvlParser &parser, const QString &infix)
        : m_parser(parser)
        , m_s(controlCharactersAsBlanks(infix))
    {}

    // Converts without calling anything: each function call leaves a marker
    // in the output and its place in the conversion in calls. False when the
    // text cannot be converted so (COPY and IF evaluate while converting; a
    // sign after a call is read by what the call hands back).
    bool runDeferring(std::vector<TvlDeferredCall> &calls)
    {
        for (const QChar c : std::as_const(m_s))
            if (c.unicode() >= vlCallMarker && c.unicode() < vlCallMarker + vlMaxDeferredCalls)
                return false;
        m_deferred = &calls;
        run();
        return m_deferrable;
    }

    // The conversion as it stood at a deferred call, with the call's result
    // spliced in; what follows converts as usual, calling functions.
    PostfixConversion(TvlParser &parser, const TvlDeferredCall &call, const QString &result)
        : m_parser(parser)
        , m_s(call.Source)
        , m_output(call.Output)
        , m_stack(call.Stack)
        , m_i(call.Start)
    {
        m_s.replace(call.Start - 1, call.End - call.Start, u'(' + result + u')');
    }

    QString run()
    {
        while (m_i <= m_s.size()) {
            const QChar c = m_s.at(m_i - 1);
            if (c == u' ') {
                ++m_i;
            } else if (c == u'(') {
                m_stack.prepend(c);
                m_operandRead = false;
                ++m_i;
            } else if (c == u')') {
                closeBracket();
                ++m_i;
            } else if (c == u';') {
                break; // where a token starts, a semicolon ends the expression
            } else if (IsOperatorChar(c)) {
                pushOperator(readOperator(c));
            } else {
                readOperand();
            }
        }
        finish();
        return m_output;
    }
    const QString &output() const { return m_output; }

private:
    // ---- reading

    // The operator at the reading position (c), with "<>", ">=" and "<="
    // read as one; a sign where no operand was just read is a prefix one.
    QChar readOperator(QChar c)
    {
        QChar op = c;
        const QChar next = m_i < m_s.size() ? m_s.at(m_i) : QChar();
        if (c == u'<' && next == u'>') {
            op = vlOp::NotEqual;
            ++m_i;
        } else if (c == u'>' && next == u'=') {
            op = vlOp::GreaterEqual;
            ++m_i;
        } else if (c == u'<' && next == u'=') {
            op = vlOp::LessEqual;
            ++m_i;
        }
        if (!m_operandRead) {
            if (op == u'-')
                op = vlOp::Negate;
            else if (op == u'+')
                op = vlOp::Plus;
        }
        ++m_i;
        return op;
    }

    // An operand: an optional "%d"/"%t" prefix, then a quoted literal, a
    // bracketed name or an identifier. Numbers and names go to the output;
    // a word operator is written back into the source as its code and read
    // again as an operator; a name followed by "(" is a call.
    void readOperand()
    {
        m_operandRead = true;
        const int start = m_i;
        QString operand;
        bool plainName = true;
        if (m_s.at(m_i - 1) == u'%') {
            operand = m_s.mid(m_i - 1, 2);
            m_i += 2;
            plainName = false;
        }
        const QChar first = m_i <= m_s.size() ? m_s.at(m_i - 1) : QChar();
        if (first == u'\'') {
            operand += ReadQuotedString(m_s, m_i);
            plainName = false;
        } else if (first == u'[') {
            int from = m_i;
            int end = m_i;
            operand += u'[' + ReadBracketedName(m_s, from, end) + u']';
            m_i = end + 1;
            plainName = false;
        } else {
            operand += ReadIdentifier(m_s, m_i);
            if (m_i == start) { // nothing readable here: skip the character
                ++m_i;
                return;
            }
        }
        if (operand.isEmpty())
            return;
        const QChar lead = operand.at(0);
        if (lead.isDigit() || lead == u',' || lead == u'.') {
            m_output += operand + u' ';
            return;
        }
        const QString upper = operand.toUpper();
        const QChar word = plainName ? wordOperator(upper) : QChar();
        if (!word.isNull()) {
            m_s[m_i - 2] = word; // the word's last character becomes the operator
            m_i -= 1;
            return;
        }
        if (plainName && m_i <= m_s.size() && m_s.at(m_i - 1) == u'(') {
            spliceCall(start, upper);
            return;
        }
        m_output += operand + u' ';
    }

    // ---- operator stack

    // Binary operators first move the operators on the stack that bind at
    // least as tightly (a lower or equal priority number) to the output.
    void pushOperator(QChar op)
    {
        m_operandRead = false;
        if (!isPrefixOperator(op)) {
            while (!m_stack.isEmpty() && OperatorPriority(op) >= OperatorPriority(m_stack.at(0))) {
                m_output += m_stack.at(0);
                m_stack.remove(0, 1);
            }
        }
        m_stack.prepend(op);
    }

    // ")": the operators above the nearest "(" go to the output, top first,
    // and the "(" is dropped; a ")" without its "(" empties the stack.
    void closeBracket()
    {
        while (!m_stack.isEmpty() && m_stack.at(0) != u'(') {
            m_output += m_stack.at(0);
            m_stack.remove(0, 1);
        }
        if (!m_stack.isEmpty())
            m_stack.remove(0, 1);
    }

    // What is left on the stack, top first; unclosed "(" are dropped.
    void finish()
    {
        for (const QChar op : std::as_const(m_stack))
            if (op != u'(')
                m_output += op;
    }

    // ---- call splicing

    // COPY and IF are the parser's own; other names go to OnFunction
    // (without one the call leaves "()" and no operand). start is where the
    // call's name begins.
    void spliceCall(int start, const QString &upper)
    {
        QString a1, a2, a3;
        SplitCallArguments(m_s, m_i, a1, a2, a3);
        if (m_deferred) {
            deferCall(start, upper, a1, a2, a3);
            return;
        }
        QString replacement;
        if (upper == u"COPY") {
            const QString text = m_parser.Calculate(a1).toString();
            const int from = m_parser.Calculate(a2).toInt();
            const int count = m_parser.Calculate(a3).toInt();
            replacement = u'\'' + text.mid(qMax(0, from - 1), qMax(0, count)) + u'\'';
            EscapeQuotes(replacement);
        } else if (upper == u"IF") {
            const double condition = vlVariantToNumber(Variant(m_parser.Calculate(a1).toString()));
            // The chosen branch goes in as written: its quotes are already
            // those of the source.
            replacement = qint64(condition) > 0 ? a2 : a3;
        } else if (m_parser.OnFunction) {
            QString val;
            m_parser.OnFunction(upper, Variant(a1), Variant(a2), Variant(a3), val);
            replacement = TvlParser::CallResultText(val);
        }
        m_s.replace(start - 1, m_i - start, u'(' + replacement + u')');
        m_i = start;
        m_operandRead = false;
    }

    void deferCall(int start, const QString &upper, const QString &a1, const QString &a2, const QString &a3)
    {
        int next = m_i;
        while (next <= m_s.size() && m_s.at(next - 1) == u' ')
            ++next;
        const QChar after = next <= m_s.size() ? m_s.at(next - 1) : QChar();
        if (upper == u"COPY" || upper == u"IF" || after == u'+' || after == u'-' ||
            m_deferred->size() >= size_t(vlMaxDeferredCalls)) {
            m_deferrable = false;
            m_i = int(m_s.size()) + 1; // nothing more to read
            return;
        }
        m_deferred->push_back({upper, a1, a2, a3, m_s, m_output, m_stack, start, m_i});
        m_output += QChar(char16_t(vlCallMarker + m_deferred->size() - 1));
        m_output += u' ';
        m_operandRead = true;
    }

    TvlParser &m_parser;
    std::vector<TvlDeferredCall> *m_deferred = nullptr;
    bool m_deferrable = true;
    QString m_s; // the source; calls are replaced by their results in it
    QString m_output;
    QString m_stack; // the operator stack; its first character is the top
    bool m_operandRead = false;
    int m_i = 1; // reading position, 1-based
};

} // namespace

QString TvlParser::ConvertToPostfix(const QString &infix)
{
    return PostfixConversion(*this, infix).run();
}

Variant TvlParser::EvaluatePostfix(const QString &postfix)
{
    return TvlPostfixProgram(postfix).Run(*this);
}

bool TvlParser::ConvertDeferringCalls(const QString &infix, QString &postfix, std::vector<TvlDeferredCall> &calls)
{
    PostfixConversion conversion(*this, infix);
    if (!conversion.runDeferring(calls))
        return false;
    postfix = conversion.output();
    return true;
}

QString TvlParser::ResumeConversion(const TvlDeferredCall &call, const QString &result)
{
    return PostfixConversion(*this, call, result).run();
}

QString TvlParser::CallResultText(QString val)
{
    EscapeQuotes(val);
    return controlCharactersAsBlanks(val);
}

Variant TvlParser::Calculate(const QString &expression)
{
    return EvaluatePostfix(ConvertToPostfix(expression));
}
