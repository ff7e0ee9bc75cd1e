#pragma once
// The program-wide names every screen reads: the title with the version, the
// program folder and its subfolders. Set once at start-up (SetAppGlobals).
#include <QString>

// The program's product name and file version, as the build sets them.
#ifndef TARMIL_PRODUCT_NAME
#define TARMIL_PRODUCT_NAME "Tarmil"
#endif
#ifndef TARMIL_FILE_VERSION
#define TARMIL_FILE_VERSION "5.2.3.0"
#endif

extern QString AppTitle;    // "Tarmil 5.2.3.0"
extern QString AppPath;     // the program folder, with its trailing "/"
extern QString PathSestavy; // report layouts
extern QString PathExport;
extern QString PathSQL;    // SQL console scripts
extern QString PathZaloha; // database backups

// One text of the program's version information ("ProductName",
// "FileVersion", "FileDescription", "CompanyName", "LegalCopyright",
// "ProductVersion", "InternalName", "OriginalFilename"); empty for any other
// key.
QString GetVersionInfo(const QString &key);

// folder + "/" + name, without a second "/" when the folder ends in one.
QString CombinePath(const QString &name, const QString &folder);

// Sets AppTitle, AppPath and the four folders. The folders are only named
// here: none is created or tested.
void SetAppGlobals();
