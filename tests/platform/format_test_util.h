#pragma once
#include <QString>
#include <gtest/gtest.h>

// Expected texts write the non-breaking thousand separator as "_".
inline QString nb(const char *text)
{
    return QString::fromUtf8(text).replace(QLatin1Char('_'), QChar(0x00A0));
}

// Compares texts as UTF-8 so that a failure shows them readably.
#define EXPECT_TEXT(actual, expected) EXPECT_EQ(QString(actual).toStdString(), QString(expected).toStdString())
