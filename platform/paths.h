#pragma once
// Where the program keeps its files. The configuration folder holds the
// settings file and the registry stand-in; the program folder holds the
// start-up log, report layouts ("Sestavy"), exports, SQL scripts and backups.
// TARMIL5_HOME, when set, is both (tests point it at a temporary folder).
#include <QString>
#include <QStringList>

namespace Paths {

QString configFolder();     // $TARMIL5_HOME or $XDG_CONFIG_HOME/Tarmil5 (created)
QString iniFilePath();      // configFolder()/Tarmil5.ini
QString registryFilePath(); // configFolder()/registry.ini
// A bare file name lives in the configuration folder; a path stays as given.
QString resolveConfigFile(const QString &fileName);

QString programFolder(); // $TARMIL5_HOME or $XDG_DATA_HOME/Tarmil5 (created)
QString reportsFolder(); // "Sestavy"
QString exportFolder();  // "Export"
QString sqlFolder();     // "SQL"
QString backupFolder();  // "Zaloha"

// The compiled-in subtree mirrored into the program folder.
inline constexpr const char *kProgramResources = ":/program";
// The list of files the program installed, with their checksums.
inline constexpr const char *kManifestName = ".installed";

struct InstallResult
{
    QStringList installed; // copied (new, missing, or updated and untouched by the user)
    QStringList kept;      // present and changed by the user: left alone
    QStringList failed;    // could not be written
};

// Creates the program folder's subfolders and copies the compiled-in files
// under `resourceRoot` into it. A file is written when it is missing, or when
// it is exactly what an earlier start installed and the program now carries a
// newer one; a file the user changed (or put there) is never overwritten.
InstallResult installProgramFiles(const QString &resourceRoot = QString::fromLatin1(kProgramResources));

} // namespace Paths
