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

// Why the old password did not open a session, in Czech; the server's own
// words follow when it was not the password itself.
void reportOldPasswordRefused(Db::Connection &connection, const QList<Db::ServerError> &errors)
{
    const QString text = errors.isEmpty() ? QString() : errors.first().message;
    if (text.contains(QLatin1String("password authentication failed")))
        connection.reportError(QStringLiteral("Původní heslo není správné."), QStringLiteral("50000"));
    else
        connection.reportError(QStringLiteral("Původní heslo se nepodařilo ověřit: ") + text,
                               errors.isEmpty() ? QString() : errors.first().sqlState);
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

// The server cannot check an old password it only knows as a verifier: a
// user changing his own password opens a session with the old one first.
// Another user's password is set without it; the server allows that only to
// the owner and superusers.
bool TDM::ChangeUserPassword(const QString &login, const QString &oldPassword, const QString &newPassword)
{
    return listWrite(MSSQLADOQuery_Uzivatel, QStringLiteral("ID_UZIVATEL"), [&] {
        if (login == m_call->returnValue(DMProc::uzivatel_func_AKTIVNI_LOGIN).toString()) {
            Db::Connection check;
            if (!check.open(connection().server(), connection().database(), login, oldPassword)) {
                reportOldPasswordRefused(connection(), check.errors());
                return false;
            }
            check.close();
        }
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

bool TDM::SessionViewers(TDMSessionViewers &viewers)
{
    const Db::Result r = connection().exec(
        QStringLiteral("SELECT r.rolname, r.rolsuper OR pg_has_role(r.oid, 'pg_read_all_stats', 'USAGE'), "
                       "  (SELECT string_agg(s.rolname, chr(13) ORDER BY s.rolname) FROM pg_roles s "
                       "   WHERE s.rolsuper AND s.rolcanlogin) "
                       "FROM pg_database d JOIN pg_roles r ON r.oid = d.datdba WHERE d.datname = current_database()"));
    if (!r.hasRows() || r.rowCount() == 0)
        return false;
    viewers.owner = r.cellText(0, 0);
    viewers.ownerSeesAll = r.cellText(0, 1) == u"t";
    viewers.superusers = r.cellText(0, 2).split(QChar(13), Qt::SkipEmptyParts);
    return true;
}
