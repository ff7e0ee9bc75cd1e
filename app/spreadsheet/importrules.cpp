#include "app/spreadsheet/importrules.h"

#include <climits>

namespace {

// A failed check: which column and why. Thrown inside CheckImportRow only.
struct Refused
{
    int column;
    QString reason;
};

class RowChecker
{
public:
    RowChecker(const ImportRowCells &cells, ImportLookups &lookups)
        : m_cells(cells)
        , m_lookups(lookups)
    {}

    QString text(int column, int minLength, int maxLength, const char *lengthReason)
    {
        const QString value = cell(column).isEmpty() ? QString() : toText(column);
        if (value.size() < minLength || value.size() > maxLength)
            throw Refused{column, QString::fromUtf8(lengthReason)};
        return value;
    }

    qint64 integer(int column, const char *notIntegerReason)
    {
        try {
            return cell(column).toInt();
        } catch (const VariantError &) {
            throw Refused{column, QString::fromUtf8(notIntegerReason)};
        }
    }

    Currency number(int column, const char *notNumberReason)
    {
        try {
            return cell(column).toCurrency();
        } catch (const VariantError &) {
            throw Refused{column, QString::fromUtf8(notNumberReason)};
        } catch (const std::exception &) { // beyond what an amount can hold
            throw Refused{column, QString::fromUtf8(notNumberReason)};
        }
    }

    static void require(bool holds, int column, const char *reason)
    {
        if (!holds)
            throw Refused{column, QString::fromUtf8(reason)};
    }

    const Variant &cell(int column) const { return m_cells[size_t(column - 1)]; }
    ImportLookups &lookups() { return m_lookups; }

private:
    QString toText(int column)
    {
        try {
            return cell(column).toString();
        } catch (const VariantError &) {
            return QString();
        }
    }
    const ImportRowCells &m_cells;
    ImportLookups &m_lookups;
};

const char *const MarkTaken = "Označení položky, řetězec v databázi již existuje";
const char *const CodeTaken = "Kód položky, hodnota v databázi již existuje";
const char *const NameTaken = "Název položky, řetězec v databázi již existuje";

TDMItem checkRow(RowChecker &row)
{
    ImportLookups &db = row.lookups();
    TDMItem item;
    item.OZNACENI = row.text(1, 1, 16, "Označení položky, řetězec musí být 1 až 16 znaků dlouhý");
    row.require(!db.ItemMarkExists(item.OZNACENI), 1, MarkTaken);
    item.KOD = row.text(2, 1, 16, "Kód položky, řetězec musí být 1 až 16 znaků dlouhý");
    row.require(!db.ItemCodeExists(item.KOD), 2, CodeTaken);
    item.POLOZKA = row.text(3, 0, 64, "Název položky, řetězec musí být 0 až 64 znaků dlouhý");
    row.require(!db.ItemNameExists(item.POLOZKA), 3, NameTaken);
    item.SPECIFIKACE = row.text(4, 0, 128, "Specifikace položky, řetězec musí být 0 až 128 znaků dlouhý");

    const qint64 warranty = row.integer(5, "Záruka v měsících, hodnota musí být celé číslo");
    row.require(warranty >= 0 && warranty <= 240, 5, "Záruka v měsících, hodnota musí být v rozsahu 0 až 240");
    item.ZARUKA = int(warranty);

    item.DPH = row.number(6, "DPH v procentech, hodnota musí být celé nebo reálné číslo");
    row.require(item.DPH >= Currency() && item.DPH <= Currency::fromInt(100), 6,
                "DPH v procentech, hodnota musí být v rozsahu 0 až 100");
    row.require(db.VatIdByRate(item.DPH) != 0, 6, "Dph položky nenalezeno, musí existovat v databázi DPH");

    item.KATEGORIE = row.text(7, 1, INT_MAX, "Kategorie položky, řetězec musí být alespoň 1 znak dlouhý");
    row.require(db.FindCategoryByPath(item.KATEGORIE) != 0, 7,
                "Kategorie položky nenalezena, musí existovat v databázi kategoriií");
    item.DODAVATEL = row.text(8, 1, INT_MAX, "Dodavatel položky, řetězec musí být alespoň 1 znak dlouhý");
    row.require(db.ContactIdByName(item.DODAVATEL) != 0, 8,
                "Dodavatel položky nenalezen, musí existovat v databázi dodavatelů");

    item.NAKUP = row.number(9, "Nákup v Kč, hodnota musí být celé nebo reálné číslo");
    row.require(item.NAKUP > Currency(), 9, "Nákup v Kč, hodnota musí být větší než 0");
    item.PRODEJ = row.number(10, "Prodej v Kč, hodnota musí být celé nebo reálné číslo");
    row.require(item.PRODEJ > Currency(), 10, "Prodej v Kč, hodnota musí být větší než 0");

    const qint64 discount = row.integer(11, "Sleva v procentech, hodnota musí být celé číslo");
    row.require(discount >= 0 && discount <= 100, 11, "Sleva v procentech, hodnota musí být v rozsahu 0 až 100");
    item.SLEVA = int(discount);

    item.MNOZSTVI = row.number(12, "Množství, hodnota musí být celé nebo reálné číslo");
    row.require(item.MNOZSTVI > Currency(), 12, "Množství, hodnota musí být větší než 0");
    item.ZASOBA = row.number(13, "Zásoba, hodnota musí být celé nebo reálné číslo");
    row.require(item.ZASOBA > Currency(), 13, "Zásoba, hodnota musí být větší než 0");

    item.JEDNOTKA = row.text(14, 1, INT_MAX, "Jednotka položky, řetězec musí být alespoň 1 znak dlouhý");
    row.require(db.UnitIdByName(item.JEDNOTKA) != 0, 14,
                "Jednotka položky nenalezena, musí existovat v databázi jednotek");

    item.MINIMUM = row.number(15, "Minimum, hodnota musí být celé nebo reálné číslo");
    row.require(item.MINIMUM > Currency(), 15, "Minimum, hodnota musí být větší než 0");

    const Variant &multiples = row.cell(16);
    const QString flag = multiples.isString() ? multiples.stringValue() : QString();
    row.require(flag == u"A" || flag == u"N", 16, "Násobně (Ano [A]/Ne [N]), hodnota musí být \"A\" nebo \"N\"");
    item.NASOBNE = flag == u"A";
    return item;
}

} // namespace

