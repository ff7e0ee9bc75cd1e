#include "platform/registry.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Registry, KeysAreSectionsAndPathsResolveAgainstTheCurrentKey)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("registry.ini");
    {
        Registry reg(file);
        EXPECT_FALSE(reg.openKey("Software\\Vellum\\Tarmil 5.0\\Designer", false));
        ASSERT_TRUE(reg.openKey("Software\\Vellum\\Tarmil 5.0\\Designer", true));
        reg.writeInteger("GridSize", 8);
        reg.writeBool("ShowGrid", true);
        reg.writeString("LastFile", "  /tmp/a b.vlf ");
        reg.writeString("Quoted", "'x'");
        ASSERT_TRUE(reg.openKey("Toolbars\\Main", true));
        EXPECT_EQ(reg.currentPath(), "Software\\Vellum\\Tarmil 5.0\\Designer\\Toolbars\\Main");
        reg.writeInteger("Left", -4);
    }
    Registry reg(file);
    ASSERT_TRUE(reg.openKey("\\software\\VELLUM\\Tarmil 5.0\\designer\\", false));
    EXPECT_EQ(reg.readInteger("gridsize", 0), 8);
    EXPECT_TRUE(reg.readBool("ShowGrid", false));
    EXPECT_EQ(reg.readString("LastFile"), "  /tmp/a b.vlf ");
    EXPECT_EQ(reg.readString("Quoted"), "'x'");
    EXPECT_EQ(reg.readInteger("Missing", 77), 77);
    EXPECT_FALSE(reg.readBool("Missing", false));
    EXPECT_TRUE(reg.valueExists("GRIDSIZE"));
    EXPECT_FALSE(reg.valueExists("Nothing"));
    EXPECT_EQ(reg.valueNames(), QStringList({"GridSize", "ShowGrid", "LastFile", "Quoted"}));
    EXPECT_EQ(reg.subKeyNames(), QStringList({"Toolbars"}));
    EXPECT_TRUE(reg.deleteValue("Quoted"));
    EXPECT_FALSE(reg.deleteValue("Quoted"));

    // The preview's key sits elsewhere and survives deleting the designer's tree.
    ASSERT_TRUE(reg.openKey("\\Software\\Vellum\\Tarmil 5.0\\Preview", true));
    reg.writeBool("GrayButtons", false);
    EXPECT_TRUE(reg.keyExists("\\Software\\Vellum\\Tarmil 5.0\\Designer\\Toolbars"));
    EXPECT_TRUE(reg.deleteKey("\\Software\\Vellum\\Tarmil 5.0\\Designer"));
    EXPECT_FALSE(reg.keyExists("\\Software\\Vellum\\Tarmil 5.0\\Designer\\Toolbars\\Main"));
    EXPECT_TRUE(reg.keyExists("\\Software\\Vellum"));
    reg.closeKey();
    ASSERT_TRUE(reg.openKey("Software\\Vellum\\Tarmil 5.0", false));
    EXPECT_EQ(reg.subKeyNames(), QStringList({"Preview"}));
}

TEST(Registry, ValuesOfTheWrongKindGiveTheDefault)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("registry.ini");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Software\\Vellum]\nN=abc\nB=\nS=text\n");
    f.close();
    Registry reg(file);
    ASSERT_TRUE(reg.openKey("Software\\Vellum", false));
    EXPECT_EQ(reg.readInteger("N", 5), 5);
    EXPECT_TRUE(reg.readBool("B", true));
    EXPECT_EQ(reg.readString("S", "d"), "text");
    EXPECT_DOUBLE_EQ(reg.readFloat("S", 1.5), 1.5);
}
