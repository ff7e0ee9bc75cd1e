#pragma once
// The program's printing screen: one report over the main window's document,
// document line and item rows, shown in the preview panel with the commands
// around it (paging, zoom, print, save and open prepared reports, export,
// search, adding, editing and removing pages). The data module creates it
// for each print: a document, the item overview or the document overview.
//
// Which layout, printer and right a document takes is in printchoice.h, the
// report's variables in reportvariables.h, the objects filled from the
// program folder in templateobjects.h.
#include "app/print/printdata.h"

#include <QDialog>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QMenu;
class QAction;
class QPushButton;
class TIntegerEdit;
class TvlDBDataSet;
class TvlPreview;
class TvlReport;
class TvlRichObject;
class TvlView;
class Variant;

namespace Db {
class DataSource;
}

// What a file dialog of the screen asks.
struct TNahledFileQuestion
{
    bool save = false;
    QString title;
    QString folder;
    QString filter; // Qt's name filter
    QString suffix; // without the dot
    QString name;   // proposed file name
};

class TForm_Nahled : public QDialog
{
    Q_OBJECT
public:
    // The main window's data sources the reports read (any may be null).
    TForm_Nahled(Db::DataSource *doklad, Db::DataSource *dokladDetail, Db::DataSource *polozka,
                 QWidget *parent = nullptr);
    ~TForm_Nahled() override;

    // ---- components
    TvlReport *vlReport;
    TvlDBDataSet *vlDBDataSet_Doklad, *vlDBDataSet_DokladDetail, *vlDBDataSet_Polozka;
    // The current document's VAT rates, one record each (TPrintData::DocumentRates).
    TvlDBDataSet *vlDBDataSet_DokladDph;
    TvlRichObject *vlRichObject;
    TvlPreview *vlPreview;
    QWidget *Panel_Tlacitka;
    QPushButton *Button_Zavrit, *Button_Ulozit, *Button_Otevrit, *Button_Tisk, *Button_Export, *Button_Hledat,
        *Button_HledatDalsi, *Button_Prvni, *Button_Predchozi, *Button_Dalsi, *Button_Posledni;
    QLabel *Label_Strana, *Label_Meritko;
    TIntegerEdit *IntegerEdit_Strana;
    QComboBox *ComboBox_Meritko;
    QMenu *PopupMenu;
    QAction *PopupItem_NovaStrana, *PopupItem_EditovatStranu, *PopupItem_OdebratStranu;

    // ---- what the data module calls
    // Loads a layout by name (as given, else from the layouts folder); false
    // when no such file exists or it cannot be read (LoadProblem() says which).
    bool LoadReport(const QString &name);
    void ShowItemOverview();
    void ShowDocumentOverview();
    // operation: the document's ID_OPERACE; voucher 1: the cash voucher of a
    // cash receipt; copy: two copies; preview: the screen first, else
    // straight to the printer.
    void PrintDocument(int operation, int voucher, const QString &note, bool copy, bool preview);
    // Opens the designer on the loaded layout.
    void DesignReport();

    // The file last looked for and why it could not be used.
    QString LoadProblem() const { return m_loadProblem; }
    // Prints go into this PDF file instead of the printer's queue (tests,
    // and printing to a file); empty: the printer.
    void SetOutputFile(const QString &pdfFile) { m_outputFile = pdfFile; }
    void SetPrintData(std::unique_ptr<TPrintData> data);
    const TPrintData &PrintData() const { return *m_data; }
    // The copies the print dialog offers first (2 when the sale asked for a copy).
    int Copies() const { return m_copies; }

    // ---- handlers
    void FormShow();
    void vlReportGetValue(const QString &name, Variant &value);
    void vlReportEnterRect(QStringList &memo, TvlView *view);
    void Button_TiskClick();
    void Button_UlozitClick();
    void Button_OtevritClick();
    void Button_ExportClick();
    void Button_HledatClick();
    void Button_HledatDalsiClick();
    void IntegerEdit_StranaKeyEnter();
    void ComboBox_MeritkoClick();
    void ComboBox_MeritkoKeyEnter();
    void PopupMenuPopup();

    // How the screen asks for a file name; tests replace it. Empty: cancelled.
    static std::function<QString(QWidget *parent, const TNahledFileQuestion &question)> FileDialog;
    // How the screen and its dialogs are shown modally; tests replace it.
    static std::function<int(QDialog *dialog)> ExecDialog;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createButtons();
    // Builds the report into the preview and shows the screen; false when the build failed.
    bool showPrepared();
    // Switches the engine's printer to index (-1 keeps it).
    void switchPrinter(int index);
    bool printAll(int copies);
    void applyOutputFile();
    void showZoom();
    void showPage();
    void applyZoomText(const QString &text);

    std::unique_ptr<TPrintData> m_data;
    QString m_note;
    QString m_searchText;
    QString m_loadProblem;
    QString m_outputFile;
    int m_copies = 1;
};
