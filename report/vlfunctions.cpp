#include "report/vlfunctions.h"

#include "platform/formatdate.h"
#include "platform/formatnumber.h"
#include "platform/formatsettings.h"
#include "report/vloperators.h"

#include <algorithm>
#include <cmath>

// --- TvlFunctionLibrary ----------------------------------------------------

bool TvlFunctionLibrary::OnFunction(const QString &name, const Variant &p1, const Variant &p2, const Variant &p3,
                                    QString &val)
{
    const auto it = std::lower_bound(List.cbegin(), List.cend(), name);
    if (it == List.cend() || *it != name)
        return false;
    DoFunction(int(it - List.cbegin()), p1, p2, p3, val);
    return true;
}

void TvlFunctionLibrary::DoFunction(int, const Variant &, const Variant &, const Variant &, QString &) {}

// --- TvlStdFunctionLibrary -------------------------------------------------

TvlStdFunctionLibrary::TvlStdFunctionLibrary(TvlFunctionContext *context)
    : m_context(context)
{
    List = {QStringLiteral("AVG"),         QStringLiteral("COUNT"),     QStringLiteral("FORMATDATETIME"),
            QStringLiteral("FORMATFLOAT"), QStringLiteral("INPUT"),     QStringLiteral("LOWERCASE"),
            QStringLiteral("MAX"),         QStringLiteral("MIN"),       QStringLiteral("NAMECASE"),
            QStringLiteral("STRTODATE"),   QStringLiteral("STRTOTIME"), QStringLiteral("SUM"),
            QStringLiteral("UPPERCASE")};
}

bool TvlStdFunctionLibrary::IsFooterBand(int bandType)
{
    switch (bandType) {
    case 1:
    case 3:
    case 6:
    case 9:
    case 12:
    case 17:
    case 20:
        return true;
    default:
        return false;
    }
}

QString TvlStdFunctionLibrary::NumberText(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    if (std::fabs(value) >= 1e15) // exponent without a sign the parser would split
        return QString::number(value, 'g', 15).replace(QStringLiteral("e+"), QStringLiteral("E"));
    QString text = QString::number(value, 'f', 12);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    if (text == u"-0")
        text = QStringLiteral("0");
    return text.replace(u'.', czechFormatSettings().DecimalSeparator);
}

namespace {
QString quoted(const QString &text)
{
    return u'\'' + text + u'\'';
}
} // namespace

void TvlStdFunctionLibrary::DoFunction(int fno, const Variant &p1, const Variant &p2, const Variant &p3, QString &val)
{
    const QString a1 = p1.toString();
    const QString a2 = p2.toString();
    const QString a3 = p3.toString();
    auto text = [this](const QString &argument) { return m_context->Calculate(argument).toString(); };
    switch (fno) {
    case fnFormatDateTime:
        val = quoted(FormatDateTime(text(a1), m_context->Calculate(a2).toDouble()));
        break;
    case fnFormatFloat:
        val = quoted(FormatFloat(text(a1), m_context->Calculate(a2).toDouble()));
        break;
    case fnInput:
        val = quoted(m_context->Input(text(a1), text(a2)));
        break;
    case fnLowerCase:
        val = quoted(text(a1).toLower());
        break;
    case fnUpperCase:
        val = quoted(text(a1).toUpper());
        break;
    case fnNameCase: {
        QString s = text(a1).toLower();
        if (!s.isEmpty())
            s[0] = s.at(0).toUpper();
        val = quoted(s);
        break;
    }
    case fnStrToDate:
        val = QStringLiteral("%d") + quoted(text(a1));
        break;
    case fnStrToTime:
        val = QStringLiteral("%t") + quoted(text(a1));
        break;
    case fnCount:
        val = aggregate(fno, a1, a1, a2);
        break;
    default: // SUM, MIN, MAX, AVG
        val = aggregate(fno, a1, a2, a3);
        break;
    }
}

QString TvlStdFunctionLibrary::directAggregate(int fno, const QString &argument, bool *found)
{
    double minimum = 1e200, maximum = -1e200, sum = 0;
    qint64 count = 0;
    *found = m_context->WalkDataset(argument.trimmed(), fno == fnCount, [&](const Variant &field) {
        const double value = fno == fnCount || field.isNull() || field.isUnassigned() ? 0.0 : field.toDouble();
        minimum = std::min(minimum, value);
        maximum = std::max(maximum, value);
        sum += value;
        ++count;
    });
    if (count == 0) // no records: zero, not the search sentinels
        return QStringLiteral("0");
    switch (fno) {
    case fnSum:
        return NumberText(sum);
    case fnMin:
        return NumberText(minimum);
    case fnMax:
        return NumberText(maximum);
    case fnAvg:
        return NumberText(sum / double(count));
    default:
        return NumberText(double(count));
    }
}

QString TvlStdFunctionLibrary::aggregate(int fno, const QString &argument, const QString &bandArgument,
                                         const QString &flagArgument)
{
    TvlAggregateBand *footer = m_context->AggregatingBand();
    TvlAggregateBand *printing = m_context->PrintingBand();

    if (footer && footer->Visible()) {
        bool found = false;
        const QString direct = directAggregate(fno, argument, &found);
        if (found)
            return direct;
    }
    if (!footer || !IsFooterBand(footer->BandType()))
        return QStringLiteral("0");

    QString bandName = bandArgument.trimmed();
    if (bandName.isEmpty())
        bandName = footer->DefaultBandName();
    if (bandName.isEmpty() && printing)
        bandName = printing->Name();
    const QString flag = flagArgument.trimmed();
    const QString key = List.at(fno) + argument + m_context->CrossSuffix();
    QStringList &values = footer->AggregateValues();
    const QString prefix = key + u'=';
    int index = -1;
    for (int i = 0; i < values.size(); ++i)
        if (values.at(i).startsWith(prefix)) {
            index = i;
            break;
        }
    const QString stored = index >= 0 ? values.at(index).mid(prefix.size()) : QString();

    if (footer->Visible()) {
        // The footer prints: the accumulated number. Nothing added gives 0, so
        // arithmetic after an aggregate still has its operand.
        const QString number = stored.mid(1);
        if (number.isEmpty())
            return QStringLiteral("0");
        if (fno != fnAvg)
            return number;
        const int records = footer->RecordCount();
        return records > 0 ? NumberText(vlTextToDouble(number) / records) : QStringLiteral("0");
    }

    if (!printing || (flag != u"1" && !printing->Visible()))
        return QStringLiteral("0");
    if (printing->Name().compare(bandName, Qt::CaseInsensitive) != 0)
        return QStringLiteral("0");
    if (stored.startsWith(u'1'))
        return QStringLiteral("0"); // this record is already in

    double value = 0;
    if (fno != fnCount) {
        const Variant v = m_context->Calculate(argument);
        value = v.isNull() || v.isUnassigned() ? 0.0 : v.toDouble();
    }
    double total = fno == fnMin ? 1e200 : fno == fnMax ? -1e200 : 0.0;
    if (stored.size() > 1)
        total = vlTextToDouble(stored.mid(1));
    switch (fno) {
    case fnMin:
        total = std::min(total, value);
        break;
    case fnMax:
        total = std::max(total, value);
        break;
    case fnCount:
        total += 1;
        break;
    default:
        total += value;
        break;
    }
    const QString entry = prefix + u'1' + NumberText(total);
    if (index >= 0)
        values[index] = entry;
    else
        values.append(entry);
    return QStringLiteral("0");
}
