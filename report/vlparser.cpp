#include "report/vlparser.h"

#include "report/vloperators.h"

using namespace vlText;

namespace {

bool isOperatorChar(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 1 && u <= 14 && u != 8) || QStringView(u"*+-/<=>").contains(c);
}

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

QString unquote(const QString &literal)
{
    QString inner = literal.mid(1, literal.size() - 2);
    return inner.replace(QStringLiteral("''"), QStringLiteral("'"));
}

} // namespace

QString TvlParser::ConvertToPostfix(const QString &infix)
{
    QString s = infix;
    QString output;
    QString stack; // first character is the top
    bool operandRead = false;
    int i = 1;
    while (i <= s.size()) {
        const QChar c = s.at(i - 1);
        if (c == u' ') {
            ++i;
        } else if (c == u'(') {
            stack.prepend(c);
            operandRead = false;
            ++i;
        } else if (c == u')') {
            while (!stack.isEmpty() && stack.at(0) != u'(') {
                output += stack.at(0);
                stack.remove(0, 1);
            }
            if (!stack.isEmpty())
                stack.remove(0, 1);
            ++i;
        } else if (c == u';') {
            break;
        } else if (isOperatorChar(c)) {
            QChar op = c;
            const QChar next = i < s.size() ? s.at(i) : QChar();
            if (c == u'<' && next == u'>') {
                op = vlOp::NotEqual;
                ++i;
            } else if (c == u'>' && next == u'=') {
                op = vlOp::GreaterEqual;
                ++i;
            } else if (c == u'<' && next == u'=') {
                op = vlOp::LessEqual;
                ++i;
            }
            if (!operandRead) {
                if (op == u'-')
                    op = vlOp::Negate;
                else if (op == u'+')
                    op = vlOp::Plus;
            }
            operandRead = false;
            if (!isPrefixOperator(op) && !stack.isEmpty() && OperatorPriority(op) >= OperatorPriority(stack.at(0))) {
                while (!stack.isEmpty() && OperatorPriority(op) >= OperatorPriority(stack.at(0))) {
                    output += stack.at(0);
                    stack.remove(0, 1);
                }
            }
            stack.prepend(op);
            ++i;
        } else {
            operandRead = true;
            const int start = i;
            QString operand;
            bool plainName = true;
            if (c == u'%') {
                operand = s.mid(i - 1, 2);
                i += 2;
                plainName = false;
            }
            const QChar first = i <= s.size() ? s.at(i - 1) : QChar();
            if (first == u'\'') {
                operand += ReadQuotedString(s, i);
                plainName = false;
            } else if (first == u'[') {
                int from = i;
                int end = i;
                operand += u'[' + ReadBracketedName(s, from, end) + u']';
                i = end + 1;
                plainName = false;
            } else {
                operand += ReadIdentifier(s, i);
                if (i == start) { // nothing readable here: skip the character
                    ++i;
                    continue;
                }
            }
            if (operand.isEmpty())
                continue;
            const QChar lead = operand.at(0);
            if (lead.isDigit() || lead == u',' || lead == u'.') {
                output += operand + u' ';
                continue;
            }
            const QString upper = operand.toUpper();
            const QChar word = plainName ? wordOperator(upper) : QChar();
            if (!word.isNull()) {
                s[i - 2] = word; // the word's last character becomes the operator
                i -= 1;
                continue;
            }
            const bool call = plainName && i <= s.size() && s.at(i - 1) == u'(';
            if (!call) {
                output += operand + u' ';
                continue;
            }
            QString a1, a2, a3;
            SplitCallArguments(s, i, a1, a2, a3);
            QString replacement;
            if (upper == u"COPY") {
                const QString text = Calculate(a1).toString();
                const int from = Calculate(a2).toInt();
                const int count = Calculate(a3).toInt();
                replacement = u'\'' + text.mid(qMax(0, from - 1), qMax(0, count)) + u'\'';
                EscapeQuotes(replacement);
            } else if (upper == u"IF") {
                const double condition = vlVariantToNumber(Variant(Calculate(a1).toString()));
                // The chosen branch goes in as written: its quotes are already
                // those of the source.
                replacement = qint64(condition) > 0 ? a2 : a3;
            } else if (OnFunction) {
                QString val;
                OnFunction(upper, Variant(a1), Variant(a2), Variant(a3), val);
                EscapeQuotes(val);
                replacement = val;
            }
            s.replace(start - 1, i - start, u'(' + replacement + u')');
            i = start;
            operandRead = false;
        }
    }
    for (const QChar op : std::as_const(stack))
        if (op != u'(')
            output += op;
    return output;
}

Variant TvlParser::EvaluatePostfix(const QString &postfix)
{
    QVector<Variant> stack;
    enum class Mode { None, Date, Time } mode = Mode::None;
    int i = 1;
    while (i <= postfix.size()) {
        const QChar c = postfix.at(i - 1);
        if (c == u' ' || c == vlOp::Plus) {
            ++i;
        } else if (isOperatorChar(c)) {
            vlApplyOperator(c, stack);
            ++i;
        } else if (c == u'%') {
            const QChar m = i < postfix.size() ? postfix.at(i).toUpper() : QChar();
            if (m == u'D')
                mode = Mode::Date;
            else if (m == u'T')
                mode = Mode::Time;
            i += 2;
        } else if (c == u'[') {
            int from = i;
            int end = i;
            const QString name = ReadBracketedName(postfix, from, end);
            Variant value;
            if (OnGetValue)
                OnGetValue(name, value);
            stack.append(value);
            i = end + 1;
        } else if (c == u'\'') {
            const QString text = unquote(ReadQuotedString(postfix, i));
            if (mode == Mode::Date)
                stack.append(vlDateLiteral(text));
            else if (mode == Mode::Time)
                stack.append(vlTimeLiteral(text));
            else
                stack.append(Variant(text));
            mode = Mode::None;
        } else {
            const int before = i;
            const QString ident = ReadIdentifier(postfix, i);
            if (i == before) {
                ++i;
                continue;
            }
            const QChar lead = ident.at(0);
            if (lead.isDigit() || lead == u',' || lead == u'.') {
                stack.append(Variant(vlNumberLiteral(ident)));
            } else {
                Variant value;
                if (OnGetValue)
                    OnGetValue(ident.toUpper(), value);
                stack.append(value);
            }
        }
    }
    return stack.isEmpty() ? Variant() : stack.first();
}

Variant TvlParser::Calculate(const QString &expression)
{
    return EvaluatePostfix(ConvertToPostfix(expression));
}
