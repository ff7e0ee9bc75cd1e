#pragma once
// A look at the compound file around an .xls workbook before the reading
// library opens it. The library takes the length of a directory entry's name
// as the file states it and converts that many bytes from its sector buffer
// on the stack: a damaged length makes it read far past the buffer, up to
// the end of the stack. In a sound file a name never takes more than the 64
// bytes its entry holds.
#include <QByteArray>

namespace CompoundDirectory {
// False when an entry of the directory sector the library reads states a
// name longer than its entry holds. Other damage is left to the library,
// which reports it.
bool namesFitTheirEntries(const QByteArray &bytes);
} // namespace CompoundDirectory
