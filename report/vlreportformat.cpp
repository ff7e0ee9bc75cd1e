// Value texts of report objects: the display formats and the format part
// of bracket expressions.
#include "platform/formatdate.h"
#include "platform/formatnumber.h"
#include "report/vlreport.h"

#include <algorithm>

namespace {

const char *const datePictures[] = {"mm.dd.yy", "mm.dd.yyyy", "d mmm yyyy", "d mmmm yyyy"};
const char *const timePictures[] = {"hh:nn:ss", "h:nn:ss", "hh:nn", "h:nn"};
const char *const booleanPairs[] = {"0;1", "Ne;Ano", "_;x", "Nepravda;Pravda"};

qint32 packFormat(int kind, int index, int decimals, QChar separator)
{
    return (kind << 24) | ((index & 0xFF) << 16) | ((decimals & 0xFF) << 8) | (separator.unicode() & 0xFF);
}

QString numberText(double value, int index, int decimals, const QString &custom, const FormatSettings &settings)
{
    switch (index) {
    case 0:
        return FormatFloat(QStringLiteral("###.##"), value, settings);
    case 1: {
        // Fixed point: the digits as they stand, the separator of the format.
        QString text = QString::number(value, 'f', std::clamp(decimals, 0, 18));
        if (text.startsWith(u'-') &&
            std::all_of(text.cbegin() + 1, text.cend(), [](QChar c) { return c == u'0' || c == u'.'; }))
            text.remove(0, 1); // no minus before a zero
        if (decimals > 0)
            text[text.size() - decimals - 1] = settings.DecimalSeparator;
        return text;
    }
    case 2:
        return FormatFloat(QStringLiteral("#,###.##"), value, settings);
    case 3:
        return FormatFloat(QStringLiteral("#,##0") + (decimals > 0 ? u'.' + QString(decimals, u'0') : QString()), value,
                           settings);
    default:
        return FormatFloat(custom, value, settings);
    }
}

bool isNonZero(const Variant &value)
{
    if (value.type() == Variant::Type::Bool)
        return value.boolValue();
    return value.toDouble() != 0;
}

} // namespace

QString vlFormatViewValue(const Variant &value, qint32 format, const QString &formatText)
{
    if (value.isEmpty())
        return QStringLiteral(" ");
    const int index = vlFormatIndex(format);
    try {
        switch (vlFormatKind(format)) {
        case fkNumber: {
            // The settings hold some forty texts: copied only when the separator differs.
            const FormatSettings &czech = czechFormatSettings();
            const QChar separator = vlFormatSeparator(format);
            if (separator.isNull() || separator == czech.DecimalSeparator)
                return numberText(value.toDouble(), index, vlFormatDecimals(format), formatText, czech);
            FormatSettings settings = czech;
            settings.DecimalSeparator = separator;
            return numberText(value.toDouble(), index, vlFormatDecimals(format), formatText, settings);
        }
        case fkDate:
        case fkTime: {
            const auto &pictures = vlFormatKind(format) == fkDate ? datePictures : timePictures;
            const QString picture = index < 4 ? QString::fromLatin1(pictures[index]) : formatText;
            return FormatDateTime(picture, value.toDateTime());
        }
        case fkBoolean: {
            const QString pair = index < 4 ? QString::fromUtf8(booleanPairs[index]) : formatText;
            const int semicolon = int(pair.indexOf(u';'));
            if (semicolon < 0)
                return pair;
            return isNonZero(value) ? pair.mid(semicolon + 1) : pair.left(semicolon);
        }
        default:
            return value.toString();
        }
    } catch (const std::exception &) {
        return value.toString(); // a text that is no number or date shows as it is
    }
}

bool vlParseFormatSuffix(const QString &suffixText, qint32 &format, QString &formatText)
{
    QString suffix = suffixText;
    if (suffix.isEmpty())
        return false;
    if (suffix.at(0).isDigit())
        suffix.prepend(u'N');
    const QChar kind = suffix.at(0).toUpper();
    if (kind == u'N') {
        int separatorAt = -1;
        for (int i = int(suffix.size()) - 1; i >= 1 && separatorAt < 0; --i)
            if (suffix.at(i) == u',' || suffix.at(i) == u'-' || suffix.at(i) == u'.')
                separatorAt = i;
        QChar separator = vlFormatSeparator(format);
        if (separatorAt >= 1) {
            separator = suffix.at(separatorAt);
            suffix[separatorAt] = u'.';
        }
        if (suffix.size() > 1 && suffix.at(1).isDigit()) {
            const int decimals = separatorAt >= 1 ? suffix.mid(separatorAt + 1).toInt() : 0;
            format = packFormat(fkNumber, 1, std::clamp(decimals, 0, 255), separator);
        } else {
            format = packFormat(fkNumber, 4, 0, separator);
            formatText = suffix.mid(1);
        }
        return true;
    }
    if (kind == u'D' || kind == u'T') {
        format = packFormat(fkDate, 4, 0, vlFormatSeparator(format));
        formatText = suffix.mid(1);
        return true;
    }
    if (kind == u'B') {
        format = packFormat(fkBoolean, 4, 0, vlFormatSeparator(format));
        formatText = suffix.mid(1);
        return true;
    }
    return false;
}
