#pragma once
// Reading numbers typed into the kit's number edits: the classic rules, with
// the decimal separator given, so nothing depends on the machine's locale.
#include <QString>
#include <QStringView>

#include <optional>

namespace NumberText {

// Surrounding blanks, an optional sign, digits with at most one decimal
// separator (at least one digit in all), then optionally "E" or "e", an
// optional sign and at least one digit: "12", "-1,5", ",5", "1,", "2E-3".
std::optional<long double> toExtended(QStringView text, QChar decimalSeparator);

// A whole decimal number that fits 32 bits, with an optional sign.
std::optional<int> toInteger(QStringView text);

} // namespace NumberText

namespace NumberText {

// What a key would do to the text of an edit.
enum class KeyAction { Type, Backspace, Delete };

// The text that would result from the key: the selection replaced by the
// typed character, or deleted; without a selection Backspace removes the
// character before the caret and Delete the one after it.
QString candidateText(const QString &text, int selectionStart, int selectionLength, int caret,
                      KeyAction action, QChar typed = QChar());

} // namespace NumberText

class QKeyEvent;
class QLineEdit;

namespace NumberText {

// A key press as the number filters see it.
struct KeyCandidate
{
    enum Kind { Other, Typed, Backspace, Delete, Enter };
    Kind kind = Other;
    QChar typed;       // the character of a Typed key
    QString candidate; // the text the key would leave in the edit
};

KeyCandidate classifyKey(const QKeyEvent &event, const QLineEdit &edit);

} // namespace NumberText
