#include "report/vlformats.h"

namespace {

// Per kind, five entries by format index: what the dialog shows.
const char *const formatNames[vlFormatKindCount][5] = {
    {"[Žádný]", "", "", "", ""},
    {"1234,5", "1234,50", "1 234,5", "1 234,50", "Dle přání"},
    {"11.15.98", "11.15.1998", "15 list 1998", "15 září 1998", "Dle přání"},
    {"02:43:35", "2:43:35", "02:43", "2:43", "Dle přání"},
    {"0;1", "Ne;Ano", "_;x", "Nepravda;Pravda", "Dle přání"},
};

// The pictures of the four predefined formats of each kind.
const char *const formatPictures[vlFormatKindCount][4] = {
    {"", "", "", ""},
    {"1234,5", "1234,50", "1 234,5", "1 234,50"},
    {"mm.dd.yy", "mm.dd.yyyy", "d mmm yyyy", "d mmmm yyyy"},
    {"hh:nn:ss", "h:nn:ss", "hh:nn", "h:nn"},
    {"0;1", "Ne;Ano", "_;x", "Nepravda;Pravda"},
};

qint32 setBits(qint32 format, int shift, int mask, int value)
{
    const quint32 word = quint32(format) & ~(quint32(mask) << shift);
    return qint32(word | (quint32(value & mask) << shift));
}

} // namespace

const QStringList &vlFormatKindNames()
{
    static const QStringList names = {"Text", "Číslo", "Datum", "Čas", "Boolen"};
    return names;
}

QStringList vlFormatNames(int kind)
{
    QStringList names;
    if (kind < 0 || kind >= vlFormatKindCount)
        return names;
    for (const char *name : formatNames[kind])
        if (*name)
            names << QString::fromUtf8(name);
    return names;
}

QString vlFormatPicture(int kind, int index)
{
    if (kind < 0 || kind >= vlFormatKindCount || index < 0 || index >= vlCustomFormatIndex)
        return {};
    return QString::fromUtf8(formatPictures[kind][index]);
}

qint32 vlSetFormatKind(qint32 format, int kind)
{
    return setBits(format, 24, 0x0F, kind);
}

qint32 vlSetFormatIndex(qint32 format, int index)
{
    return setBits(format, 16, 0xFF, index);
}

qint32 vlSetFormatDecimals(qint32 format, int decimals)
{
    return setBits(format, 8, 0xFF, decimals);
}

qint32 vlSetFormatSeparator(qint32 format, QChar separator)
{
    return setBits(format, 0, 0xFF, separator.unicode());
}

qint32 vlMakeFormat(int kind, int index, int decimals, QChar separator)
{
    return vlSetFormatSeparator(vlSetFormatDecimals(vlSetFormatIndex(vlSetFormatKind(0, kind), index), decimals),
                                separator);
}
