#pragma once
// One error the server (or the client library) reported for a statement.
#include <QString>
#include <stdexcept>
#include <utility>

namespace Db {

struct ServerError
{
    ServerError() = default;
    ServerError(QString message, QString sqlState, QString detail = QString())
        : message(std::move(message))
        , sqlState(std::move(sqlState))
        , detail(std::move(detail))
    {}

    QString message;  // primary message, trailing blanks removed
    QString sqlState; // five characters; "08006" when the connection was lost
    QString detail;   // the server's detail lines, empty when it gave none

    // "%s [%s]": the message and the error's code (SQLSTATE) as the server
    // gave it, leading zeros kept. User errors of our procedures carry
    // 50000. A user error's detail (why, and of what, in Czech) follows on
    // lines of its own; the server's own errors keep their details to
    // themselves.
    QString line() const;
    // A lock the statement asked for without waiting (or within its lock
    // timeout) was held by another session.
    bool lockNotAvailable() const;
    // The server session ended under the statement (or was gone before it):
    // what the session held, its transaction too, is gone.
    bool connectionLost() const;
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
