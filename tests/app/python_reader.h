#pragma once
// Runs a Python script with an interpreter that has Debian's spreadsheet
// readers (python3-xlrd, python3-openpyxl); another python3 may come first
// on the PATH. Returns the script's standard output.
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

inline QString debianPython()
{
    for (const QString &candidate : {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")}) {
        QProcess probe;
        probe.start(candidate, {QStringLiteral("-c"), QStringLiteral("import xlrd, openpyxl")});
        if (probe.waitForFinished(20000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0)
            return candidate;
    }
    return QString();
}

inline QString runPython(const QString &script, const QStringList &arguments = {})
{
    const QString python = debianPython();
    EXPECT_FALSE(python.isEmpty()) << "python3 with xlrd and openpyxl is missing";
    QProcess process;
    process.start(python, QStringList{QStringLiteral("-c"), script} + arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    const QString errors = QString::fromUtf8(process.readAllStandardError());
    EXPECT_EQ(process.exitCode(), 0) << qPrintable(errors);
    return QString::fromUtf8(process.readAllStandardOutput());
}
