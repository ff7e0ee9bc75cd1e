#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void writeText(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

QByteArray readText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

class PathsTest : public ::testing::Test
{
protected:
    void SetUp() override { qputenv("TARMIL5_HOME", home.path().toUtf8()); }
    void TearDown() override { qunsetenv("TARMIL5_HOME"); }
    QTemporaryDir home;
    QTemporaryDir shipped;
};

} // namespace

TEST_F(PathsTest, HomeOverrideHoldsSettingsAndProgramFolder)
{
    EXPECT_EQ(Paths::configFolder(), home.path());
    EXPECT_EQ(Paths::iniFilePath(), home.filePath("Tarmil5.ini"));
    EXPECT_EQ(Paths::registryFilePath(), home.filePath("registry.ini"));
    EXPECT_EQ(Paths::resolveConfigFile("Tarmil5.ini"), home.filePath("Tarmil5.ini"));
    EXPECT_EQ(Paths::resolveConfigFile("/etc/x.ini"), "/etc/x.ini");
    EXPECT_EQ(Paths::reportsFolder(), home.filePath("Sestavy"));
    EXPECT_TRUE(QDir(home.filePath("Sestavy")).exists());
    EXPECT_EQ(Paths::backupFolder(), home.filePath("Zaloha"));
}

TEST_F(PathsTest, XdgFoldersAreUsedWithoutTheOverride)
{
    qunsetenv("TARMIL5_HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME"), oldData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_CONFIG_HOME", home.filePath("cfg").toUtf8());
    qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
    EXPECT_EQ(Paths::iniFilePath(), home.filePath("cfg/Tarmil5/Tarmil5.ini"));
    EXPECT_EQ(Paths::exportFolder(), home.filePath("data/Tarmil5/Export"));
    qputenv("XDG_CONFIG_HOME", oldConfig);
    qputenv("XDG_DATA_HOME", oldData);
}

TEST_F(PathsTest, FirstStartInstallsAndLaterStartsSpareTheUsersChanges)
{
    writeText(shipped.filePath("Sestavy/Faktura.vlf"), "layout v1");
    writeText(shipped.filePath("Sestavy/Paragon.vlf"), "receipt v1");
    writeText(shipped.filePath("templates/dopis.rtf"), "letter v1");

    Paths::InstallResult first = Paths::installProgramFiles(shipped.path());
    EXPECT_EQ(first.installed.size(), 3);
    EXPECT_TRUE(first.failed.isEmpty());
    EXPECT_EQ(readText(home.filePath("Sestavy/Faktura.vlf")), "layout v1");
    EXPECT_TRUE(QDir(home.filePath("SQL")).exists());

    // The user edits one layout and deletes another; the program ships new versions.
    writeText(home.filePath("Sestavy/Faktura.vlf"), "my own layout");
    QFile::remove(home.filePath("templates/dopis.rtf"));
    writeText(shipped.filePath("Sestavy/Faktura.vlf"), "layout v2");
    writeText(shipped.filePath("Sestavy/Paragon.vlf"), "receipt v2");

    Paths::InstallResult second = Paths::installProgramFiles(shipped.path());
    EXPECT_EQ(readText(home.filePath("Sestavy/Faktura.vlf")), "my own layout");
    EXPECT_EQ(readText(home.filePath("Sestavy/Paragon.vlf")), "receipt v2");
    EXPECT_EQ(readText(home.filePath("templates/dopis.rtf")), "letter v1");
    EXPECT_EQ(second.kept, QStringList({"Sestavy/Faktura.vlf"}));
    EXPECT_EQ(second.installed.size(), 2);

    // A file that was there before any install is the user's too.
    writeText(shipped.filePath("Sestavy/Novy.vlf"), "new");
    writeText(home.filePath("Sestavy/Novy.vlf"), "user's");
    Paths::installProgramFiles(shipped.path());
    EXPECT_EQ(readText(home.filePath("Sestavy/Novy.vlf")), "user's");
    // Nothing to do on an unchanged start.
    EXPECT_TRUE(Paths::installProgramFiles(shipped.path()).installed.isEmpty());
}
