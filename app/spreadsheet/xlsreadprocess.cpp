#include "app/spreadsheet/xlsreadprocess.h"

#include "app/spreadsheet/xlsreader.h"
#include "app/spreadsheet/xlsreadresult.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

#include <sys/resource.h>

// The build folder's copy of the reading program, for runs from the build
// folder (tests, benchmarks); empty where the build does not say.
#ifndef TARMIL_XLSREAD_BUILT
#define TARMIL_XLSREAD_BUILT ""
#endif

QString XlsReadProcess::program()
{
    QStringList places;
    if (QCoreApplication::instance())
        places << QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(ProgramName);
    places << QStringLiteral(TARMIL_XLSREAD_BUILT);
    for (const QString &place : places) {
        if (!place.isEmpty() && QFileInfo(place).isExecutable())
            return place;
    }
    return {};
}

SheetCells XlsReadProcess::run(const QString &program, const QString &file, std::chrono::seconds timeLimit)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments({file});
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setChildProcessModifier([] {
        const rlimit limit{MemoryLimit, MemoryLimit};
        setrlimit(RLIMIT_AS, &limit);
    });
    process.start();
    if (!process.waitForStarted())
        throw XlsReader::unreadable(
            QStringLiteral("program %1, který sešity xls čte, nelze spustit (%2)").arg(program, process.errorString()));
    if (!process.waitForFinished(int(std::chrono::milliseconds(timeLimit).count()))) {
        process.kill();
        process.waitForFinished();
        throw XlsReader::unreadable(
            QStringLiteral("soubor je poškozený (jeho čtení neskončilo do %1 s)").arg(timeLimit.count()));
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw XlsReadResult::readingFailed();
    return XlsReadResult::decode(process.readAllStandardOutput());
}
