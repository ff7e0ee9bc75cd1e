#pragma once
// The start-up log: a modeless window with the bare texts, and the file
// "Tarmil5.log" in the program folder with each line time-stamped. The whole
// file is kept in LogLines and rewritten after every line, so a crash leaves
// every earlier line on disk. A run's first line follows one empty line that
// separates it from the run before.
#include <QDialog>
#include <QStringList>

class QFileDialog;
class QPlainTextEdit;

class TForm_Inicializace : public QDialog
{
    Q_OBJECT
public:
    explicit TForm_Inicializace(QWidget *parent = nullptr);

    QPlainTextEdit *Memo;
    // The restore's file dialog ("Obnova databáze").
    QFileDialog *OpenDialog;
};

extern TForm_Inicializace *Form_Inicializace;
extern QStringList LogLines;

// The log file's full path (AppPath must be set).
QString LogFilePath();

// Creates the window and loads the earlier runs' lines.
void InitializationCreate();
void InitializationShow();
void InitializationClose();
// Frees the window (at exit; also lets tests start a new run).
void InitializationFree();
// Adds the text to the window and writes it to the file.
void InitializationLog(const QString &text);
void InitializationLogOk();
void InitializationLogError();
// Appends "<date> <time> <text>" and rewrites the file.
void WriteLogLine(const QString &text);
