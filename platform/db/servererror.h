#pragma once
// One error the server (or the client library) reported for a statement.
#include <QString>
#include <stdexcept>

namespace Db {

struct ServerError
{
    QString message;  // primary message, trailing blanks removed
    QString sqlState; // five characters; "08006" when the connection was lost

    // "%s [%d]": the message and the error's number. User errors of our
    // procedures carry SQLSTATE 50000; other SQLSTATEs are not numeric and
    // stand in the number's place as they are.
    QString line() const;
};

// Raised by dataset operations that the caller cannot go on from
// (opening, re-querying, posting); carries the first error.
class DatabaseError : public std::runtime_error
{
public:
    explicit DatabaseError(const ServerError &error);
    explicit DatabaseError(const QString &message);
    const ServerError &error() const { return m_error; }
    QString text() const { return m_error.line(); }

private:
    ServerError m_error;
};

} // namespace Db
