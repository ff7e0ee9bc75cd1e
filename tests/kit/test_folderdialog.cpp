#include "kit/folderdialog.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <deque>

namespace {

// A browser that answers from a script and remembers where it was opened.
class ScriptedFolderDialog : public TFolderDialog
{
public:
    std::deque<std::optional<QString>> answers;
    QStringList starts;
    QStringList roots;

protected:
    std::optional<QString> browse(const QString &start, const QString &rootPath) override
    {
        starts << start;
        roots << rootPath;
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// Points the home folder at a temporary one for the lifetime of the object.
struct TemporaryHome
{
    QTemporaryDir dir;
    QByteArray saved = qgetenv("HOME");
    TemporaryHome() { qputenv("HOME", dir.path().toUtf8()); }
    ~TemporaryHome() { qputenv("HOME", saved); }
    QString path(const QString &relative) const { return QDir(dir.path()).filePath(relative); }
};

} // namespace

TEST(FolderDialog, DefaultsMatchTheBackupScreensUse)
{
    TFolderDialog dialog;
    EXPECT_EQ(dialog.flags(), TFolderDialog::ShowPath | TFolderDialog::NewDialogStyle | TFolderDialog::ShowShared);
    EXPECT_EQ(dialog.rootFolder(), TFolderDialog::foDesktopExpanded);
    EXPECT_EQ(dialog.specialFolder(), -1);
}

TEST(FolderDialog, CancelLeavesTheFolderUnchanged)
{
    QTemporaryDir dir;
    ScriptedFolderDialog dialog;
    dialog.setFolder(dir.path());
    dialog.answers = {std::nullopt};
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.folder(), dir.path());
    EXPECT_EQ(dialog.starts, QStringList{QDir::cleanPath(dir.path())});
}

TEST(FolderDialog, ChoiceBecomesACleanAbsolutePath)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("Zaloha/2026");
    ScriptedFolderDialog dialog;
    dialog.setFolder(dir.path() + "/neni/tady");
    dialog.answers = {dir.path() + "/Zaloha/./2026/../2026/"};
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.folder(), QDir::cleanPath(dir.path() + "/Zaloha/2026"));
    EXPECT_EQ(dialog.starts.at(0), QDir::homePath()) << "a missing folder starts at home";
}

TEST(FolderDialog, MissingFolderIsReportedAndBrowsedAgain)
{
    QTemporaryDir dir;
    ScriptedFolderDialog dialog;
    dialog.setFlags(dialog.flags() | TFolderDialog::Validate);
    QSignalSpy failed(&dialog, &TFolderDialog::OnValidateFailed);
    dialog.answers = {dir.path() + "/preklep", dir.path()};
    ASSERT_TRUE(dialog.Execute());
    ASSERT_EQ(failed.count(), 1);
    EXPECT_EQ(failed.at(0).at(0).toString(), QDir::cleanPath(dir.path() + "/preklep"));
    EXPECT_EQ(dialog.starts.at(1), QDir::cleanPath(dir.path()));
    EXPECT_EQ(dialog.folder(), QDir::cleanPath(dir.path()));
}

TEST(FolderDialog, RootKeepsTheChoiceInsideAndSpecialFoldersAreFound)
{
    TemporaryHome home;
    QDir(home.dir.path()).mkpath("Documents/Ucetnictvi");
    ScriptedFolderDialog dialog;
    dialog.setRootFolder(TFolderDialog::foPersonal);
    dialog.setReturnSpecialFolder(true);
    dialog.answers = {QStringLiteral("/"), home.path("Documents")};
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.roots.at(0), home.path("Documents"));
    EXPECT_EQ(dialog.starts.at(0), home.path("Documents")) << "no folder given: start at the root";
    EXPECT_EQ(dialog.starts.size(), 2) << "a choice outside the root is not taken";
    EXPECT_EQ(dialog.specialFolder(), int(TFolderDialog::foPersonal));

    dialog.answers = {home.path("Documents/Ucetnictvi")};
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.specialFolder(), -1);
    dialog.setRootFolder(TFolderDialog::foDesktopExpanded);
    dialog.answers = {home.dir.path()};
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.specialFolder(), 40) << "the home folder is the user's profile";
    EXPECT_EQ(TFolderDialog::specialFolderPath(TFolderDialog::foControlPanel), QString());
}
