// What a press of the X window system types, from its key's symbols and modifiers.
#include "app/common/x11keytext.h"

#include <gtest/gtest.h>

namespace {

QString typed(std::vector<uint32_t> symbols, uint16_t state = 0)
{
    const auto key = X11TypedKey(symbols, state);
    return key ? key->text : QStringLiteral("(none)");
}

constexpr uint16_t kShift = 1, kLock = 2, kControl = 4, kAlt = 8;

TEST(X11TypedKey, ShiftCapsLockAndTheKindsOfSymbolsACzechKeyboardSends)
{
    EXPECT_EQ(typed({'a', 'A'}, kShift) + typed({'a', 'A'}, kLock) + typed({'8', '*'}, kLock), QStringLiteral("AA8"));
    // A key given one letter alone; Latin-1; the legacy Latin-2 symbols; Unicode.
    EXPECT_EQ(typed({0x1000161}, kShift) + typed({0x1000160, 0x1000160}), QStringLiteral("ŠŠ"));
    EXPECT_EQ(typed({0xE1, 0xC1}) + typed({0x1B9, 0x1A9}, kShift) + typed({0x1BE}) + typed({0x1BB, 0x1AB}, kShift) +
                  typed({0x1EC}) + typed({0x1F9, 0x1D9}, kShift) + typed({0x1E8}) + typed({0x1EF}) + typed({0x10020AC}),
              QStringLiteral("áŠžŤěŮčď€"));
}

TEST(X11TypedKey, KeysThatEditOrCommand)
{
    EXPECT_EQ(typed({0xFFB7}), QStringLiteral("7")); // the keypad's 7
    EXPECT_EQ(X11TypedKey({0xFF0D}, 0)->key, int(Qt::Key_Return));
    EXPECT_EQ(X11TypedKey({'a', 'A'}, 0)->key, int(Qt::Key_A));
    for (const auto &[symbol, state] : std::vector<std::pair<uint32_t, uint16_t>>{
             {'a', kControl}, {'a', kAlt}, {0xFFC2, 0} /* F5 */, {0xFFE1, 0} /* Shift */})
        EXPECT_EQ(typed({symbol}, state), QStringLiteral("(none)")) << symbol;
    EXPECT_EQ(typed({}), QStringLiteral("(none)"));
}

} // namespace
