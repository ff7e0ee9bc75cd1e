#pragma once
// Where a report entry's file is found. A full path stands as it is; a bare
// file name lives in the reports folder ("Sestavy"); a relative path is
// taken from the program folder first, then from the reports folder. The
// process's current folder is never searched: it depends on how the program
// was started.
#include <QString>

// The existing file's full path, empty when the file exists nowhere.
QString ReportFilePath(const QString &file);
