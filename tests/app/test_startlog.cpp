#include "app/start/appglobals.h"
#include "app/start/prihlaseni.h"
#include "app/start/secondcopy.h"
#include "app/start/startup.h"
#include "app/start/startuplog.h"
#include "app/start/tarmilapplication.h"
#include "common/scripted_messages.h"
#include "kit/formstorage.h"
#include "platform/inifile.h"
#include "platform/paths.h"
#include "platform/variant.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A program folder of the test's own.
class StartLogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        qputenv("TARMIL5_HOME", home.path().toUtf8());
        SetAppGlobals();
    }
    void TearDown() override
    {
        InitializationFree();
        qunsetenv("TARMIL5_HOME");
    }

    QByteArray logFile() const
    {
        QFile file(LogFilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The file's lines without their time stamps ("d.M.yyyy h:mm:ss ").
    QStringList logTexts() const
    {
        static const QRegularExpression stamp(QStringLiteral("^\\d{1,2}\\.\\d{1,2}\\.\\d{4} \\d{1,2}:\\d{2}:\\d{2} "));
        QStringList lines = QString::fromUtf8(logFile()).split(QLatin1Char('\n'));
        EXPECT_EQ(lines.takeLast(), QString()) << "the file ends with a line break";
        for (QString &line : lines) {
            if (!line.isEmpty()) {
                EXPECT_TRUE(stamp.match(line).hasMatch()) << qPrintable(line);
                line.remove(stamp);
            }
        }
        return lines;
    }

    QTemporaryDir home;
    ScriptedMessages messages;
};

} // namespace

TEST_F(StartLogTest, TitleAndFoldersFollowTheVersionAndTheProgramFolder)
{
    EXPECT_EQ(AppTitle, QStringLiteral("Tarmil 5.2.3.0"));
    EXPECT_EQ(GetVersionInfo(QStringLiteral("ProductName")), QStringLiteral("Tarmil"));
    EXPECT_EQ(GetVersionInfo(QStringLiteral("NoSuchKey")), QString());
    EXPECT_EQ(AppPath, home.path() + QLatin1Char('/'));
    EXPECT_EQ(PathSestavy, home.path() + QStringLiteral("/Sestavy"));
    EXPECT_EQ(PathZaloha, home.path() + QStringLiteral("/Zaloha"));
    EXPECT_EQ(CombinePath(QStringLiteral("a.txt"), QStringLiteral("/x/")), QStringLiteral("/x/a.txt"));
    EXPECT_EQ(CombinePath(QStringLiteral("a.txt"), QStringLiteral("/x")), QStringLiteral("/x/a.txt"));
}

// The first run's file begins with its first line; each later run adds one
// empty line before its own. The window shows the bare texts.
TEST_F(StartLogTest, LogKeepsEveryRunSeparatedByOneEmptyLine)
{
    InitializationCreate();
    InitializationLog(QStringLiteral("Start programu Tarmil 5.2.3.0..."));
    InitializationLogOk();
    EXPECT_EQ(Form_Inicializace->Memo->toPlainText(), QStringLiteral("Start programu Tarmil 5.2.3.0...\nOk"));
    InitializationFree();
    EXPECT_EQ(logTexts(), QStringList({QStringLiteral("Start programu Tarmil 5.2.3.0..."), QStringLiteral("Ok")}));

    InitializationCreate();
    // Loading alone writes nothing: the separator comes with the next line.
    EXPECT_EQ(logTexts().size(), 2);
    InitializationLog(QStringLiteral("Start programu Tarmil 5.2.3.0..."));
    InitializationLogError();
    WriteLogLine(QStringLiteral("jen do souboru"));
    EXPECT_EQ(Form_Inicializace->Memo->toPlainText(), QStringLiteral("Start programu Tarmil 5.2.3.0...\nError"));
    EXPECT_EQ(logTexts(), QStringList({QStringLiteral("Start programu Tarmil 5.2.3.0..."), QStringLiteral("Ok"),
                                       QString(), QStringLiteral("Start programu Tarmil 5.2.3.0..."),
                                       QStringLiteral("Error"), QStringLiteral("jen do souboru")}));
}

// A later copy finds the first one, asks it to come forward and lets the
// user decide; "Ne" ends before the log is touched.
TEST_F(StartLogTest, SecondCopyRaisesTheFirstAndEndsOnNo)
{
    SecondCopyGuard first;
    int raised = 0;
    first.onRaiseRequest = [&raised] { ++raised; };
    ASSERT_FALSE(first.anotherCopyRunning());

    InitializationCreate();
    InitializationLog(QStringLiteral("první běh"));
    InitializationFree();
    const QByteArray before = logFile();

    messages.answer(false);
    StartupOptions options;
    EXPECT_EQ(RunTarmil(options), 0);
    ASSERT_EQ(messages.count(MessageCall::Question), 1);
    const MessageCall question = messages.callsOf(MessageCall::Question).constFirst();
    EXPECT_EQ(question.heading, QStringLiteral("Spustit Tarmil 5.2.3.0 ?"));
    EXPECT_EQ(question.detail, QStringLiteral("Program je již jednou spuštěn..."));
    EXPECT_FALSE(question.flag) << "\"Ne\" has the focus";
    EXPECT_EQ(logFile(), before);
    EXPECT_TRUE(QTest::qWaitFor([&raised] { return raised == 1; }, 3000));

    // "Ano" would start a second copy: the guard only tells, never blocks.
    SecondCopyGuard third;
    EXPECT_TRUE(third.anotherCopyRunning());
}

