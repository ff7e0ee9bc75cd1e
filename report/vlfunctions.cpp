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

double TvlStdFunctionLibrary::StoredNumber(double value)
{
    if (!std::isfinite(value))
        return 0;
    const double magnitude = std::fabs(value);
    if (magnitude >= 1e15)
        return vlTextToDouble(NumberText(value));
    // From 2^13 on neighbouring doubles lie more than twice the text's last
    // decimal apart, so the text reads back as the very same double.
    if (magnitude >= 8192)
        return value;
    // Below, the text is the value rounded to twelve decimals, halves away
    // from zero; worked out exactly from the double's bits.
    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent);
    const auto mantissa = quint64(std::ldexp(fraction, 53)); // magnitude = mantissa * 2^(exponent - 53)
    const int shift = 53 - exponent;                         // at least 40 here
    if (mantissa == 0 || shift >= 128)
        return 0;
    using Wide = unsigned __int128;
    const Wide scaled = Wide(mantissa) * 1000000000000ULL;
    quint64 units = quint64(scaled >> shift);
    if (scaled - (Wide(units) << shift) >= (Wide(1) << (shift - 1)))
        ++units;
    if (units == 0)
        return 0; // "-0" reads as 0
    const double rounded = double(units) / 1e12;
    return value < 0 ? -rounded : rounded;
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
        const double value = fno == fnCount || vlIsNoNumber(field) ? 0.0 : field.toDouble();
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

    const QString suffix = m_context->CrossSuffix();
    TvlAggregateStore &store = footer->AggregateValues();
    TvlAggregateStore::Entry *entry = store.Find(fno, argument, suffix);

    if (footer->Visible()) {
        // The footer prints: the accumulated number. Nothing added gives 0, so
        // arithmetic after an aggregate still has its operand.
        if (!entry)
            return QStringLiteral("0");
        if (fno != fnAvg)
            return NumberText(entry->Number);
        const int records = footer->RecordCount();
        return records > 0 ? NumberText(entry->Number / records) : QStringLiteral("0");
    }

    if (!printing || (flagArgument.trimmed() != u"1" && !printing->Visible()))
        return QStringLiteral("0");
    QString bandName = bandArgument.trimmed();
    if (bandName.isEmpty())
        bandName = footer->DefaultBandName();
    if (bandName.isEmpty())
        bandName = printing->Name();
    if (printing->Name().compare(bandName, Qt::CaseInsensitive) != 0)
        return QStringLiteral("0");
    if (entry && entry->Counted)
        return QStringLiteral("0"); // this record is already in

    double value = 0;
    if (fno != fnCount) {
        const Variant v = m_context->Calculate(argument);
        value = vlIsNoNumber(v) ? 0.0 : v.toDouble();
    }
    double total = entry ? entry->Number : fno == fnMin ? 1e200 : fno == fnMax ? -1e200 : 0.0;
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
    total = StoredNumber(total);
    if (entry) {
        entry->Number = total;
        entry->Counted = true;
    } else {
        store.Add(fno, argument, suffix, total);
    }
    return QStringLiteral("0");
}

// --- TvlAggregateStore -----------------------------------------------------

TvlAggregateStore::Entry *TvlAggregateStore::Find(int function, QStringView argument, QStringView suffix)
{
    for (Entry &entry : m_entries)
        if (entry.Function == function && entry.Key.size() == argument.size() + suffix.size() &&
            QStringView(entry.Key).startsWith(argument) && QStringView(entry.Key).endsWith(suffix))
            return &entry;
    return nullptr;
}

void TvlAggregateStore::Add(int function, const QString &argument, const QString &suffix, double number)
{
    m_entries.push_back(Entry{function, argument + suffix, number, true});
}

void TvlAggregateStore::StartRecord()
{
    for (Entry &entry : m_entries)
        entry.Counted = false;
}

bool TvlAggregateStore::AnyCounted() const
{
    return std::any_of(m_entries.cbegin(), m_entries.cend(), [](const Entry &entry) { return entry.Counted; });
}
