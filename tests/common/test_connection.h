#pragma once
// A Db::Connection to a throwaway database of the test server.
#include "common/test_database.h"
#include "platform/db/connection.h"

#include <gtest/gtest.h>

// The server as the login dialog would name it: socket folder or host, ":port".
inline QString testServerName()
{
    return qEnvironmentVariable("TARMIL5_TEST_SERVER");
}

class LiveDatabaseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(connection.open(testServerName(), database.name(), TestDatabase::user(), TestDatabase::password()))
            << qPrintable(connection.lastErrorText());
    }
    // Runs SQL that must succeed.
    void run(const QString &sql)
    {
        ASSERT_TRUE(connection.exec(sql).succeeded()) << qPrintable(connection.lastErrorText());
    }

    TestDatabase database;
    Db::Connection connection;
};

// The older name; suites that define a DatabaseTest fixture of their own
// simply do not include this header.
using DatabaseTest = LiveDatabaseTest;
