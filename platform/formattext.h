#pragma once
// Format(fmt, {args}) as the classic routine: "%" [index ":"] ["-"] [width]
// ["." precision] type, with "*" taking a width, precision or index from the
// arguments, and "%%" a percent sign. Types: d (integer, precision = minimum
// digits), u (unsigned), x (upper-case hexadecimal), e f g n m (number in
// exponent, fixed, general, thousands-grouped or currency form; for f, n and m
// the precision is the number of decimals), s (text, precision = maximum
// length). A directive that does not fit its argument throws ConvertError.
//
//   Format("%s [%d]", {message, code})
//   Format("%.4d-%.2d-%.2d", {year, month, day})
//   Format("%d [ celkem: %m ]", {rows, total})
#include "platform/currency.h"
#include "platform/formaterror.h"
#include "platform/formatsettings.h"

#include <QString>
#include <initializer_list>

class FormatArg
{
public:
    enum class Kind { Integer, Float, Money, Text };

    FormatArg(int v)
        : m_kind(Kind::Integer)
        , m_integer(v)
    {}
    FormatArg(unsigned v)
        : m_kind(Kind::Integer)
        , m_integer(v)
    {}
    FormatArg(long v)
        : m_kind(Kind::Integer)
        , m_integer(v)
        , m_wide(true)
    {}
    FormatArg(unsigned long v)
        : m_kind(Kind::Integer)
        , m_integer(qint64(v))
        , m_wide(true)
    {}
    FormatArg(long long v)
        : m_kind(Kind::Integer)
        , m_integer(v)
        , m_wide(true)
    {}
    FormatArg(unsigned long long v)
        : m_kind(Kind::Integer)
        , m_integer(qint64(v))
        , m_wide(true)
    {}
    FormatArg(double v)
        : m_kind(Kind::Float)
        , m_float(v)
    {}
    FormatArg(Currency v)
        : m_kind(Kind::Money)
        , m_money(v)
    {}
    FormatArg(const QString &v)
        : m_kind(Kind::Text)
        , m_text(v)
    {}
    FormatArg(QStringView v)
        : m_kind(Kind::Text)
        , m_text(v.toString())
    {}
    FormatArg(QLatin1StringView v)
        : m_kind(Kind::Text)
        , m_text(v)
    {}
    FormatArg(const char *v)
        : m_kind(Kind::Text)
        , m_text(QString::fromUtf8(v))
    {}
    FormatArg(QChar v)
        : m_kind(Kind::Text)
        , m_text(v)
    {}
    FormatArg(char v)
        : m_kind(Kind::Text)
        , m_text(QChar::fromLatin1(v))
    {}
    FormatArg(bool) = delete;

    Kind kind() const { return m_kind; }
    qint64 integer() const { return m_integer; }
    // Came from a 64-bit type: hexadecimal and unsigned forms use 64 bits.
    bool wide() const { return m_wide; }
    double floating() const { return m_float; }
    Currency money() const { return m_money; }
    const QString &text() const { return m_text; }

private:
    Kind m_kind;
    qint64 m_integer = 0;
    bool m_wide = false;
    double m_float = 0;
    Currency m_money;
    QString m_text;
};

QString Format(const QString &format, std::initializer_list<FormatArg> args,
               const FormatSettings &settings = czechFormatSettings());
