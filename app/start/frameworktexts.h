#pragma once
// The framework's own texts (file dialogs, the edit fields' context menus,
// standard buttons) in Czech like the rest of the program.
class QCoreApplication;
class QTranslator;

// Installs the framework's Czech translation into the application; returns it
// (owned by the application), or null when the system has none.
QTranslator *InstallFrameworkTexts(QCoreApplication *application);
