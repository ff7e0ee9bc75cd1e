#pragma once
// The names the preview screen gives the shop's reports: its three datasets
// over the main window's current rows and its variables, as bracket
// expressions of the layouts.
#include <QString>

inline const QString DocumentSet = QStringLiteral("vlDBDataSet_Doklad");
inline const QString LineSet = QStringLiteral("vlDBDataSet_DokladDetail");
inline const QString ItemSet = QStringLiteral("vlDBDataSet_Polozka");
inline const QString RateSet = QStringLiteral("vlDBDataSet_DokladDph");

// A field of the current document ("Dataset.Field" without brackets, for use
// inside expressions) and the same in brackets, as memo text.
inline QString docRef(const char *field)
{
    return DocumentSet + u'.' + QLatin1String(field);
}
inline QString doc(const char *field)
{
    return u'[' + docRef(field) + u']';
}
// A field of a document line, in the band that runs over the lines.
inline QString line(const char *field)
{
    return u'[' + LineSet + u'.' + QLatin1String(field) + u']';
}

// A VAT rate of the current document, in the band that runs over its rates.
inline QString rate(const char *field)
{
    return u'[' + RateSet + u'.' + QLatin1String(field) + u']';
}

// The document's time is the text "YYYY-MM-DD HH:MM:SS"; the day as d.m.yyyy
// without leading zeros, and the time as HH:MM.
inline QString documentDate()
{
    const QString time = u'[' + docRef("CAS") + u']';
    return QStringLiteral("[INT(COPY(%1, 9, 2))].[INT(COPY(%1, 6, 2))].[COPY(%1, 1, 4)]").arg(time);
}
inline QString documentTime()
{
    return QStringLiteral("[COPY([%1], 12, 5)]").arg(docRef("CAS"));
}