TEST_F(StartLogTest, LockOfACopyThatEndedIsTakenOver)
{
    {
        SecondCopyGuard ended;
        ASSERT_FALSE(ended.anotherCopyRunning());
    }
    SecondCopyGuard next;
    EXPECT_FALSE(next.anotherCopyRunning());
}

// The dialog asks for the password on every showing, focuses it once a user
// is named, and allows "&Ok" only with a user and a server. A server list
// check box restored as checked fills the list before the dialog shows.
TEST_F(StartLogTest, LoginDialogAsksForThePasswordEachTime)
{
    {
        IniFile ini(Paths::iniFilePath());
        ini.writeString(QStringLiteral("Prihlaseni"), QStringLiteral("Edit_Uzivatel_Text"), QStringLiteral("pokladni"));
        ini.writeString(QStringLiteral("Prihlaseni"), QStringLiteral("CheckBox_Server_Checked"),
                        QStringLiteral("True"));
    }
    InitializationCreate();
    TForm_Prihlaseni dialog;
    int listed = 0;
    dialog.ListServers = [&listed](QStringList &list) {
        ++listed;
        list = {QStringLiteral("localhost"), QStringLiteral("sklad:5433")};
        return true;
    };
    dialog.FormStorage->FormPlacementRestore();
    EXPECT_EQ(listed, 1);
    EXPECT_EQ(dialog.ComboBox_Server->count(), 2);
    EXPECT_EQ(Form_Inicializace->Memo->toPlainText(), QStringLiteral("Načítání seznamu instancí SQL serverů...\nOk"));

    dialog.Edit_Heslo->setText(QStringLiteral("stare"));
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    EXPECT_TRUE(dialog.Edit_Heslo->text().isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&dialog] { return dialog.Edit_Heslo->hasFocus(); }, 1000));
    EXPECT_TRUE(dialog.Button_Ok->isEnabled()) << "an empty password is allowed";
    dialog.Edit_Uzivatel->setText(QStringLiteral("  "));
    EXPECT_FALSE(dialog.Button_Ok->isEnabled());
    dialog.Edit_Uzivatel->setText(QStringLiteral("vedouci"));
    dialog.ComboBox_Server->setEditText(QString());
    EXPECT_FALSE(dialog.Button_Ok->isEnabled());
    dialog.ComboBox_Server->setEditText(QStringLiteral("sklad:5433"));
    EXPECT_TRUE(dialog.Button_Ok->isEnabled());
    dialog.hide();

    // Unchecking leaves the list; nothing is stored by the dialog itself.
    dialog.CheckBox_Server->setChecked(false);
    EXPECT_EQ(dialog.ComboBox_Server->count(), 2);
    EXPECT_EQ(listed, 1);
    IniFile ini(Paths::iniFilePath());
    EXPECT_EQ(ini.readString(QStringLiteral("Prihlaseni"), QStringLiteral("Edit_Uzivatel_Text")),
              QStringLiteral("pokladni"));
}

namespace {

// A widget whose handler of a user's event fails as a figure read from a
// Null would.
class FailingReceiver : public QObject
{
public:
    int handled = 0;
    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        if (++handled == 1)
            static_cast<void>(Variant::null().toCurrency());
        return true;
    }
};

} // namespace

// An error that leaves an event handler is shown in the warning window with
// its text and logged as an error line; the event loop goes on, and the next
// event reaches the same handler.
TEST_F(StartLogTest, AnErrorLeavingAnEventHandlerIsShownAndTheProgramGoesOn)
{
    ScriptedMessages messages;
    InitializationCreate();
    FailingReceiver receiver;
    QEvent first(QEvent::User), second(QEvent::User);
    EXPECT_FALSE(DeliverGuarded([&] { return QCoreApplication::sendEvent(&receiver, &first); }));
    EXPECT_TRUE(DeliverGuarded([&] { return QCoreApplication::sendEvent(&receiver, &second); }));
    EXPECT_EQ(receiver.handled, 2);
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    const QString text = messages.callsOf(MessageCall::Warning).constFirst().description;
    EXPECT_TRUE(text.contains(QStringLiteral("(Null)")) && text.contains(QStringLiteral("(Currency)")))
        << qPrintable(text);
    EXPECT_EQ(logTexts().last(), QStringLiteral("Error: ") + text);
}
