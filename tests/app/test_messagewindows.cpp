#include "app/common/messagewindows.h"
#include "app/common/waitprogress.h"
#include "app/common/windowmessages.h"
#include "modal_helper.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A key a user presses once he has read the window (keys of typing that
// goes on as a message window opens do not answer it).
void pressAfterReading(QWidget *dialog, Qt::Key key)
{
    QTest::qWait(MessageWindow::TypingPauseMs + 50);
    QTest::keyClick(dialog->focusWidget(), key);
}

class MessageWindows : public ::testing::Test
{
protected:
    void SetUp() override { previous = SetMessageService(&windows); }
    void TearDown() override
    {
        HideWait();
        HideProgress();
        SetMessageService(previous);
    }

    static int visibleWindowsNamed(const QString &name)
    {
        int count = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == name && w->isVisible())
                ++count;
        return count;
    }

    bool askAndPress(bool yesFocused, Qt::Key key)
    {
        WhenModal([key](QDialog *dialog) { pressAfterReading(dialog, key); });
        return ShowQuestion(QStringLiteral("Odebrat položku?"), QStringLiteral("Položka bude odebrána..."), yesFocused);
    }

    WindowMessageService windows;
    MessageService *previous = nullptr;
};

} // namespace

TEST_F(MessageWindows, QuestionAnswersByKey)
{
    EXPECT_TRUE(askAndPress(true, Qt::Key_Return));
    EXPECT_FALSE(askAndPress(false, Qt::Key_Return));
    EXPECT_FALSE(askAndPress(true, Qt::Key_Escape));
    EXPECT_FALSE(askAndPress(false, Qt::Key_Escape));
}

TEST_F(MessageWindows, QuestionAnswersByButtonAndShowsTheTexts)
{
    QString heading, detail, caption;
    bool yesIsDefault = true;
    WhenModal([&](QDialog *dialog) {
        auto *form = qobject_cast<TFormQuestion *>(dialog);
        heading = form->LabelQuestion->text();
        detail = form->LabelSpecification->text();
        caption = form->windowTitle();
        yesIsDefault = form->ButtonYes->isDefault() && !form->ButtonYes->hasFocus();
        form->ButtonYes->click();
    });
    EXPECT_TRUE(ShowQuestion(QStringLiteral("Stornovat doklad?"), QStringLiteral("Doklad č. 12"), false));
    EXPECT_EQ(heading, QStringLiteral("Stornovat doklad?"));
    EXPECT_EQ(detail, QStringLiteral("Doklad č. 12"));
    EXPECT_EQ(caption, QStringLiteral(" Otázka"));
    EXPECT_FALSE(yesIsDefault);

    WhenModal([](QDialog *dialog) { qobject_cast<TFormQuestion *>(dialog)->ButtonNo->click(); });
    EXPECT_FALSE(ShowQuestion(QStringLiteral("Stornovat doklad?"), QString(), true));

    WhenModal([](QDialog *dialog) { dialog->close(); });
    EXPECT_FALSE(ShowQuestion(QStringLiteral("Stornovat doklad?"), QString(), true));
}

TEST_F(MessageWindows, WarningWithoutDescriptionRepeatsTheSpecification)
{
    QString memo, label;
    WhenModal([&](QDialog *dialog) {
        auto *form = qobject_cast<TFormWarning *>(dialog);
        memo = form->MemoDescription->toPlainText();
        label = form->LabelSpecification->text();
        pressAfterReading(form, Qt::Key_Escape);
    });
    ShowWarning(QStringLiteral("Transakce skončila s chybou..."), QStringLiteral("Editace uživatele neproběhla..."));
    EXPECT_EQ(memo, QStringLiteral("Editace uživatele neproběhla..."));
    EXPECT_EQ(label, memo);

    WhenModal([&](QDialog *dialog) {
        memo = qobject_cast<TFormWarning *>(dialog)->MemoDescription->toPlainText();
        qobject_cast<TFormWarning *>(dialog)->ButtonOk->click();
    });
    ShowWarning(QStringLiteral("Transakce skončila s chybou..."), QStringLiteral("Prodej položek neproběhl..."),
                QStringLiteral("deadlock [40P01]"));
    EXPECT_EQ(memo, QStringLiteral("deadlock [40P01]"));
}

TEST_F(MessageWindows, InformationClosesItselfAfterThreeSecondsOnlyWhenAsked)
{
    bool timerActive = true;
    WhenModal([&](QDialog *dialog) {
        timerActive = qobject_cast<TFormInformation *>(dialog)->Timer->isActive();
        pressAfterReading(dialog, Qt::Key_Return);
    });
    ShowInformation(QStringLiteral("Tisk dokladu nelze provést..."), QString(), false);
    EXPECT_FALSE(timerActive);

    QElapsedTimer elapsed;
    elapsed.start();
    ShowInformation(QStringLiteral("Položka přidána"), QStringLiteral("Zkontrolujte zda není aktivní filtr..."), true);
    EXPECT_GE(elapsed.elapsed(), 2990);
    EXPECT_LT(elapsed.elapsed(), 10000);
}

TEST_F(MessageWindows, IconBlinksWhileTheWindowIsOpen)
{
    int hiddenSeen = 0, interval = 0;
    WhenModal([&](QDialog *dialog) {
        auto *form = qobject_cast<MessageWindow *>(dialog);
        interval = form->TimerIcon->interval();
        for (int i = 0; i < 6; ++i) {
            QTest::qWait(130);
            hiddenSeen += form->Image->isHidden() ? 1 : 0;
        }
        dialog->accept();
    });
    ShowInformation(QStringLiteral("Informace"), QString(), false);
    EXPECT_EQ(interval, 250);
    EXPECT_GE(hiddenSeen, 1);
    EXPECT_LE(hiddenSeen, 5);
}

