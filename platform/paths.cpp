#include "platform/paths.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSaveFile>
#include <QStandardPaths>

namespace Paths {

namespace {

QString homeOverride()
{
    return qEnvironmentVariable("TARMIL5_HOME");
}

QString ensured(const QString &folder)
{
    QDir().mkpath(folder);
    return folder;
}

QString subfolder(const char *name)
{
    return ensured(programFolder() + QLatin1Char('/') + QLatin1String(name));
}

QByteArray checksum(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

bool readFile(const QString &path, QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    return true;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

// Manifest lines are "<sha256>  <relative path>", as sha256sum writes them.
QMap<QString, QByteArray> readManifest(const QString &path)
{
    QMap<QString, QByteArray> manifest;
    QByteArray bytes;
    if (!readFile(path, bytes))
        return manifest;
    for (const QByteArray &line : bytes.split('\n')) {
        const qsizetype gap = line.indexOf("  ");
        if (gap == 64)
            manifest.insert(QString::fromUtf8(line.mid(gap + 2)), line.left(gap));
    }
    return manifest;
}

bool writeManifest(const QString &path, const QMap<QString, QByteArray> &manifest)
{
    QByteArray bytes;
    for (auto it = manifest.cbegin(); it != manifest.cend(); ++it)
        bytes += it.value() + "  " + it.key().toUtf8() + '\n';
    return writeFile(path, bytes);
}

} // namespace

QString configFolder()
{
    const QString home = homeOverride();
    if (!home.isEmpty())
        return ensured(home);
    return ensured(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                   QStringLiteral("/Tarmil5"));
}

QString iniFilePath()
{
    return configFolder() + QStringLiteral("/Tarmil5.ini");
}

QString registryFilePath()
{
    return configFolder() + QStringLiteral("/registry.ini");
}

QString resolveConfigFile(const QString &fileName)
{
    if (fileName.contains(QLatin1Char('/')))
        return fileName;
    return configFolder() + QLatin1Char('/') + fileName;
}

QString programFolder()
{
    const QString home = homeOverride();
    if (!home.isEmpty())
        return ensured(home);
    return ensured(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Tarmil5"));
}

QString reportsFolder()
{
    return subfolder("Sestavy");
}
QString exportFolder()
{
    return subfolder("Export");
}
QString sqlFolder()
{
    return subfolder("SQL");
}
QString backupFolder()
{
    return subfolder("Zaloha");
}

InstallResult installProgramFiles(const QString &resourceRoot)
{
    InstallResult result;
    reportsFolder();
    exportFolder();
    sqlFolder();
    backupFolder();
    const QString target = programFolder();
    const QString manifestPath = target + QLatin1Char('/') + QLatin1String(kManifestName);
    QMap<QString, QByteArray> manifest = readManifest(manifestPath);
    bool manifestChanged = false;

    QDirIterator it(resourceRoot, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString relative = QDir(resourceRoot).relativeFilePath(source);
        QByteArray shipped;
        if (!readFile(source, shipped)) {
            result.failed.append(relative);
            continue;
        }
        const QByteArray shippedSum = checksum(shipped);
        const QString destination = target + QLatin1Char('/') + relative;
        QByteArray present;
        bool write = true;
        if (readFile(destination, present)) {
            const QByteArray presentSum = checksum(present);
            if (presentSum == shippedSum) {
                write = false; // already current
            } else if (manifest.value(relative) != presentSum) {
                result.kept.append(relative); // the user's own version
                continue;
            }
        }
        if (write) {
            if (!writeFile(destination, shipped)) {
                result.failed.append(relative);
                continue;
            }
            result.installed.append(relative);
        }
        if (manifest.value(relative) != shippedSum) {
            manifest.insert(relative, shippedSum);
            manifestChanged = true;
        }
    }
    if (manifestChanged && !writeManifest(manifestPath, manifest))
        result.failed.append(QLatin1String(kManifestName));
    return result;
}

} // namespace Paths
