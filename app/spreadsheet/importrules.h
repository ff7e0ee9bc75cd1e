#pragma once
// The checks of one sheet row of the item import: 16 columns, left to right,
// each with its rules in order; the first failure ends the row's checks.
#include "data/dm.h"
#include "platform/variant.h"

#include <QString>

#include <array>
#include <optional>

class TDM;

constexpr int ImportColumnCount = 16;
using ImportRowCells = std::array<Variant, ImportColumnCount>;

// What the checks ask of the database, in the current store.
class ImportLookups
{
public:
    virtual ~ImportLookups() = default;
    virtual bool ItemMarkExists(const QString &mark) = 0;
    virtual bool ItemCodeExists(const QString &code) = 0;
    virtual bool ItemNameExists(const QString &name) = 0;
    virtual int VatIdByRate(Currency rate) = 0;
    virtual int FindCategoryByPath(const QString &path) = 0;
    virtual int ContactIdByName(const QString &name) = 0;
    virtual int UnitIdByName(const QString &name) = 0;
};

class TDMImportLookups : public ImportLookups
{
public:
    TDMImportLookups(TDM &dm, int storeId)
        : m_dm(dm)
        , m_storeId(storeId)
    {}
    bool ItemMarkExists(const QString &mark) override;
    bool ItemCodeExists(const QString &code) override;
    bool ItemNameExists(const QString &name) override;
    int VatIdByRate(Currency rate) override;
    int FindCategoryByPath(const QString &path) override;
    int ContactIdByName(const QString &name) override;
    int UnitIdByName(const QString &name) override;

private:
    TDM &m_dm;
    int m_storeId;
};

struct ImportCellFailure
{
    int column = 0; // 1-based
    QString reason;
};

struct ImportRowCheck
{
    std::optional<ImportCellFailure> failure;
    TDMItem item; // complete when there is no failure; SKLAD is left to the caller
};

ImportRowCheck CheckImportRow(const ImportRowCells &cells, ImportLookups &lookups);

// The label, code and name of a row that passed its checks, tested again as
// the checks test them: what another till or import took since. Nothing when
// all three are still free.
std::optional<ImportCellFailure> FindTakenImportValue(const TDMItem &item, ImportLookups &lookups);

// "A5" for column 1 of sheet row 5: the character "@" + column number.
QString ImportCellName(int column, int sheetRow);
