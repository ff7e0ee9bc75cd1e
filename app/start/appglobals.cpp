#include "app/start/appglobals.h"

#include "platform/paths.h"

QString AppTitle;
QString AppPath;
QString PathSestavy;
QString PathExport;
QString PathSQL;
QString PathZaloha;

QString GetVersionInfo(const QString &key)
{
    static const struct
    {
        const char *key;
        const char *value;
    } table[] = {
        {"CompanyName", ""},
        {"FileDescription", "Tarmil 5.0 - obchod a pokladna"},
        {"FileVersion", TARMIL_FILE_VERSION},
        {"InternalName", "Tarmil5"},
        {"LegalCopyright", ""},
        {"OriginalFilename", "tarmil5"},
        {"ProductName", TARMIL_PRODUCT_NAME},
        {"ProductVersion", TARMIL_FILE_VERSION},
    };
    for (const auto &entry : table)
        if (key == QLatin1String(entry.key))
            return QString::fromUtf8(entry.value);
    return QString();
}

QString CombinePath(const QString &name, const QString &folder)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

void SetAppGlobals()
{
    AppTitle = QStringLiteral("%1 %2").arg(GetVersionInfo(QStringLiteral("ProductName")),
                                           GetVersionInfo(QStringLiteral("FileVersion")));
    AppPath = CombinePath(QString(), Paths::programFolder());
    PathSestavy = CombinePath(QStringLiteral("Sestavy"), AppPath);
    PathExport = CombinePath(QStringLiteral("Export"), AppPath);
    PathSQL = CombinePath(QStringLiteral("SQL"), AppPath);
    PathZaloha = CombinePath(QStringLiteral("Zaloha"), AppPath);
}
