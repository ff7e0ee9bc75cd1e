#include "platform/formatnumber.h"

#include "platform/formatfloat.h"

#include <QStringList>
#include <algorithm>
#include <vector>

namespace {

// Beyond this many integer digits a picture gives up and the general form is used.
constexpr int kMaxPictureIntegerDigits = 18;
constexpr int kMaxScientificDigits = 18;
constexpr int kMaxExponentDigits = 4;

struct Token
{
    enum Kind { Literal, IntegerDigit, Point, FractionDigit, Exponent } kind;
    QString text;  // literal text; the exponent letter
    int index = 0; // placeholder number from the left
};

struct Picture
{
    std::vector<Token> tokens;
    int integerPlaceholders = 0;
    int forcedInteger = 0; // integer digits always shown ("0" and what follows it)
    int fractionPlaceholders = 0;
    int forcedFraction = 0; // decimals up to the last "0"
    bool thousands = false;
    bool scientific = false;
    bool exponentSignAlways = false;
    int exponentDigits = 0;
};

QStringList splitSections(const QString &picture)
{
    QStringList sections{QString()};
    QChar quote;
    for (const QChar c : picture) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            if (sections.size() == 3)
                break;
            sections.append(QString());
            continue;
        }
        sections.last() += c;
    }
    return sections;
}

void addLiteral(Picture &p, const QString &text)
{
    if (!p.tokens.empty() && p.tokens.back().kind == Token::Literal)
        p.tokens.back().text += text;
    else
        p.tokens.push_back({Token::Literal, text});
}

Picture scanSection(const QString &section)
{
    Picture p;
    int firstZero = -1;
    bool point = false;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const qsizetype end = section.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? section.size() : end;
            addLiteral(p, section.mid(i + 1, stop - i - 1));
            i = stop;
        } else if ((c == QLatin1Char('0') || c == QLatin1Char('#')) && !p.scientific) {
            if (!point) {
                if (c == QLatin1Char('0') && firstZero < 0)
                    firstZero = p.integerPlaceholders;
                p.tokens.push_back({Token::IntegerDigit, {}, p.integerPlaceholders++});
            } else {
                p.tokens.push_back({Token::FractionDigit, {}, p.fractionPlaceholders++});
                if (c == QLatin1Char('0'))
                    p.forcedFraction = p.fractionPlaceholders;
            }
        } else if (c == QLatin1Char('.') && !p.scientific) {
            if (!point)
                p.tokens.push_back({Token::Point, {}});
            point = true;
        } else if (c == QLatin1Char(',') && !p.scientific) {
            p.thousands = true;
        } else if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && !p.scientific && i + 1 < section.size() &&
                   (section[i + 1] == QLatin1Char('+') || section[i + 1] == QLatin1Char('-'))) {
            p.scientific = true;
            p.exponentSignAlways = section[i + 1] == QLatin1Char('+');
            i += 2;
            while (i < section.size() && section[i] == QLatin1Char('0')) {
                ++p.exponentDigits;
                ++i;
            }
            --i;
            p.tokens.push_back({Token::Exponent, QString(c)});
        } else if (p.scientific && (c == QLatin1Char('0') || c == QLatin1Char('#'))) {
            // Placeholders after the exponent have no digit left to show.
        } else {
            addLiteral(p, QString(c));
        }
    }
    p.forcedInteger = firstZero < 0 ? 0 : p.integerPlaceholders - firstZero;
    p.exponentDigits = std::min(p.exponentDigits, kMaxExponentDigits);
    return p;
}

// Digits to show in the integer and fraction places, and the exponent.
struct Filling
{
    QString integer;
    QString fraction;
    QString exponent;
};

Filling fillFixed(const Picture &p, const DecimalDigits &value)
{
    Filling f;
    f.integer = QString::fromStdString(value.integerText());
    if (f.integer.size() < p.forcedInteger)
        f.integer.prepend(QString(p.forcedInteger - f.integer.size(), QLatin1Char('0')));
    f.fraction = QString::fromStdString(value.fractionText());
    if (f.fraction.size() < p.forcedFraction)
        f.fraction.append(QString(p.forcedFraction - f.fraction.size(), QLatin1Char('0')));
    return f;
}

