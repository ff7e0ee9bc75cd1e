// A test's action waiting for a modal window ends with the test, so the
// window of a later test in the same process is its own. The test command
// runs every test in a process of its own, where the two never meet: the
// pair runs here in one process of its own, as the whole program would.
#include "modal_helper.h"

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <gtest/gtest.h>

// The pair, disabled: only the test below runs it, together.
TEST(ModalHelper, DISABLED_PairAnActionWaitsForAWindowThatNeverComes)
{
    bool acted = false;
    WhenModal([&acted](QDialog *dialog) {
        acted = true;
        dialog->reject();
    });
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 200)
        QCoreApplication::processEvents();
    EXPECT_FALSE(acted) << "no window came, the action still waits";
}

TEST(ModalHelper, DISABLED_PairTheNextTestsWindowIsNotTakenByIt)
{
    QDialog dialog;
    QTimer::singleShot(300, &dialog, &QDialog::accept);
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
}

TEST(ModalHelper, AnActionLeftWaitingByOneTestTakesNoWindowOfTheNext)
{
    QProcess pair;
    pair.setProcessChannelMode(QProcess::MergedChannels);
    pair.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_also_run_disabled_tests"),
                                                         QStringLiteral("--gtest_filter=ModalHelper.DISABLED_Pair*")});
    ASSERT_TRUE(pair.waitForFinished(60000));
    const QString output = QString::fromUtf8(pair.readAll());
    EXPECT_EQ(pair.exitCode(), 0) << qPrintable(output);
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 2 tests"))) << qPrintable(output);
}
