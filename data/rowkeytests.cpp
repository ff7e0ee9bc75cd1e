// Writing out the marks of a list's key tests for each of its reads.
#include "data/rowkeytests.h"

namespace {

const QLatin1String KeysMark("@KLICE");
const QLatin1String WholeListMark("@CELY_SEZNAM");
const QLatin1String KeysParameter(":KLICE");
const QLatin1String WholeList("CAST(:KLICE AS integer[]) IS NULL");

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

// Whether the name stands at `at`, whole.
bool nameAt(const QString &text, qsizetype at, QLatin1String name)
{
    const qsizetype end = at + name.size();
    return QStringView(text).mid(at, name.size()).compare(name, Qt::CaseInsensitive) == 0 &&
           (end >= text.size() || !isWordChar(text[end]));
}

// Where the quoted text or comment starting at `at` ends (past it), or `at`
// when none starts there.
qsizetype skipQuotedOrComment(const QString &text, qsizetype at)
{
    const QChar c = text[at];
    const QChar next = at + 1 < text.size() ? text[at + 1] : QChar();
    qsizetype end = -1;
    if (c == u'\'' || c == u'"') {
        end = text.indexOf(c, at + 1);
        end = end < 0 ? text.size() : end + 1;
    } else if (c == u'-' && next == u'-') {
        end = text.indexOf(u'\n', at);
    } else if (c == u'/' && next == u'*') {
        end = text.indexOf(QLatin1String("*/"), at + 2);
        end = end < 0 ? -1 : end + 2;
    } else {
        return at;
    }
    return end < 0 ? text.size() : end;
}

// The end (past the closing parenthesis) of the parenthesised text from
// `open`, or -1 when it is not closed.
qsizetype closingParenthesis(const QString &text, qsizetype open)
{
    int depth = 0;
    for (qsizetype i = open; i < text.size();) {
        const qsizetype skipped = skipQuotedOrComment(text, i);
        if (skipped != i) {
            i = skipped;
            continue;
        }
        if (text[i] == u'(')
            ++depth;
        else if (text[i] == u')' && --depth == 0)
            return i + 1;
        ++i;
    }
    return -1;
}

QString keyTest(const QString &key, RowKeysRead read)
{
    switch (read) {
    case RowKeysRead::WholeList:
        return QStringLiteral("(%1 OR %2 = ANY(:KLICE))").arg(WholeList, key);
    case RowKeysRead::Keys:
        return key + QStringLiteral(" = ANY(:KLICE)");
    case RowKeysRead::OneKey:
        return key + QStringLiteral(" = (CAST(:KLICE AS integer[]))[1]");
    }
    return QString();
}

} // namespace

StatedRowKeys StateRowKeyTests(const QString &text, RowKeysRead read)
{
    StatedRowKeys stated;
    stated.text.reserve(text.size() + 256);
    qsizetype i = 0, copied = 0;
    auto writeOut = [&](qsizetype end, const QString &replacement) {
        stated.text += QStringView(text).mid(copied, i - copied);
        stated.text += replacement;
        copied = i = end;
        ++stated.marks;
    };
    while (i < text.size()) {
        const qsizetype skipped = skipQuotedOrComment(text, i);
        if (skipped != i) {
            i = skipped;
        } else if (nameAt(text, i, WholeListMark)) {
            writeOut(i + WholeListMark.size(),
                     read == RowKeysRead::WholeList ? QString(WholeList) : QStringLiteral("false"));
        } else if (nameAt(text, i, KeysMark)) {
            qsizetype open = i + KeysMark.size();
            while (open < text.size() && text[open].isSpace())
                ++open;
            const qsizetype end = open < text.size() && text[open] == u'(' ? closingParenthesis(text, open) : -1;
            if (end < 0) { // left for the server to refuse
                i += KeysMark.size();
                continue;
            }
            writeOut(end, keyTest(text.mid(open + 1, end - open - 2).trimmed(), read));
        } else {
            if (nameAt(text, i, KeysParameter) && (i == 0 || text[i - 1] != u':'))
                stated.keysNamedAside = true;
            ++i;
        }
    }
    stated.text += QStringView(text).mid(copied);
    return stated;
}
