#pragma once
// What a key press of the X window system types, worked out from the key's
// symbols and the modifier state the press carries, for the few presses the
// program takes over before the toolkit sees them (blockedkeys.h).
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

struct TypedKey
{
    int key = 0; // Qt::Key
    QString text;
    bool operator==(const TypedKey &other) const { return key == other.key && text == other.text; }
};

// symbols: the key code's symbols as the server's keyboard map lists them
// (first group: plain, shifted, ...); state: the press's modifier bits.
// Nothing for a key that neither types a character nor edits a line, and for
// one pressed with Ctrl or Alt (a command, not typing).
std::optional<TypedKey> X11TypedKey(const std::vector<uint32_t> &symbols, uint16_t state);
