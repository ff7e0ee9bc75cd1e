#include "platform/db/sqlparameters.h"

namespace Db {

namespace {

bool isNameStart(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

// Index just past a literal that starts at i with the quote character q;
// a doubled quote stands for itself, and in E'' texts a backslash escapes.
int skipQuoted(const QString &s, int i, QChar q, bool backslashEscapes)
{
    const int n = int(s.size());
    ++i;
    while (i < n) {
        if (backslashEscapes && s[i] == u'\\') {
            i += 2;
            continue;
        }
        if (s[i] == q) {
            if (i + 1 < n && s[i + 1] == q) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return n;
}

// $tag$ ... $tag$: returns the end, or -1 when s[i] does not open such a body.
int skipDollarQuoted(const QString &s, int i)
{
    const int n = int(s.size());
    int j = i + 1;
    while (j < n && isNameChar(s[j]) && !(j == i + 1 && s[j].isDigit()))
        ++j;
    if (j >= n || s[j] != u'$')
        return -1;
    const QString tag = s.mid(i, j - i + 1);
    const int close = int(s.indexOf(tag, j + 1));
    return close < 0 ? n : close + int(tag.size());
}

int skipBlockComment(const QString &s, int i)
{
    const int n = int(s.size());
    int depth = 0;
    while (i < n) {
        if (s[i] == u'/' && i + 1 < n && s[i + 1] == u'*') {
            ++depth;
            i += 2;
        } else if (s[i] == u'*' && i + 1 < n && s[i + 1] == u'/') {
            i += 2;
            if (--depth == 0)
                return i;
        } else {
            ++i;
        }
    }
    return n;
}

} // namespace

TranslatedSql TranslateParameters(const QString &sql)
{
    TranslatedSql out;
    const int n = int(sql.size());
    out.sql.reserve(n);
    int i = 0;
    auto copyTo = [&](int end) {
        out.sql += QStringView(sql).mid(i, end - i);
        i = end;
    };
    while (i < n) {
        const QChar c = sql[i];
        const QChar next = i + 1 < n ? sql[i + 1] : QChar();
        if (c == u'\'') {
            const bool escapes =
                i > 0 && (sql[i - 1] == u'E' || sql[i - 1] == u'e') && (i < 2 || !isNameChar(sql[i - 2]));
            copyTo(skipQuoted(sql, i, c, escapes));
        } else if (c == u'"') {
            copyTo(skipQuoted(sql, i, c, false));
        } else if (c == u'-' && next == u'-') {
            const int eol = int(sql.indexOf(u'\n', i));
            copyTo(eol < 0 ? n : eol);
        } else if (c == u'/' && next == u'*') {
            copyTo(skipBlockComment(sql, i));
        } else if (c == u'$' && (i == 0 || !isNameChar(sql[i - 1])) && skipDollarQuoted(sql, i) >= 0) {
            copyTo(skipDollarQuoted(sql, i));
        } else if (c == u':' && next == u':') {
            copyTo(i + 2);
        } else if (c == u':' && isNameStart(next)) {
            int end = i + 1;
            while (end < n && isNameChar(sql[end]))
                ++end;
            const QString name = sql.mid(i + 1, end - i - 1);
            int index = -1;
            for (int k = 0; k < out.names.size(); ++k) {
                if (out.names[k].compare(name, Qt::CaseInsensitive) == 0) {
                    index = k;
                    break;
                }
            }
            if (index < 0) {
                out.names << name;
                index = int(out.names.size()) - 1;
            }
            out.sql += u'$' + QString::number(index + 1);
            i = end;
        } else {
            out.sql += c;
            ++i;
        }
    }
    return out;
}

} // namespace Db
