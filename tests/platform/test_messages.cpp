#include "common/scripted_messages.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(Messages, ConsoleStandInAnswersNoAndNeverInterrupts)
{
    ConsoleMessageService console;
    MessageService *before = SetMessageService(&console);
    EXPECT_FALSE(ShowQuestion(QStringLiteral("Odebrat?"), QString(), true));
    ShowProgress(QStringLiteral(" Export"));
    EXPECT_TRUE(Messages().stepProgress(QStringLiteral(" Exportuji záznam [1]"), 1));
    EXPECT_FALSE(Messages().progressInterrupted());
    HideProgress();
    SetMessageService(before);
}

TEST(Messages, RegisteredServiceReceivesCallsAndIsRemovedAfterwards)
{
    MessageService *outer = &Messages();
    {
        ScriptedMessages scripted;
        EXPECT_EQ(&Messages(), &scripted);
        ShowWarning(QStringLiteral("Transakce skončila s chybou..."), QStringLiteral("Prodej položek neproběhl..."),
                    QStringLiteral("chyba [50000]"));
        ShowInformation(QStringLiteral("Tisk"), QStringLiteral("Zkontrolujte..."), true);
        ASSERT_EQ(scripted.calls.size(), 2);
        EXPECT_EQ(scripted.calls[0].kind, MessageCall::Warning);
        EXPECT_EQ(scripted.calls[0].detail, QStringLiteral("Prodej položek neproběhl..."));
        EXPECT_EQ(scripted.calls[0].description, QStringLiteral("chyba [50000]"));
        EXPECT_TRUE(scripted.calls[1].flag);
    }
    EXPECT_EQ(&Messages(), outer);
}

TEST(Messages, ScriptedQuestionsAnswerInOrder)
{
    ScriptedMessages scripted;
    scripted.answer(true);
    scripted.answer(false);
    EXPECT_TRUE(ShowQuestion(QStringLiteral("A"), QString(), false));
    EXPECT_FALSE(ShowQuestion(QStringLiteral("B"), QString(), true));
    EXPECT_EQ(scripted.unansweredQuestions(), 0);
    ASSERT_EQ(scripted.count(MessageCall::Question), 2);
    EXPECT_EQ(scripted.callsOf(MessageCall::Question)[0].number, 1);
    EXPECT_TRUE(scripted.callsOf(MessageCall::Question)[1].flag);
}

TEST(Messages, WaitWindowIsHiddenWhenTheWorkThrows)
{
    ScriptedMessages scripted;
    try {
        WaitWindow wait(QStringLiteral("Refresh databáze..."));
        EXPECT_TRUE(scripted.waitShown());
        throw std::runtime_error("requery failed");
    } catch (const std::runtime_error &) {
    }
    EXPECT_FALSE(scripted.waitShown());
    EXPECT_EQ(scripted.count(MessageCall::HideWait), 1);
}

TEST(Messages, ScriptedInterruptStopsTheLoopAfterTheCurrentStep)
{
    ScriptedMessages scripted;
    scripted.interruptAtStep(3);
    int done = 0;
    {
        ProgressWindow progress(QStringLiteral(" Export"));
        Messages().setProgressMaximum(10);
        for (int row = 1; row <= 10; ++row) {
            ++done; // the step's own work
            if (!Messages().stepProgress(QStringLiteral(" Exportuji záznam [%1]").arg(row), row))
                break;
        }
    }
    EXPECT_EQ(done, 3);
    EXPECT_TRUE(scripted.progressInterrupted());
    EXPECT_FALSE(scripted.progressShown());
}
