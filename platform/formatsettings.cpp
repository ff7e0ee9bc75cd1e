#include "platform/formatsettings.h"

namespace {

FormatSettings makeCzech()
{
    FormatSettings s;
    s.DecimalSeparator = QLatin1Char(',');
    s.ThousandSeparator = QChar(0x00A0);
    s.DateSeparator = QLatin1Char('.');
    s.TimeSeparator = QLatin1Char(':');
    s.CurrencyString = QStringLiteral("Kč");
    s.CurrencyFormat = 3;
    s.NegCurrFormat = 8;
    s.CurrencyDecimals = 2;
    s.ShortDateFormat = QStringLiteral("d.M.yyyy");
    s.LongDateFormat = QStringLiteral("d. MMMM yyyy");
    s.ShortTimeFormat = QStringLiteral("H:mm");
    s.LongTimeFormat = QStringLiteral("H:mm:ss");
    s.TimeAMString = QStringLiteral("dop.");
    s.TimePMString = QStringLiteral("odp.");
    s.ShortMonthNames = {"led", "úno", "bře", "dub", "kvě", "čvn", "čvc", "srp", "zář", "říj", "lis", "pro"};
    s.LongMonthNames = {"leden",    "únor",  "březen", "duben", "květen",   "červen",
                        "červenec", "srpen", "září",   "říjen", "listopad", "prosinec"};
    s.ShortDayNames = {"ne", "po", "út", "st", "čt", "pá", "so"};
    s.LongDayNames = {"neděle", "pondělí", "úterý", "středa", "čtvrtek", "pátek", "sobota"};
    s.TwoDigitYearCenturyWindow = 50;
    return s;
}

} // namespace

const FormatSettings &czechFormatSettings()
{
    static const FormatSettings settings = makeCzech();
    return settings;
}
