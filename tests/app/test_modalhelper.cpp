// A test's action waiting for a modal window ends with the test: run as one
// process, the window of the next test is its own.
#include "modal_helper.h"

#include <QDialog>
#include <QTimer>
#include <gtest/gtest.h>

TEST(ModalHelper, AnActionWaitsForAWindowThatNeverComes)
{
    WhenModal([](QDialog *dialog) { dialog->reject(); });
}

TEST(ModalHelper, TheNextTestsWindowIsNotTakenByIt)
{
    QDialog dialog;
    QTimer::singleShot(300, &dialog, &QDialog::accept);
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
}
