#include "app/print/printdata.h"

#include "data/dm.h"
#include "platform/db/datasource.h"

TDMPrintData::TDMPrintData(Db::DataSource *documents)
    : m_documents(documents)
{}

QString TDMPrintData::DocumentField(const QString &column) const
{
    Db::Dataset *rows = m_documents ? m_documents->DataSet() : nullptr;
    if (!rows && DM)
        rows = DM->MSSQLADOQuery_Doklad;
    if (!rows || !rows->Active() || rows->IsEmpty())
        return {};
    Db::Field *field = rows->FindField(column);
    return field ? field->AsString() : QString();
}

QString TDMPrintData::VatRateText(int id) const
{
    return DM ? DM->VatRateText(id, false) : QString();
}

QString TDMPrintData::StoreName() const
{
    return DM ? DM->CurrentStoreName() : QString();
}

bool TDMPrintData::HasRight(int right) const
{
    return DM && DM->HasRight(right);
}

Db::Dataset *TDMPrintData::DocumentRates() const
{
    return DM ? DM->MSSQLADOQuery_DokladDph : nullptr;
}

QString VatRateCaption(const TPrintData &data, int vatId)
{
    return QStringLiteral("DPH %1%:").arg(data.VatRateText(vatId));
}

QString PriceWithoutVatCaption(const TPrintData &data, int vatId)
{
    return QStringLiteral("Cena bez %1").arg(VatRateCaption(data, vatId));
}
