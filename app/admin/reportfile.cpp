#include "app/admin/reportfile.h"

#include "platform/paths.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool isFile(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

} // namespace

QString ReportFilePath(const QString &file)
{
    const QString name = file.trimmed();
    if (name.isEmpty())
        return {};
    if (QDir::isAbsolutePath(name))
        return isFile(name) ? QDir::cleanPath(name) : QString();
    QStringList candidates;
    if (name.contains(QLatin1Char('/')))
        candidates << QDir(Paths::programFolder()).filePath(name);
    candidates << QDir(Paths::reportsFolder()).filePath(name);
    for (const QString &candidate : candidates)
        if (isFile(candidate))
            return QDir::cleanPath(candidate);
    return {};
}
