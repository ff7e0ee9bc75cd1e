#include "platform/db/servererror.h"

namespace Db {

namespace {
// What our procedures raise their own errors with.
const QString UserErrorState = QStringLiteral("50000");
} // namespace

bool ServerError::lockNotAvailable() const
{
    return sqlState == u"55P03";
}

bool ServerError::connectionLost() const
{
    // Class 08 (connection exceptions) and the server ending the session
    // (57P01 administrator command, 57P02 crash, 57P03 cannot connect now).
    return sqlState.startsWith(QLatin1String("08")) || sqlState.startsWith(QLatin1String("57P0"));
}

QString ServerError::line() const
{
    QString text = message;
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    if (sqlState.isEmpty())
        return text; // refused on the client side: no number to show
    // The code as the server gave it: "01000" is not "1000".
    text = QStringLiteral("%1 [%2]").arg(text, sqlState);
    const QString why = detail.trimmed();
    if (why.isEmpty() || sqlState != UserErrorState)
        return text;
    return text + u'\n' + why;
}

DatabaseError::DatabaseError(const ServerError &error)
    : std::runtime_error(error.line().toStdString())
    , m_error(error)
{}

DatabaseError::DatabaseError(const QString &message)
    : DatabaseError(ServerError{message, QString()})
{}

} // namespace Db
