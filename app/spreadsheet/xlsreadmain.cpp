// tarmil5-xlsread: reads the active sheet of the .xls file named on the
// command line and writes the cells, or why they cannot be read, to the
// standard output (see xlsreadresult.h). Run by the import, so that the
// reading library's faults on damaged files end only this program.
#include "app/spreadsheet/xlsreader.h"
#include "app/spreadsheet/xlsreadresult.h"

#include <QFile>

#include <cstdio>
#include <new>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tarmil5-xlsread FILE.xls\n");
        return 2;
    }
    QByteArray output;
    try {
        output = XlsReadResult::encode(XlsReader::readActiveSheetHere(QFile::decodeName(argv[1])));
    } catch (const SheetReadError &error) {
        output = XlsReadResult::encodeFailure(error.reason);
    } catch (const std::bad_alloc &) {
        output = XlsReadResult::encodeFailure(XlsReader::unreadable(QStringLiteral("na sešit nestačí paměť")).reason);
    }
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly) || out.write(output) != output.size() || !out.flush())
        return 1;
    return 0;
}
