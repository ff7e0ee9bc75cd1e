// Users and their rights. Users are the server's login roles in the
// database's group; a password reaches the server only as a SCRAM verifier
// made here, never as plain text in SQL or in the server's log.
#include "data/dm.h"
#include "data/dmprocedures.h"

#include <libpq-fe.h>

namespace {

QString scramVerifier(Db::Connection &connection, const QString &login, const QString &password)
{
    if (!connection.handle())
        return QString();
    char *verifier = PQencryptPasswordConn(connection.handle(), password.toUtf8().constData(),
                                           login.toUtf8().constData(), "scram-sha-256");
    if (!verifier)
        return QString();
    const QString text = QString::fromUtf8(verifier);
    PQfreemem(verifier);
    return text;
}

} // namespace

int TDM::UserCount()
{
    return int(m_call->returnValue(DMProc::uzivatel_COUNT).toInt());
}

bool TDM::UserExists(const QString &user)
{
    return nameTaken(user, DMProc::uzivatel_func_USER_EXIST, {{"@USER", user}});
}

QString TDM::UserCaption(int id, bool withCaption)
{
    return caption(QStringLiteral("Uživatel (%s (ID: %d))"), DMProc::uzivatel_func_USER, QStringLiteral("@ID_USER"), id,
                   withCaption);
}

bool TDM::NewUser(const QString &login, const QString &password)
{
    return listInsert(MSSQLADOQuery_Uzivatel, QStringLiteral("ID_UZIVATEL"), [&](int &id) {
        return m_call->returnId(DMProc::uzivatel_NOVY_UZIVATEL,
                                {{"@LOGIN", login}, {"@HESLO", scramVerifier(connection(), login, password)}}, id);
    });
}

// The server cannot check an old password it only knows as a verifier: the
// old password must open a session of the user before the new one is set.
bool TDM::ChangeUserPassword(const QString &login, const QString &oldPassword, const QString &newPassword)
{
    return listWrite(MSSQLADOQuery_Uzivatel, QStringLiteral("ID_UZIVATEL"), [&] {
        Db::Connection check;
        if (!check.open(connection().server(), connection().database(), login, oldPassword)) {
            connection().setErrors(check.errors());
            return false;
        }
        check.close();
        return m_call->returnBool(DMProc::uzivatel_HESLO_UZIVATEL,
                                  {{"@LOGIN", login},
                                   {"@HESLO_STARE", QString()},
                                   {"@HESLO_NOVE", scramVerifier(connection(), login, newPassword)}});
    });
}

bool TDM::RemoveUser(const QString &login)
{
    return listWrite(MSSQLADOQuery_Uzivatel, QStringLiteral("ID_UZIVATEL"), [&] {
        return m_call->returnBool(DMProc::uzivatel_ODEBRAT_UZIVATELE, {{"@LOGIN", login}});
    });
}

bool TDM::HasRight(int right)
{
    return m_call->returnValue(DMProc::tab_uzivatel_opravneni_OPRAVNENI, {{"@ID_OPRAVNENI", right}}).toBool();
}
