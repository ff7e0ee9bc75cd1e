#pragma once
// A text that cannot be turned into a number, date or time, or a format whose
// directives do not fit its arguments.
#include <QString>
#include <stdexcept>

class ConvertError : public std::runtime_error
{
public:
    explicit ConvertError(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};
