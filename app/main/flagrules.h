#pragma once
// Which cells of the item lists are flagged as missing or short, and the
// colours of document and history rows. Plain rules, so they can be checked
// without a grid; the grids' colouring events apply them.
#include <QColor>
#include <QString>

// The settings' flag check boxes and colour.
struct TFlagSettings
{
    bool Polozka = false, Kod = false, Specifikace = false, Zaruka = false, Nakup = false, Prodej = false,
         Mnozstvi = false, Zasoba = false, Minimum = false, NedostatecnaZasoba = false;
    QColor Color = QColor(0xFF, 0, 0);
};

// The values of the row a cell belongs to.
class TFlagRow
{
public:
    virtual ~TFlagRow() = default;
    virtual bool IsNull(const QString &column) const = 0;
    virtual QString Text(const QString &column) const = 0;
    virtual double Number(const QString &column) const = 0;
};

// Whether the cell of the column is flagged: never for a null value; else
// when its column's condition holds and the settings ask for it.
bool ItemCellFlagged(const TFlagSettings &settings, const QString &column, const TFlagRow &row);

// The colour of a document or history row's cell: red for cancellation
// documents (operations 4 to 6), else grey for a cancelled document; no
// colour (invalid) otherwise.
QColor DocumentRowColor(int operation, bool valid);
