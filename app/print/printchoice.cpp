#include "app/print/printchoice.h"

#include "app/start/appglobals.h"

#include <QFileInfo>

TDocumentReport TDocumentReportChoice::For(int operation, int voucher, ReceiptFormat format)
{
    switch (operation) {
    case 1:
        if (voucher != 0)
            return {ReportFile::CashVoucher, DocumentPrinter::PrijmovyDoklad, 0};
        switch (format) {
        case ReceiptFormat::A5:
            return {ReportFile::ReceiptA5, DocumentPrinter::UctenkaA5, 37};
        case ReceiptFormat::A4:
            return {ReportFile::ReceiptA4, DocumentPrinter::UctenkaA4, 37};
        case ReceiptFormat::Svitek:
            break;
        }
        return {ReportFile::ReceiptRoll, DocumentPrinter::UctenkaSvitek, 37};
    case 2:
        return {ReportFile::Invoice, DocumentPrinter::Faktura, 38};
    case 3:
        return {ReportFile::DeliveryNote, DocumentPrinter::DodaciList, 39};
    default:
        return {ReportFile::Cancellation, DocumentPrinter::Storno, 0};
    }
}

int TDocumentReportChoice::EnginePrinter(const QStringList &enginePrinters, int virtualIndex, const QString &name,
                                         int index)
{
    if (!name.isEmpty())
        return int(enginePrinters.indexOf(name)); // never whichever printer took over the position
    if (index >= 0 && index < enginePrinters.size() && index != virtualIndex)
        return index;
    return -1;
}

QString TDocumentReportChoice::LayoutPath(const QString &name, const QString &layoutsFolder)
{
    if (QFileInfo(name).isFile())
        return name;
    return CombinePath(name, layoutsFolder);
}
