#pragma once
// A list that reads the rows of some keys after a write states its tests of
// the keys in its statement by two marks, which each read writes out:
//   @KLICE(expression)  the row whose key the expression gives is read
//   @CELY_SEZNAM        the whole list is read
// The whole list leaves :KLICE NULL; the rows of some keys compare with the
// array in it; the row of one key compares with one value, so that the
// session keeps one plan that finds the row by its key. No spelling of the
// statement decides which test a read gets.
#include <QString>

enum class RowKeysRead { WholeList, Keys, OneKey };

struct StatedRowKeys
{
    QString text;
    int marks = 0;               // marks written out
    bool keysNamedAside = false; // :KLICE also named outside the marks
};

// The text with its marks written out for the read; quoted texts and comments
// stand as they are.
StatedRowKeys StateRowKeyTests(const QString &text, RowKeysRead read);
