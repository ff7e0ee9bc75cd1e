#include "app/common/modalresult.h"
#include "app/settings/databaze.h"
#include "app/settings/zaloha.h"
#include "app/start/appglobals.h"
#include "data/dm_fixture.h"

#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>

namespace {

class BackupScreensTest : public DataModuleTest
{
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        SetAppGlobals();
    }
};

} // namespace

// The proposed name carries the time, the server (a socket folder's "/"
// made harmless) and the database; a backup that was made and verified is
// reported with its file, a failed one with the server's text, and the
// window closes as cancelled either way.
TEST_F(BackupScreensTest, BackupNowProposesANameAndReportsTheResult)
{
    LoginServer = QStringLiteral("/var/run/postgresql");
    TForm_Zaloha zaloha;
    QString proposedFolder, proposedName;
    QString target = home.filePath(QStringLiteral("zaloha.bak"));
    zaloha.chooseBackupFile = [&](const QString &folder, const QString &proposed) {
        proposedFolder = folder;
        proposedName = proposed;
        return target;
    };
    zaloha.show();
    zaloha.Button_Zaloha_Nyni->click();
    EXPECT_EQ(proposedFolder, PathZaloha);
    const QRegularExpression name(
        QStringLiteral("^\\d{4}-\\d{2}-\\d{2}_\\d{2}-\\d{2}-\\d{2}__var_run_postgresql_%1\\.bak$")
            .arg(QRegularExpression::escape(database)));
    EXPECT_TRUE(name.match(proposedName).hasMatch()) << qPrintable(proposedName);
    ASSERT_EQ(messages.count(MessageCall::Information), 1) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(messages.calls.last().heading, QStringLiteral("Záloha databáze proběhla v pořádku..."));
    EXPECT_EQ(messages.calls.last().detail, QStringLiteral("Soubor: ") + target);
    EXPECT_GT(QFileInfo(target).size(), 0);
    EXPECT_FALSE(zaloha.isVisible());
    EXPECT_EQ(zaloha.result(), mrCancel);

    target = QStringLiteral("/neexistujici/adresar/zaloha.bak");
    zaloha.show();
    zaloha.Button_Zaloha_Nyni->click();
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    EXPECT_EQ(messages.calls.last().heading, QStringLiteral("Záloha databáze neproběhla..."));
    EXPECT_EQ(messages.calls.last().detail, QStringLiteral("Záloha nebyla uložena..."));
    EXPECT_FALSE(messages.calls.last().description.isEmpty());
}

// Each showing reads the figures anew.
TEST_F(BackupScreensTest, MaintenanceScreenShowsTheDatabaseFigures)
{
    TForm_Databaze form;
    form.show();
    EXPECT_EQ(form.Label_Polozky->text(), QStringLiteral("0"));
    EXPECT_EQ(form.Label_Sklady->text(), QString::number(dm->StoreCount()));
    EXPECT_EQ(form.Label_Kontakty->text(), QString::number(dm->ContactCount()));
    EXPECT_TRUE(form.Label_Alokovano->text().endsWith(QLatin1String(" KB")));
    EXPECT_TRUE(form.Memo->toPlainText().startsWith(QLatin1String("PostgreSQL")))
        << qPrintable(form.Memo->toPlainText());
    form.hide();

    newItem(QStringLiteral("A1"));
    newItem(QStringLiteral("A2"));
    form.show();
    EXPECT_EQ(form.Label_Polozky->text(), QStringLiteral("2"));
    EXPECT_EQ(form.Label_Historie->text(), QString::number(dm->HistoryCount()));
    form.Button_Storno->click();
}
