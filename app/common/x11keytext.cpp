#include "app/common/x11keytext.h"

#include "platform/cp1250.h"

#include <QChar>

namespace {

constexpr uint16_t kShift = 0x01, kLock = 0x02, kControl = 0x04, kAlt = 0x08;

// The legacy Latin-2 symbols 0x1A1..0x1BF (those above follow the code page
// of the shop's files byte for byte).
constexpr char16_t kLatin2Low[] = u"Ą˘Ł¤ĽŚ§¨ŠŞŤŹ\u00ADŽŻ°ą˛ł´ľśˇ¸šşťź˝žż";

char32_t characterOf(uint32_t symbol)
{
    if ((symbol >= 0x20 && symbol <= 0x7E) || (symbol >= 0xA0 && symbol <= 0xFF))
        return symbol;
    if (symbol >= 0x1A1 && symbol <= 0x1BF)
        return kLatin2Low[symbol - 0x1A1];
    if (symbol >= 0x1C0 && symbol <= 0x1FF)
        return Cp1250::toUnicode(static_cast<unsigned char>(symbol & 0xFF));
    if (symbol >= 0x1000100 && symbol <= 0x110FFFF)
        return symbol & 0xFFFFFF;
    if (symbol >= 0xFFB0 && symbol <= 0xFFB9) // the keypad's digits
        return U'0' + (symbol - 0xFFB0);
    return 0;
}

int editingKey(uint32_t symbol)
{
    switch (symbol) {
    case 0xFF0D:
        return Qt::Key_Return;
    case 0xFF8D:
        return Qt::Key_Enter;
    case 0xFF1B:
        return Qt::Key_Escape;
    case 0xFF08:
        return Qt::Key_Backspace;
    case 0xFF09:
        return Qt::Key_Tab;
    case 0xFFFF:
        return Qt::Key_Delete;
    case 0xFF50:
        return Qt::Key_Home;
    case 0xFF51:
        return Qt::Key_Left;
    case 0xFF52:
        return Qt::Key_Up;
    case 0xFF53:
        return Qt::Key_Right;
    case 0xFF54:
        return Qt::Key_Down;
    case 0xFF57:
        return Qt::Key_End;
    default:
        return 0;
    }
}

} // namespace

std::optional<TypedKey> X11TypedKey(const std::vector<uint32_t> &symbols, uint16_t state)
{
    if (symbols.empty() || (state & (kControl | kAlt)))
        return std::nullopt;
    // A key with one symbol has a letter's two cases on it; with two, Shift
    // chooses and Caps Lock only raises letters.
    const bool pair = symbols.size() > 1 && symbols[1] && symbols[1] != symbols[0];
    const bool shift = state & kShift;
    const bool lock = state & kLock;
    const uint32_t symbol = pair && shift ? symbols[1] : symbols[0];
    if (const int key = editingKey(symbol))
        return TypedKey{key, {}};
    char32_t c = characterOf(symbol);
    if (!c)
        return std::nullopt;
    if (QChar::isLetter(c) && (pair ? lock && !shift : shift != lock))
        c = QChar::toUpper(c);
    const QString text = QString::fromUcs4(&c, 1);
    int key = Qt::Key_unknown;
    if (c < 0x80 && QChar::isLetterOrNumber(c))
        key = int(QChar::toUpper(c));
    return TypedKey{key, text};
}
