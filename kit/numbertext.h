#pragma once
// The text a key would leave in one of the kit's number edits, which the edits
// check before they let the key through, and the guard that checks pastes.
#include <QString>

#include <functional>

class QKeyEvent;
class QLineEdit;

namespace NumberText {

// What a key would do to the text of an edit.
enum class KeyAction { Type, Backspace, Delete };

// The text that would result from the key: the selection replaced by the
// typed character, or deleted; without a selection Backspace removes the
// character before the caret and Delete the one after it.
QString candidateText(const QString &text, int selectionStart, int selectionLength, int caret, KeyAction action,
                      QChar typed = QChar());

// A key press as the number filters see it.
struct KeyCandidate
{
    enum Kind { Other, Typed, Backspace, Delete, Enter };
    Kind kind = Other;
    QChar typed;       // the character of a Typed key
    QString candidate; // the text the key would leave in the edit
};

KeyCandidate classifyKey(const QKeyEvent &event, const QLineEdit &edit);

// Lets a paste (keys or context menu) into the edit through only when the
// text it would leave passes `accepts`; a refused paste changes nothing and
// calls `refused` (by default a beep). Text cannot be dropped into the edit.
// Typed keys are the edit's own business.
void guardPaste(QLineEdit *edit, std::function<bool(const QString &candidate)> accepts,
                std::function<void()> refused = {});

} // namespace NumberText
