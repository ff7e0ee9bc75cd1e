#pragma once
// Converts a file with the office suite's spreadsheet program run headless,
// under the C locale (so nothing is read in a Czech code page by luck) and
// with a profile of its own (so runs in parallel do not share one). Returns
// the converted file's path, empty when the conversion failed.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

// filter: the target of --convert-to, e.g. "xls" or "csv:...".
inline QString ConvertWithOffice(const QString &file, const QString &filter, const QString &outDir)
{
    const QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    EXPECT_FALSE(office.isEmpty()) << "soffice is missing (libreoffice-calc-nogui)";
    if (office.isEmpty())
        return {};
    QTemporaryDir profile;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"LC_ALL", "LANG", "LANGUAGE", "LC_CTYPE"})
        environment.insert(QLatin1String(name), QStringLiteral("C"));
    environment.insert(QStringLiteral("HOME"), profile.path());
    process.setProcessEnvironment(environment);
    process.start(office, {QStringLiteral("-env:UserInstallation=") +
                               QUrl::fromLocalFile(profile.filePath(QStringLiteral("user"))).toString(),
                           QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--convert-to"),
                           filter, QStringLiteral("--outdir"), outDir, file});
    EXPECT_TRUE(process.waitForFinished(180000));
    const QString extension = filter.section(u':', 0, 0);
    const QString converted = QDir(outDir).filePath(QFileInfo(file).completeBaseName() + u'.' + extension);
    EXPECT_TRUE(QFileInfo::exists(converted)) << qPrintable(QString::fromLocal8Bit(process.readAllStandardError()));
    return QFileInfo::exists(converted) ? converted : QString();
}

// The CSV filter: comma, double quotes, UTF-8 (76).
inline QString OfficeCsvFilter()
{
    return QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76");
}
