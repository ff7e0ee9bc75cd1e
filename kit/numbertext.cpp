#include "kit/numbertext.h"

#include <charconv>
#include <limits>
#include <string>

namespace NumberText {

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Appends a sign and digits to `out`; false when no digit follows.
bool takeSignedDigits(QStringView text, qsizetype &i, std::string &out, bool allowSeparator,
                      QChar separator)
{
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        if (text[i] == QLatin1Char('-'))
            out += '-';
        ++i;
    }
    bool digits = false, separatorSeen = false;
    for (; i < text.size(); ++i) {
        if (isDigit(text[i])) {
            out += char(text[i].unicode());
            digits = true;
        } else if (allowSeparator && !separatorSeen && text[i] == separator) {
            out += '.';
            separatorSeen = true;
        } else {
            break;
        }
    }
    return digits;
}

} // namespace

std::optional<long double> toExtended(QStringView text, QChar decimalSeparator)
{
    text = text.trimmed();
    std::string plain;
    qsizetype i = 0;
    if (!takeSignedDigits(text, i, plain, true, decimalSeparator))
        return std::nullopt;
    if (i < text.size() && (text[i] == QLatin1Char('E') || text[i] == QLatin1Char('e'))) {
        plain += 'e';
        ++i;
        if (!takeSignedDigits(text, i, plain, false, decimalSeparator))
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    if (plain.front() == '.' || (plain.size() > 1 && plain[0] == '-' && plain[1] == '.'))
        plain.insert(plain.front() == '-' ? 1 : 0, "0");
    long double value = 0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (result.ec != std::errc() || result.ptr != plain.data() + plain.size())
        return std::nullopt;
    return value;
}

std::optional<int> toInteger(QStringView text)
{
    text = text.trimmed();
    std::string plain;
    qsizetype i = 0;
    if (!takeSignedDigits(text, i, plain, false, QChar()) || i != text.size())
        return std::nullopt;
    long long value = 0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (result.ec != std::errc() || value < std::numeric_limits<int>::min()
        || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(value);
}

} // namespace NumberText

namespace NumberText {

QString candidateText(const QString &text, int selectionStart, int selectionLength, int caret,
                      KeyAction action, QChar typed)
{
    QString result = text;
    if (selectionLength > 0) {
        result.remove(selectionStart, selectionLength);
        caret = selectionStart;
        if (action == KeyAction::Type)
            result.insert(caret, typed);
        return result;
    }
    switch (action) {
    case KeyAction::Type: result.insert(caret, typed); break;
    case KeyAction::Backspace:
        if (caret > 0)
            result.remove(caret - 1, 1);
        break;
    case KeyAction::Delete:
        if (caret < result.size())
            result.remove(caret, 1);
        break;
    }
    return result;
}

} // namespace NumberText

#include <QKeyEvent>
#include <QLineEdit>

namespace NumberText {

KeyCandidate classifyKey(const QKeyEvent &event, const QLineEdit &edit)
{
    KeyCandidate key;
    const int start = edit.hasSelectedText() ? edit.selectionStart() : edit.cursorPosition();
    const int length = edit.hasSelectedText() ? int(edit.selectedText().size()) : 0;
    auto candidate = [&](KeyAction action, QChar c = QChar()) {
        return candidateText(edit.text(), start, length, edit.cursorPosition(), action, c);
    };
    const Qt::KeyboardModifiers mods = event.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: key.kind = KeyCandidate::Enter; return key;
    case Qt::Key_Backspace:
        key.kind = KeyCandidate::Backspace;
        key.candidate = candidate(KeyAction::Backspace);
        return key;
    case Qt::Key_Delete:
        if (mods != Qt::NoModifier)
            return key; // Shift+Delete cuts, Ctrl+Delete deletes a word: left to the edit
        key.kind = KeyCandidate::Delete;
        key.candidate = candidate(KeyAction::Delete);
        return key;
    default: break;
    }
    const QString text = event.text();
    if (text.size() == 1 && text[0].isPrint() && !(mods & (Qt::ControlModifier | Qt::AltModifier))) {
        key.kind = KeyCandidate::Typed;
        key.typed = text[0];
        key.candidate = candidate(KeyAction::Type, key.typed);
    }
    return key;
}

} // namespace NumberText
