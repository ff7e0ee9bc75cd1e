#include "platform/inifile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class IniFileTest : public ::testing::Test
{
protected:
    QString path() const { return dir.filePath("test.ini"); }
    void put(const QByteArray &bytes)
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray content() const
    {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(IniFileTest, ReadsLikeTheProfileFunctions)
{
    put("; comment\r\n"
        "orphan=before any section\r\n"
        "[Main]\r\n"
        "  Name =  Pokladna 1  \r\n"
        "Quoted=\"  keeps inner blanks  \"\r\n"
        "Single='x'\r\n"
        "Twice=\"\"both\"\"\r\n"
        "garbage line without equals\r\n"
        "=no key\r\n"
        "Name=second wins never\r\n"
        "[ main ]\r\n"
        "Other=hidden by the first section\r\n"
        "[Čeština]\r\n"
        "Klíč=žluťoučký kůň\r\n");
    IniFile ini(path());
    EXPECT_EQ(ini.readString("MAIN", "name"), "Pokladna 1");
    EXPECT_EQ(ini.readString("Main", "Quoted"), "  keeps inner blanks  ");
    EXPECT_EQ(ini.readString("Main", "Single"), "x");
    EXPECT_EQ(ini.readString("Main", "Twice"), "\"both\"");
    EXPECT_EQ(ini.readString("Main", "Other", "def"), "def");
    EXPECT_EQ(ini.readString("čEŠTINA", "klíč"), "žluťoučký kůň");
    EXPECT_EQ(ini.readString("Missing", "x", "d"), "d");
    EXPECT_EQ(ini.sections(), QStringList({"Main", "Čeština"}));
    EXPECT_EQ(ini.keys("main"), QStringList({"Name", "Quoted", "Single", "Twice"}));
    EXPECT_FALSE(ini.valueExists("Main", "garbage line without equals"));
}

TEST_F(IniFileTest, WritesKeepOrderCommentsAndForeignLines)
{
    put("[A]\n; keep me\nx=1\nnonsense\n\n[B]\ny=2\n");
    IniFile ini(path());
    ini.writeString("a", "X", "10");
    ini.writeString("A", "z", "3");
    ini.writeString("C", "w", "4");
    ini.writeInteger("B", "n", -5);
    EXPECT_EQ(content(), "[A]\n; keep me\nx=10\nnonsense\nz=3\n\n[B]\ny=2\nn=-5\n[C]\nw=4\n");
    ini.deleteKey("A", "x");
    ini.eraseSection("b");
    EXPECT_EQ(content(), "[A]\n; keep me\nnonsense\nz=3\n\n[C]\nw=4\n");
}

TEST_F(IniFileTest, QuotedValuesRoundTripThroughProtection)
{
    IniFile ini(path());
    for (const QString &text : {QString("\"quoted\""), QString("'single'"), QString("\""), QString("plain")}) {
        ini.writeString("S", "k", IniFile::protectQuotes(text));
        EXPECT_EQ(ini.readString("S", "k"), text);
    }
    EXPECT_EQ(IniFile::protectQuotes("\"a'"), "\"a'");
    // A line break in a value would split the line: it becomes a blank.
    ini.writeString("S", "multi", "a\nb");
    EXPECT_EQ(ini.readString("S", "multi"), "a b");
    EXPECT_EQ(ini.keys("S"), QStringList({"k", "multi"}));
}

TEST_F(IniFileTest, NumbersAcceptTheOriginalSpellingsAndFallBack)
{
    put("[N]\na=42\nb= -7 \nc=$1F\nd=0x10\ne=12abc\nf=\ng=99999999999\nh=$FFFFFFFF\n"
        "t=1\nu=0\nv=yes\nx=1.5\ny=2,25\nz=abc\n");
    IniFile ini(path());
    EXPECT_EQ(ini.readInteger("N", "a", 0), 42);
    EXPECT_EQ(ini.readInteger("N", "b", 0), -7);
    EXPECT_EQ(ini.readInteger("N", "c", 0), 31);
    EXPECT_EQ(ini.readInteger("N", "d", 0), 16);
    EXPECT_EQ(ini.readInteger("N", "e", 9), 9);
    EXPECT_EQ(ini.readInteger("N", "f", 9), 9);
    EXPECT_EQ(ini.readInteger("N", "g", 9), 9);
    EXPECT_EQ(ini.readInteger("N", "h", 0), -1);
    EXPECT_TRUE(ini.readBool("N", "t", false));
    EXPECT_FALSE(ini.readBool("N", "u", true));
    EXPECT_TRUE(ini.readBool("N", "v", true));
    EXPECT_DOUBLE_EQ(ini.readFloat("N", "x", 0), 1.5);
    EXPECT_DOUBLE_EQ(ini.readFloat("N", "y", 0), 2.25);
    EXPECT_DOUBLE_EQ(ini.readFloat("N", "z", 3), 3);
    ini.writeFloat("N", "w", 0.1);
    ini.writeBool("N", "bb", true);
    EXPECT_EQ(ini.readString("N", "w"), "0.1");
    EXPECT_EQ(ini.readString("N", "bb"), "1");
}

TEST_F(IniFileTest, TwoObjectsOnOneFileKeepEachOthersKeys)
{
    IniFile first(path());
    IniFile second(path());
    first.writeString("S", "a", "1");
    second.writeString("S", "b", "2");
    EXPECT_EQ(first.readString("S", "b"), "2");
    // A batch writes once at the end and still merges with what others wrote meanwhile.
    first.beginUpdate();
    first.writeString("S", "c", "3");
    second.writeString("S", "d", "4");
    first.eraseSection("Gone");
    EXPECT_FALSE(content().contains("c=3"));
    first.endUpdate();
    EXPECT_EQ(content(), "[S]\na=1\nb=2\nd=4\nc=3\n");
}

TEST_F(IniFileTest, BareNamesLiveInTheConfigurationFolderAndMissingFilesAreEmpty)
{
    qputenv("TARMIL5_HOME", dir.path().toUtf8());
    IniFile ini("Bare.ini");
    EXPECT_EQ(ini.fileName(), dir.filePath("Bare.ini"));
    EXPECT_TRUE(ini.sections().isEmpty());
    EXPECT_EQ(ini.readString("S", "k", "d"), "d");
    ini.writeString("S", "k", "v");
    EXPECT_TRUE(QFile::exists(dir.filePath("Bare.ini")));
    qunsetenv("TARMIL5_HOME");
}

TEST_F(IniFileTest, WritesReplaceTheFileWholeAndFailuresAreReported)
{
    IniFile ini(path());
    ini.writeString("S", "k", "v");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"test.ini"}));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    IniFile readOnly(dir.filePath("other.ini"));
    readOnly.writeString("S", "k", "v");
    const bool refused = !readOnly.errorString().isEmpty();
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (refused) {                                     // root ignores permissions
        EXPECT_EQ(readOnly.readString("S", "k"), "v"); // kept in memory, written later
    }
    EXPECT_TRUE(readOnly.flush());
    EXPECT_TRUE(QFile::exists(dir.filePath("other.ini")));
}

TEST_F(IniFileTest, BinaryGarbageDoesNotStopTheReader)
{
    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk.append(char((i * 131) % 256));
    put(junk + "\n[Ok]\nk=v\n");
    IniFile ini(path());
    EXPECT_EQ(ini.readString("Ok", "k"), "v");
    ini.writeString("Ok", "k2", "w");
    EXPECT_EQ(ini.readString("Ok", "k2"), "w");
}
