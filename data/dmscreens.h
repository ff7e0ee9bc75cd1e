#pragma once
// What the data module needs of the program's screens: the main window's
// summary labels and the preview screen that prints documents and overviews.
// The program registers its main window at start-up; tests register their
// own. With nothing registered the labels are dropped and nothing is printed.
#include <QString>

#include <memory>

enum class TSummaryLabel { Sklad, ProdejStatus, Doklady, Prodeje, Zisk, Pokladna };

// The component name of a summary label ("Label_Sklad_" ...).
QString SummaryLabelName(TSummaryLabel label);

// The preview screen `Form_Nahled`, created for one print and freed after it.
class TDMPreview
{
public:
    virtual ~TDMPreview() = default;
    // operation: the document's ID_OPERACE; voucher: 0 the document itself,
    // 1 the cash voucher of a cash receipt; secondCopy: two copies.
    virtual void PrintDocument(int operation, int voucher, const QString &note, bool secondCopy, bool preview) = 0;
    virtual void ShowItemOverview() = 0;
    virtual void ShowDocumentOverview() = 0;
};

class TDMScreens
{
public:
    virtual ~TDMScreens() = default;
    virtual void SetSummaryLabel(TSummaryLabel label, const QString &text) = 0;
    virtual std::unique_ptr<TDMPreview> CreatePreview() = 0;
    // A lost server session was replaced and the lists read again: what the
    // screens show besides them (the store in the title) is read again too.
    virtual void sessionRenewed() {}
};

// The screens in force, or null when none are registered.
TDMScreens *DataModuleScreens();
// Registers the screens (not owned); returns the ones set before.
TDMScreens *SetDataModuleScreens(TDMScreens *screens);