// A question, the start-up's "run a second copy?" too, carries the
// question's icon (the blink hides it only every other quarter second).
TEST_F(MessageWindows, AQuestionShowsTheQuestionsIcon)
{
    QImage shown, expected;
    WhenModal([&](QDialog *dialog) {
        auto *form = qobject_cast<MessageWindow *>(dialog);
        shown = form->Image->pixmap().toImage();
        const int size = form->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, form);
        expected = form->style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, form).pixmap(size).toImage();
        dialog->reject();
    });
    ShowQuestion(QStringLiteral("Spustit Tarmil 5.2.3.0 ?"), QStringLiteral("Program je již jednou spuštěn..."), false);
    EXPECT_FALSE(shown.isNull());
    EXPECT_EQ(shown, expected);
}

TEST_F(MessageWindows, SecondWaitBeforeHideLeavesNoWindowBehind)
{
    ShowWait(QStringLiteral("Probíhá zálohování databáze..."));
    ShowWait(QStringLiteral("Refresh databáze..."));
    ASSERT_NE(Form_Cekejte, nullptr);
    EXPECT_EQ(Form_Cekejte->LabelSpecification->text(), QStringLiteral("Refresh databáze..."));
    EXPECT_EQ(visibleWindowsNamed(QStringLiteral("Form_Cekejte")), 1);
    HideWait();
    QApplication::processEvents();
    EXPECT_EQ(Form_Cekejte, nullptr);
    EXPECT_EQ(visibleWindowsNamed(QStringLiteral("Form_Cekejte")), 0);
    HideWait(); // a stray hide does no harm
}

TEST_F(MessageWindows, WaitWindowCannotBeClosedByTheUser)
{
    ShowWait(QStringLiteral("Probíhá obnova databáze..."));
    QTest::keyClick(Form_Cekejte, Qt::Key_Escape);
    Form_Cekejte->close();
    EXPECT_TRUE(Form_Cekejte->isVisible());
}

TEST_F(MessageWindows, InterruptStopsTheLoopAtItsNextStep)
{
    ShowProgress(QStringLiteral(" Export"));
    ASSERT_NE(Form_Progres, nullptr);
    EXPECT_EQ(Form_Progres->windowTitle(), QStringLiteral(" Export"));
    EXPECT_EQ(Form_Progres->ProgressBar->maximum(), 0);
    Messages().setProgressMaximum(100);

    int finishedSteps = 0;
    for (int row = 1; row <= 100; ++row) {
        if (!Messages().stepProgress(QStringLiteral(" Exportuji záznam [%1]").arg(row), row))
            break;
        if (row == 3)
            Form_Progres->Button_Prerusit->click(); // the user, during step 3
        ++finishedSteps;                            // the current step still finishes
    }
    EXPECT_EQ(finishedSteps, 3);
    EXPECT_EQ(Form_Progres->windowTitle(), QStringLiteral(" Exportuji záznam [4]"));
    EXPECT_EQ(Form_Progres->ProgressBar->value(), 4);
    EXPECT_FALSE(Form_Progres->Button_Prerusit->isEnabled());
    EXPECT_TRUE(Messages().progressInterrupted());
    HideProgress();
    EXPECT_EQ(Form_Progres, nullptr);
    EXPECT_FALSE(Messages().progressInterrupted());
}

TEST_F(MessageWindows, EscapeAndCloseBoxInterruptInsteadOfClosing)
{
    ShowProgress(QStringLiteral(" Import"));
    QTest::keyClick(Form_Progres, Qt::Key_Escape);
    EXPECT_TRUE(Form_Progres->isVisible());
    EXPECT_FALSE(Messages().stepProgress(QStringLiteral(" Importuji záznam [1]"), 1));

    ShowProgress(QStringLiteral(" Import")); // a new run starts uninterrupted
    EXPECT_TRUE(Messages().stepProgress(QStringLiteral(" Importuji záznam [1]"), 1));
    Form_Progres->close();
    EXPECT_TRUE(Form_Progres->isVisible());
    EXPECT_TRUE(Messages().progressInterrupted());
}

// A scanner's code whose Enter reaches a warning as it opens: the warning
// stays and names the keys it took; a key pressed after a pause answers it.
TEST_F(MessageWindows, KeysOfTypingUnderWayDoNotAnswerAWindowAsItOpens)
{
    bool stayed = false;
    QString taken;
    WhenModal([&](QDialog *dialog) {
        auto *form = qobject_cast<TFormWarning *>(dialog);
        QTest::keyClicks(form->focusWidget(), QStringLiteral("85"), Qt::NoModifier, 20);
        QTest::keyClick(form->focusWidget(), Qt::Key_Return, Qt::NoModifier, 20);
        stayed = form->isVisible();
        taken = form->LabelTypedAhead->isVisible() ? form->LabelTypedAhead->text() : QString();
        pressAfterReading(form, Qt::Key_Return);
    });
    ShowWarning(QStringLiteral("Spojení s databázovým serverem bylo obnoveno..."), QStringLiteral("Košík..."), "x");
    EXPECT_TRUE(stayed);
    EXPECT_TRUE(taken.contains(QStringLiteral("„85↵“"))) << qPrintable(taken);
}
