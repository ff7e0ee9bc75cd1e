// main() of the tests through the window system: a private display before
// the application, a screenshot of it at every failed check.
#include "x11/harness/x11harness.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

QString g_problem;

// Without a display every test is skipped, saying why.
class DisplayPresent : public ::testing::Environment
{
public:
    void SetUp() override
    {
        if (!g_problem.isEmpty())
            GTEST_SKIP() << "no private X display: " << g_problem.toStdString();
    }
};

class ShotOnFailure : public ::testing::EmptyTestEventListener
{
    // The test's name is taken at its start: gtest holds its lock while it
    // reports a failure.
    void OnTestStart(const ::testing::TestInfo &test) override
    {
        m_test =
            QStringLiteral("%1.%2").arg(QString::fromLatin1(test.test_suite_name()), QString::fromLatin1(test.name()));
        m_count = 0;
    }
    void OnTestPartResult(const ::testing::TestPartResult &result) override
    {
        if (!result.failed() || !g_problem.isEmpty())
            return;
        const QString path = X11::Screenshot(QStringLiteral("%1-%2").arg(m_test).arg(++m_count));
        fprintf(stderr, "screenshot of the failure: %s\n", qPrintable(path.isEmpty() ? QStringLiteral("none") : path));
    }
    QString m_test = QStringLiteral("failure");
    int m_count = 0;
};

} // namespace

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    X11::PrivateDisplay display;
    if (!GTEST_FLAG_GET(list_tests))
        g_problem = display.Start();
    // Listing the tests needs no display.
    if (!g_problem.isEmpty() || GTEST_FLAG_GET(list_tests))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int result = 0;
    {
        QApplication app(argc, argv);
        ::testing::AddGlobalTestEnvironment(new DisplayPresent);
        ::testing::UnitTest::GetInstance()->listeners().Append(new ShotOnFailure);
        result = RUN_ALL_TESTS();
    }
    display.Stop();
    return result;
}
