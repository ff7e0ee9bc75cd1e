#pragma once
// Small string, folder and cursor routines the kit's components share.
// Positions count from 1, as the callers' stored texts were written that way.
#include <QCursor>
#include <QString>
#include <stdexcept>

// An error the kit raises for the caller to report.
class EKitError : public std::runtime_error
{
public:
    explicit EKitError(const QString &message)
        : std::runtime_error(message.toStdString())
    {}
    QString message() const { return QString::fromUtf8(what()); }
};

// Replaces every occurrence left to right; the inserted text is never searched
// again. An empty Search changes nothing.
QString ReplaceAll(const QString &S, const QString &Search, const QString &Replacement);
QString RemoveChar(const QString &S, QChar C);
// Blanks only (" "), not other white space.
QString TrimLeadingBlanks(const QString &S);
QString TrimTrailingBlanks(const QString &S);
QString TrimBlanks(const QString &S);
QString RepeatChar(QChar C, int N);

// Words are maximal runs of characters not in Delimiters; empty runs do not count.
int CountWords(const QString &S, const QString &Delimiters);
int WordStart(int N, const QString &S, const QString &Delimiters);
QString WordAt(int N, const QString &S, const QString &Delimiters);

// Each UTF-8 byte of S XORed with the key's bytes in turn, as two lower-case
// hexadecimal digits. Obfuscation only, not protection.
QString XorHexEncode(const QString &Key, const QString &S);
// The reverse; a pair that is not hexadecimal gives a blank before the XOR.
QString XorHexDecode(const QString &Key, const QString &Hex);

bool DirectoryExists(const QString &Name);
// Creates the folder with every missing parent; true when it exists afterwards.
// An empty name raises EKitError "Unable to create directory".
bool CreateDirectoryPath(const QString &Dir);

// The kit's two cursor numbers and the shapes that stand for them.
inline constexpr int crKxHand = 14000;
inline constexpr int crKxDrag = 14001;
QCursor KxCursor(int number);

// Passes an error raised inside an event handler to the user, as the
// application's exception handler would, instead of letting it unwind Qt.
void HandleKitException(const std::exception &error);