ImportRowCheck CheckImportRow(const ImportRowCells &cells, ImportLookups &lookups)
{
    ImportRowCheck result;
    RowChecker checker(cells, lookups);
    try {
        result.item = checkRow(checker);
    } catch (const Refused &refused) {
        result.failure = ImportCellFailure{refused.column, refused.reason};
    }
    return result;
}

std::optional<ImportCellFailure> FindTakenImportValue(const TDMItem &item, ImportLookups &lookups)
{
    if (lookups.ItemMarkExists(item.OZNACENI))
        return ImportCellFailure{1, QString::fromUtf8(MarkTaken)};
    if (lookups.ItemCodeExists(item.KOD))
        return ImportCellFailure{2, QString::fromUtf8(CodeTaken)};
    if (!item.POLOZKA.isEmpty() && lookups.ItemNameExists(item.POLOZKA))
        return ImportCellFailure{3, QString::fromUtf8(NameTaken)};
    return std::nullopt;
}

QString ImportCellName(int column, int sheetRow)
{
    return QString(QChar(u'@' + column)) + QString::number(sheetRow);
}

bool TDMImportLookups::ItemMarkExists(const QString &mark)
{
    return m_dm.ItemMarkExists(m_storeId, mark);
}

bool TDMImportLookups::ItemCodeExists(const QString &code)
{
    return m_dm.ItemCodeExists(m_storeId, code);
}

bool TDMImportLookups::ItemNameExists(const QString &name)
{
    return m_dm.ItemNameExists(m_storeId, name);
}

int TDMImportLookups::VatIdByRate(Currency rate)
{
    return m_dm.VatIdByRate(rate);
}

int TDMImportLookups::FindCategoryByPath(const QString &path)
{
    return m_dm.FindCategoryByPath(path);
}

int TDMImportLookups::ContactIdByName(const QString &name)
{
    return m_dm.ContactIdByName(name);
}

int TDMImportLookups::UnitIdByName(const QString &name)
{
    return m_dm.UnitIdByName(name);
}
