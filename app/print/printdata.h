#pragma once
// What document printing reads of the data module: the current document
// row, VAT rate texts, the current store and the user's rights. The program
// reads them from the data module and the main window's data sources; tests
// give their own.
#include <QString>

namespace Db {
class DataSource;
class Dataset;
} // namespace Db

class TPrintData
{
public:
    virtual ~TPrintData() = default;
    // A column of the current document row as text; empty without a row.
    virtual QString DocumentField(const QString &column) const = 0;
    // The rate of a VAT id as text ("21").
    virtual QString VatRateText(int id) const = 0;
    virtual QString StoreName() const = 0;
    virtual bool HasRight(int right) const = 0;
    // The VAT rates of the current document (rate, base, VAT and total each),
    // read when a report opens them; none without a data module.
    virtual Db::Dataset *DocumentRates() const { return nullptr; }
};

// Over the data module (DM) and the document data source's current row.
class TDMPrintData : public TPrintData
{
public:
    explicit TDMPrintData(Db::DataSource *documents);
    QString DocumentField(const QString &column) const override;
    QString VatRateText(int id) const override;
    QString StoreName() const override;
    bool HasRight(int right) const override;
    Db::Dataset *DocumentRates() const override;

private:
    Db::DataSource *m_documents;
};

// "DPH 21%:" for the rate of a VAT id, and "Cena bez DPH 21%:".
QString VatRateCaption(const TPrintData &data, int vatId);
QString PriceWithoutVatCaption(const TPrintData &data, int vatId);
