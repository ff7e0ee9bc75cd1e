#pragma once
#include <QString>
#include <ostream>

// Expected texts write the non-breaking thousand separator as "_".
inline QString nb(const char *text)
{
    return QString::fromUtf8(text).replace(QLatin1Char('_'), QChar(0x00A0));
}

// Failed comparisons show the texts, with the non-breaking space as "_".
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << QString(text).replace(QChar(0x00A0), QLatin1Char('_')).toStdString() << '"';
}