Filling fillScientific(const Picture &p, const DecimalDigits &value)
{
    Filling f;
    const int whole = p.integerPlaceholders;
    int power = 0;
    if (value.isZero()) {
        f.integer = whole > 0 ? QStringLiteral("0") : QString();
    } else {
        std::string digits = value.digits;
        if (int(digits.size()) < whole)
            digits.append(size_t(whole) - digits.size(), '0');
        f.integer = QString::fromStdString(digits.substr(0, size_t(whole)));
        f.fraction = QString::fromStdString(digits.substr(size_t(whole)));
        power = value.exponent - whole;
    }
    if (f.fraction.size() < p.forcedFraction)
        f.fraction.append(QString(p.forcedFraction - f.fraction.size(), QLatin1Char('0')));
    QString digits = QString::number(std::abs(power));
    if (digits.size() < p.exponentDigits)
        digits.prepend(QString(p.exponentDigits - digits.size(), QLatin1Char('0')));
    if (power < 0)
        f.exponent = QLatin1Char('-') + digits;
    else
        f.exponent = (p.exponentSignAlways ? QStringLiteral("+") : QString()) + digits;
    return f;
}

QString render(const Picture &p, const Filling &f, const FormatSettings &s)
{
    QString out;
    const qsizetype length = f.integer.size();
    const bool thousands = p.thousands && !p.scientific;
    bool integerStarted = false;
    // Writes the integer digits standing at places `from` down to `to`
    // (place 0 is just left of the decimal point).
    auto putIntegerDigits = [&](qsizetype from, qsizetype to) {
        for (qsizetype place = from; place >= to; --place) {
            if (place >= length)
                continue;
            out += f.integer[length - 1 - place];
            if (thousands && place > 0 && place % 3 == 0)
                out += s.ThousandSeparator;
        }
    };
    auto startInteger = [&](qsizetype place) {
        if (integerStarted)
            return;
        integerStarted = true;
        // Digits beyond the placeholders all go where the first one stands.
        putIntegerDigits(std::max(length - 1, place), place);
    };
    for (const Token &t : p.tokens) {
        switch (t.kind) {
        case Token::Literal:
            out += t.text;
            break;
        case Token::IntegerDigit: {
            const qsizetype place = p.integerPlaceholders - 1 - t.index;
            if (!integerStarted)
                startInteger(place);
            else
                putIntegerDigits(place, place);
            break;
        }
        case Token::Point:
            startInteger(0);
            if (!f.fraction.isEmpty())
                out += s.DecimalSeparator;
            break;
        case Token::FractionDigit:
            if (t.index < f.fraction.size())
                out += f.fraction[t.index];
            break;
        case Token::Exponent:
            startInteger(0);
            out += t.text + f.exponent;
            break;
        }
    }
    return out;
}

QString formatSection(const Picture &p, DecimalDigits value, const FormatSettings &s)
{
    return render(p, p.scientific ? fillScientific(p, value) : fillFixed(p, value), s);
}

DecimalDigits roundFor(const Picture &p, DecimalDigits value)
{
    if (p.scientific)
        value.roundToSignificant(std::clamp(p.integerPlaceholders + p.fractionPlaceholders, 1, kMaxScientificDigits));
    else
        value.roundToDecimals(p.fractionPlaceholders);
    return value;
}

} // namespace

QString FormatDecimal(const QString &picture, const DecimalDigits &value, int generalPrecision,
                      const FormatSettings &settings)
{
    if (picture.isEmpty() || !value.isFinite())
        return DecimalToText(value, ffGeneral, generalPrecision, 0, settings);
    const QStringList sections = splitSections(picture);
    auto section = [&](int index) {
        return index < sections.size() && !sections[index].isEmpty() ? sections[index] : sections[0];
    };
    if (!value.isZero()) {
        const int index = value.negative ? 1 : 0;
        const Picture p = scanSection(section(index));
        if (!p.scientific && value.exponent > kMaxPictureIntegerDigits)
            return DecimalToText(value, ffGeneral, generalPrecision, 0, settings);
        DecimalDigits rounded = roundFor(p, value);
        // A value that rounds to nothing is shown as zero, never as "-0".
        if (!rounded.isZero()) {
            // Without a section of its own a negative value gets a leading minus.
            const bool minus = value.negative && (sections.size() < 2 || sections[1].isEmpty());
            rounded.negative = false;
            const QString text = formatSection(p, rounded, settings);
            return minus ? QLatin1Char('-') + text : text;
        }
    }
    return formatSection(scanSection(section(2)), DecimalDigits(), settings);
}

QString FormatFloat(const QString &picture, double value, const FormatSettings &settings)
{
    return FormatDecimal(picture, DecimalDigits::fromDoubleCleaned(value), 15, settings);
}
