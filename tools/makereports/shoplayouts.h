#pragma once
// The shop's report layouts, each built into an empty report, and the list
// of layout files the program ships in its "Sestavy" folder.
#include <QList>
#include <QString>
#include <functional>

class TvlReport;

void BuildInvoice(TvlReport &report);
void BuildDeliveryNote(TvlReport &report);
void BuildCancellation(TvlReport &report);
void BuildReceiptA4(TvlReport &report);
void BuildReceiptA5(TvlReport &report);
void BuildReceiptRoll(TvlReport &report);
void BuildCashVoucher(TvlReport &report);
void BuildItemOverview(TvlReport &report);
void BuildDocumentOverview(TvlReport &report);

struct ShopLayout
{
    QString fileName;
    std::function<void(TvlReport &)> build;
};
QList<ShopLayout> ShopLayouts();
