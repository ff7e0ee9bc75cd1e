#include <QApplication>
#include <gtest/gtest.h>

TEST(Startup, ApplicationObjectExists)
{
    ASSERT_NE(qApp, nullptr);
}
