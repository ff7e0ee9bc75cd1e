#pragma once
// Settings that number, date and time texts are made and read with. The program
// always works with the Czech values below, fixed in code, so that a text never
// depends on the locale of the machine it runs on. A copy can be changed where a
// caller needs another separator (the report engine's per-object decimal
// separator, for instance).
#include <QChar>
#include <QString>
#include <array>

struct FormatSettings
{
    QChar DecimalSeparator;
    QChar ThousandSeparator;
    QChar DateSeparator;
    QChar TimeSeparator;
    QString CurrencyString;
    // 0 "Kč1", 1 "1Kč", 2 "Kč 1", 3 "1 Kč"
    int CurrencyFormat = 3;
    // 0 "(Kč1)" … 8 "-1 Kč" … 15 "(1 Kč)", as the classic framework numbers them
    int NegCurrFormat = 8;
    int CurrencyDecimals = 2;
    QString ShortDateFormat;
    QString LongDateFormat;
    QString ShortTimeFormat;
    QString LongTimeFormat;
    QString TimeAMString;
    QString TimePMString;
    // Index 0 is January.
    std::array<QString, 12> ShortMonthNames;
    std::array<QString, 12> LongMonthNames;
    // Index 0 is Sunday.
    std::array<QString, 7> ShortDayNames;
    std::array<QString, 7> LongDayNames;
    // Two-digit years are placed in the hundred years starting this many years
    // before the current one.
    int TwoDigitYearCenturyWindow = 50;
};

// The Czech settings: decimal comma, non-breaking space between thousands,
// "Kč" after the amount, dates "d.M.yyyy", times "H:mm:ss".
const FormatSettings &czechFormatSettings();
