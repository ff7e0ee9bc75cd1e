#pragma once
#include <QString>

// Expected texts write the non-breaking thousand separator as "_".
inline QString nb(const char *text)
{
    return QString::fromUtf8(text).replace(QLatin1Char('_'), QChar(0x00A0));
}
