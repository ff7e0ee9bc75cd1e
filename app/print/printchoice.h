#pragma once
// Which layout prints what, on which of the settings' printers, and which
// right a document's print needs. Layouts are looked up by name: first the
// name itself (relative to the current folder), then in the program's
// "Sestavy" folder.
#include "app/settings/shopsettings.h"

#include <QString>
#include <QStringList>

namespace ReportFile {
inline const QString ItemOverview = QStringLiteral("Prehled_Polozky_A4.vlf");
inline const QString DocumentOverview = QStringLiteral("Prehled_Dokladu_A4.vlf");
inline const QString ReceiptA4 = QStringLiteral("Uctenka_A4.vlf");
inline const QString ReceiptA5 = QStringLiteral("Uctenka_A5.vlf");
inline const QString ReceiptRoll = QStringLiteral("Uctenka_Svitek.vlf");
inline const QString CashVoucher = QStringLiteral("Prijmovy_Doklad_A4.vlf");
inline const QString Invoice = QStringLiteral("Faktura_A4.vlf");
inline const QString DeliveryNote = QStringLiteral("Dodaci_List_A4.vlf");
inline const QString Cancellation = QStringLiteral("Storno_A4.vlf");
} // namespace ReportFile

// The layout, the printer and the right of one document print.
struct TDocumentReport
{
    QString file;
    DocumentPrinter printer = DocumentPrinter::Storno;
    int right = 0; // 0: no right needed

    bool operator==(const TDocumentReport &) const = default;
};

class TDocumentReportChoice
{
public:
    // operation: the document's ID_OPERACE (1 cash receipt, 2 invoice with
    // delivery note, 3 delivery note, anything else a cancellation); voucher:
    // 1 for the cash voucher of a cash receipt, 0 for the document itself.
    static TDocumentReport For(int operation, int voucher, ReceiptFormat format);

    // The engine's printer (an index into its list) for a settings printer:
    // the one of that name; without a name the one at the stored position
    // when that is an installed printer; else -1 (keep the printer in use).
    static int EnginePrinter(const QStringList &enginePrinters, int virtualIndex, const QString &name, int index);

    // Where a layout is looked for: the name as given when that file exists,
    // else the name in the layouts folder (whether it exists or not).
    static QString LayoutPath(const QString &name, const QString &layoutsFolder);
};
