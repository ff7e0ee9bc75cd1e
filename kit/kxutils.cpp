#include "kit/kxutils.h"

#include "platform/messages.h"

#include <QDir>
#include <QFileInfo>

QString ReplaceAll(const QString &S, const QString &Search, const QString &Replacement)
{
    if (Search.isEmpty())
        return S;
    QString result;
    qsizetype from = 0;
    for (qsizetype at = S.indexOf(Search); at >= 0; at = S.indexOf(Search, from)) {
        result += S.mid(from, at - from);
        result += Replacement;
        from = at + Search.size();
    }
    result += S.mid(from);
    return result;
}

QString RemoveChar(const QString &S, QChar C)
{
    QString result = S;
    result.remove(C);
    return result;
}

QString TrimLeadingBlanks(const QString &S)
{
    qsizetype i = 0;
    while (i < S.size() && S.at(i) == QLatin1Char(' '))
        ++i;
    return S.mid(i);
}

QString TrimTrailingBlanks(const QString &S)
{
    qsizetype n = S.size();
    while (n > 0 && S.at(n - 1) == QLatin1Char(' '))
        --n;
    return S.left(n);
}

QString TrimBlanks(const QString &S)
{
    return TrimTrailingBlanks(TrimLeadingBlanks(S));
}

QString RepeatChar(QChar C, int N)
{
    return N < 1 ? QString() : QString(N, C);
}

namespace {

// Calls visit(start, length) for each word (start from 0) until it returns false.
template <typename Visit>
void forEachWord(const QString &S, const QString &Delimiters, Visit visit)
{
    qsizetype i = 0;
    while (i < S.size()) {
        while (i < S.size() && Delimiters.contains(S.at(i)))
            ++i;
        if (i >= S.size())
            return;
        const qsizetype start = i;
        while (i < S.size() && !Delimiters.contains(S.at(i)))
            ++i;
        if (!visit(start, i - start))
            return;
    }
}

} // namespace

int CountWords(const QString &S, const QString &Delimiters)
{
    int count = 0;
    forEachWord(S, Delimiters, [&](qsizetype, qsizetype) {
        ++count;
        return true;
    });
    return count;
}

int WordStart(int N, const QString &S, const QString &Delimiters)
{
    int position = 0;
    int index = 0;
    forEachWord(S, Delimiters, [&](qsizetype start, qsizetype) {
        if (++index < N)
            return true;
        position = int(start) + 1;
        return false;
    });
    return N < 1 ? 0 : position;
}

QString WordAt(int N, const QString &S, const QString &Delimiters)
{
    QString word;
    int index = 0;
    if (N < 1)
        return word;
    forEachWord(S, Delimiters, [&](qsizetype start, qsizetype length) {
        if (++index < N)
            return true;
        word = S.mid(start, length);
        return false;
    });
    return word;
}

QString XorHexEncode(const QString &Key, const QString &S)
{
    const QByteArray key = Key.toUtf8();
    const QByteArray bytes = S.toUtf8();
    QByteArray mixed(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        mixed[i] = key.isEmpty() ? bytes[i] : char(bytes[i] ^ key[i % key.size()]);
    return QString::fromLatin1(mixed.toHex());
}

QString XorHexDecode(const QString &Key, const QString &Hex)
{
    const QByteArray key = Key.toUtf8();
    QByteArray bytes;
    for (qsizetype pair = 0; pair < Hex.size() / 2; ++pair) {
        bool ok = false;
        int value = Hex.mid(pair * 2, 2).toInt(&ok, 16);
        if (!ok || Hex.at(pair * 2) == QLatin1Char('-') || Hex.at(pair * 2) == QLatin1Char('+'))
            value = 32;
        if (!key.isEmpty())
            value ^= quint8(key[pair % key.size()]);
        bytes.append(char(value));
    }
    return QString::fromUtf8(bytes);
}

bool DirectoryExists(const QString &Name)
{
    return !Name.isEmpty() && QFileInfo(Name).isDir();
}

bool CreateDirectoryPath(const QString &Dir)
{
    if (Dir.isEmpty())
        throw EKitError(QStringLiteral("Unable to create directory"));
    QString name = QDir::cleanPath(QDir(Dir).absolutePath());
    if (DirectoryExists(name))
        return true;
    const QString parent = QFileInfo(name).absolutePath();
    if (parent == name) // the root
        return true;
    return CreateDirectoryPath(parent) && QDir().mkdir(name);
}

QCursor KxCursor(int number)
{
    switch (number) {
    case crKxHand:
        return QCursor(Qt::PointingHandCursor);
    case crKxDrag:
        return QCursor(Qt::ClosedHandCursor);
    default:
        return QCursor(Qt::ArrowCursor);
    }
}

void HandleKitException(const std::exception &error)
{
    ShowWarning(QStringLiteral("Chyba"), QString::fromUtf8(error.what()));
}
