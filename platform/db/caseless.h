#pragma once
// "Contains, ignoring case" as the program states it, in the client's filters
// and in the statements the server narrows with: the value and the text are
// both folded by Qt's case folding, one character for one. The database's
// func_HLEDANY_TEXT folds every character the same way, so the server's
//   func_HLEDANY_TEXT(value) LIKE CaselessContainsPattern(text)
// holds for exactly the values the client's test keeps.
#include <QString>

namespace Db {

inline QString CaseFolded(const QString &text)
{
    return text.toCaseFolded();
}

// The folded text anywhere in a value, as a LIKE pattern that takes the
// text's own wildcards and backslashes literally.
inline QString CaselessContainsPattern(const QString &text)
{
    QString folded = CaseFolded(text);
    folded.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'%', QStringLiteral("\\%"))
        .replace(u'_', QStringLiteral("\\_"));
    return u'%' + folded + u'%';
}

} // namespace Db
