#pragma once
// What the reading libraries' error numbers mean, said in Czech: a bare
// number tells the user nothing about what is wrong with the file.
#include <QString>

// An error code of the zip archive library (an .xlsx is a zip archive).
QString ZipErrorReason(int code);
// A negative result of the .xls reading library.
QString XlsLibraryReason(int code);
