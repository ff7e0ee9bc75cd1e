// Reading routines of the expression texts. Positions are 1-based.
#include "report/vlparser.h"

QString vlQuotedExpression(const QString &expression, int length)
{
    if (expression.size() <= length)
        return expression;
    return expression.left(length) + u'…';
}

namespace vlText {

namespace {
QChar at(const QString &text, int pos)
{
    return pos >= 1 && pos <= text.size() ? text.at(pos - 1) : QChar();
}
} // namespace

QString ReadBracketedName(const QString &text, int &start, int &pos)
{
    bool inDouble = false;
    bool inSingle = false;
    int depth = 0;
    for (pos = start; pos <= text.size(); ++pos) {
        const QChar c = at(text, pos);
        if (c == u'"' && !inSingle)
            inDouble = !inDouble;
        else if (c == u'\'' && !inDouble)
            inSingle = !inSingle;
        else if (!inDouble && !inSingle) {
            if (c == u'[')
                ++depth;
            else if (c == u']' && --depth == 0)
                return text.mid(start, pos - start - 1);
        }
    }
    throw TvlParserError("Výraz: chybí uzavírací závorka \"]\" v \"" +
                         vlQuotedExpression(text.mid(start - 1)).toStdString() + "\"");
}

QString ReadIdentifier(const QString &text, int &pos)
{
    while (at(text, pos) == u' ')
        ++pos;
    const int begin = pos;
    int quotes = 0;
    for (; pos <= text.size(); ++pos) {
        const QChar c = at(text, pos);
        if (c == u'"')
            ++quotes;
        if (quotes % 2 == 0 && (c == u' ' || QStringView(u"()*+-/<=>").contains(c)))
            break;
    }
    return text.mid(begin - 1, pos - begin);
}

QString ReadQuotedString(const QString &text, int &pos)
{
    const int begin = pos;
    for (++pos; pos <= text.size(); ++pos) {
        if (at(text, pos) != u'\'')
            continue;
        if (at(text, pos + 1) == u'\'') {
            ++pos; // a doubled quote stands for one
            continue;
        }
        ++pos;
        return text.mid(begin - 1, pos - begin);
    }
    throw TvlParserError("Výraz: neukončený text " + vlQuotedExpression(text.mid(begin - 1)).toStdString());
}

void SplitCallArguments(const QString &text, int &pos, QString &a1, QString &a2, QString &a3)
{
    QString *args[3] = {&a1, &a2, &a3};
    for (QString *a : args)
        a->clear();
    int index = 0;
    int depth = 0;
    bool inQuote = false;
    for (; pos <= text.size(); ++pos) {
        const QChar c = at(text, pos);
        if (c == u'\'')
            inQuote = !inQuote;
        if (!inQuote) {
            if (c == u'(') {
                if (++depth == 1)
                    continue;
            } else if (c == u')') {
                if (--depth == 0) {
                    ++pos;
                    return;
                }
            } else if (c == u',' && depth == 1) {
                ++index;
                continue;
            }
        }
        if (index < 3)
            args[index]->append(c);
    }
    throw TvlParserError("Výraz: chybí uzavírací závorka \")\" v \"" + vlQuotedExpression(text).toStdString() + "\"");
}

bool IsOperatorChar(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 1 && u <= 14 && u != 8) || QStringView(u"*+-/<=>").contains(c);
}

int OperatorPriority(QChar c)
{
    switch (c.unicode()) {
    case 1:
    case 2:
    case 3:
    case '>':
    case '<':
    case '=':
        return 3;
    case 4:
    case 5:
    case '*':
    case '/':
    case 13:
    case 12:
        return 1;
    case '+':
    case '-':
    case 9:
    case 10:
        return 2;
    case '(':
        return 5;
    case ')':
        return 4;
    default:
        return 0;
    }
}

void EscapeQuotes(QString &s)
{
    if (s.size() <= 2 || s.at(0) != u'\'')
        return;
    QString result(s.at(0));
    for (int i = 1; i < s.size() - 1; ++i) {
        result += s.at(i);
        if (s.at(i) == u'\'')
            result += u'\'';
    }
    result += s.back();
    s = result;
}

} // namespace vlText
