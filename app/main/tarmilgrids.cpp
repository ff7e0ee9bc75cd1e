// The six grids of the main window: their columns, sorting by title,
// colouring and the pop-up menu they share.
#include "app/main/tarmilform.h"

#include "platform/db/datasource.h"
#include "platform/messages.h"

#include <QAction>
#include <QHash>
#include <QMenu>

namespace {

struct ColumnDef
{
    const char *field;
    const char *title;
    bool hidden;
};

using ColumnTable = std::initializer_list<ColumnDef>;

const ColumnTable kItemColumns{{"OZNACENI", "Označení", false},
                               {"KOD", "Kód", false},
                               {"POLOZKA", "Položka", false},
                               {"SPECIFIKACE", "Specifikace", false},
                               {"ZARUKA", "Záruka [m]", true},
                               {"DPH", "DPH [%]", false},
                               {"KATEGORIE", "Kategorie", false},
                               {"DODAVATEL", "Dodavatel", true},
                               {"NAKUP", "Nákup [Kč]", false},
                               {"PRODEJ", "Prodej [Kč]", false},
                               {"SLEVA", "Sleva [%]", false},
                               {"MNOZSTVI", "Množství []", false},
                               {"JEDNOTKA", "Jednotka []", false},
                               {"MINIMUM", "Min. []", false},
                               {"NASOBNE", "Nás.", false},
                               {"ZASOBA", "Zásoba []", true},
                               {"NAKUP_CELKEM", "Nákup celkem [Kč]", false}};

const ColumnTable kHistoryColumns{{"CAS", "Čas", false},
                                  {"OPERACE", "Akce", false},
                                  {"STATE_STAV", "Stav", false},
                                  {"DOKLAD_NETISTENY", "Doklad netištěný", false},
                                  {"DOKLAD_VYTISTENY", "Doklad vytištěný", false},
                                  {"OZNACENI", "Označení", false},
                                  {"KOD", "Kód", false},
                                  {"POLOZKA", "Položka", false},
                                  {"SPECIFIKACE", "Specifikace", true},
                                  {"ZARUKA", "Zár. [m]", true},
                                  {"DPH", "DPH [%]", true},
                                  {"KATEGORIE", "Kategorie", false},
                                  {"DODAVATEL", "Dodavatel", true},
                                  {"ODBERATEL", "Odběratel", true},
                                  {"NAKUP", "Nákup [Kč]", false},
                                  {"PRODEJ", "Prodej [Kč]", false},
                                  {"SLEVA", "Sleva [%]", false},
                                  {"MNOZSTVI", "Množství []", false},
                                  {"JEDNOTKA", "Jednotka", false},
                                  {"MINIMUM", "Min. []", false},
                                  {"NASOBNE", "Nás.", false},
                                  {"ZASOBA", "Zásoba []", true},
                                  {"UZIVATEL", "Uživatel", false}};

const ColumnTable kBasketColumns{{"OZNACENI", "Označení", false},
                                 {"KOD", "Kód", false},
                                 {"POLOZKA", "Položka", false},
                                 {"SPECIFIKACE", "Specifikace", true},
                                 {"ZARUKA", "Záruka [m]", false},
                                 {"DPH", "DPH [%]", false},
                                 {"KATEGORIE", "Kategorie", false},
                                 {"DODAVATEL", "Dodavatel", true},
                                 {"PRODEJ", "Prodej [Kč]", false},
                                 {"SLEVA", "Sleva [%]", false},
                                 {"MNOZSTVI", "Množství []", false},
                                 {"JEDNOTKA", "Jednotka", false},
                                 {"PRODEJ_CELKEM", "Prodej celkem [Kč]", false}};

const ColumnTable kDocumentColumns{{"CAS", "Čas", false},
                                   {"OPERACE", "Akce", false},
                                   {"STATE_STAV", "Stav", false},
                                   {"DOKLAD_NETISTENY", "Netištěný doklad", false},
                                   {"DOKLAD_VYTISTENY", "Vytištěný doklad", false},
                                   {"ODBERATEL", "Odběratel", false},
                                   {"SLEVA", "Sleva [%]", false},
                                   {"POLOZKY_CELKEM", "Položky celkem [1]", false},
                                   {"NAKUP_CELKEM", "Nákup celkem [Kč]", false},
                                   {"PRODEJ_CELKEM", "Prodej celkem [Kč]", false},
                                   {"UZIVATEL", "Uživatel", false}};

const ColumnTable kLineColumns{{"OZNACENI", "Označení", false},
                               {"KOD", "Kód", false},
                               {"POLOZKA", "Položka", false},
                               {"SPECIFIKACE", "Specifikace", true},
                               {"ZARUKA", "Zár. [m]", false},
                               {"DPH", "DPH [%]", false},
                               {"SKLAD", "Sklad", true},
                               {"KATEGORIE", "Kategorie", false},
                               {"DODAVATEL", "Dodavatel", false},
                               {"NAKUP", "Nákup [Kč]", false},
                               {"PRODEJ", "Prodej [Kč]", false},
                               {"SLEVA", "Sleva [%]", false},
                               {"MNOZSTVI", "Množství []", false},
                               {"JEDNOTKA", "Jednotka", false},
                               {"NAKUP_CELKEM", "Nákup celkem [Kč]", false},
                               {"PRODEJ_CELKEM", "Prodej celkem [Kč]", false}};

// Texts get room for their contents; numbers for their titles.
int columnWidth(const QFontMetrics &metrics, const QString &field, const QString &title)
{
    static const QHash<QString, int> characters{{"POLOZKA", 24},   {"SPECIFIKACE", 18},      {"KATEGORIE", 18},
                                                {"DODAVATEL", 16}, {"ODBERATEL", 16},        {"CAS", 17},
                                                {"OPERACE", 10},   {"DOKLAD_NETISTENY", 17}, {"DOKLAD_VYTISTENY", 17},
                                                {"UZIVATEL", 12},  {"OZNACENI", 10},         {"KOD", 12}};
    // Columns whose longest texts are known get room for them whole.
    static const QHash<QString, QString> longest{
        {"KOD", "8888888888888"}, {"CAS", "28.12.2026 23:58:58"}, {"OPERACE", "Storno [F]aktury/dodacího listu"}};
    const int text = longest.contains(field) ? metrics.horizontalAdvance(longest.value(field)) + 16
                                             : characters.value(field) * metrics.averageCharWidth();
    return qMax(qMax(60, text), metrics.horizontalAdvance(title) + 24);
}

TKxDBGrid *newGrid(const QString &name, ColumnTable columns)
{
    auto *grid = new TKxDBGrid;
    grid->setObjectName(name);
    for (const ColumnDef &c : columns) {
        const QString title = QString::fromUtf8(c.title);
        const QString field = QString::fromLatin1(c.field);
        TColumn *column = grid->Columns().Add(field, title, columnWidth(grid->fontMetrics(), field, title));
        column->Visible = !c.hidden;
    }
    grid->Columns().Changed();
    return grid;
}

// The values of the row being painted, for the flag rules.
class PaintedRow : public TFlagRow
{
public:
    explicit PaintedRow(TKxDBGrid *grid)
        : m_grid(grid)
        , m_row(grid->PaintingRow())
    {}
    bool IsNull(const QString &column) const override { return m_row.IsNull(column); }
    QString Text(const QString &column) const override
    {
        Db::Field *field = m_grid->DataSet() ? m_grid->DataSet()->FindField(column) : nullptr;
        return field ? m_row.AsString(*field) : QString();
    }
    double Number(const QString &column) const override { return m_row.AsFloat(column); }

private:
    TKxDBGrid *m_grid;
    const TGridRowValues &m_row;
};

} // namespace

void TForm_Tarmil::createGrids()
{
    KxDBGrid_Polozka = newGrid(QStringLiteral("KxDBGrid_Polozka"), kItemColumns);
    KxDBGrid_PolozkaHistorie = newGrid(QStringLiteral("KxDBGrid_PolozkaHistorie"), kHistoryColumns);
    KxDBGrid_PolozkaProdej = newGrid(QStringLiteral("KxDBGrid_PolozkaProdej"), kItemColumns);
    KxDBGrid_Prodej = newGrid(QStringLiteral("KxDBGrid_Prodej"), kBasketColumns);
    KxDBGrid_Doklad = newGrid(QStringLiteral("KxDBGrid_Doklad"), kDocumentColumns);
    KxDBGrid_ProdejHistorie = newGrid(QStringLiteral("KxDBGrid_ProdejHistorie"), kLineColumns);
    m_grids = {KxDBGrid_Polozka, KxDBGrid_PolozkaHistorie, KxDBGrid_PolozkaProdej,
               KxDBGrid_Prodej,  KxDBGrid_Doklad,          KxDBGrid_ProdejHistorie};

    auto source = [this](const QString &name) {
        auto *s = new Db::DataSource(this);
        s->setObjectName(name);
        return s;
    };
    DataSource_Polozka = source(QStringLiteral("DataSource_Polozka"));
    DataSource_PolozkaHistorie = source(QStringLiteral("DataSource_PolozkaHistorie"));
    DataSource_Prodej = source(QStringLiteral("DataSource_Prodej"));
    DataSource_Doklad = source(QStringLiteral("DataSource_Doklad"));
    DataSource_DokladDetail = source(QStringLiteral("DataSource_DokladDetail"));
    KxDBGrid_Polozka->SetDataSource(DataSource_Polozka);
    KxDBGrid_PolozkaProdej->SetDataSource(DataSource_Polozka);
    KxDBGrid_PolozkaHistorie->SetDataSource(DataSource_PolozkaHistorie);
    KxDBGrid_Prodej->SetDataSource(DataSource_Prodej);
    KxDBGrid_Doklad->SetDataSource(DataSource_Doklad);
    KxDBGrid_ProdejHistorie->SetDataSource(DataSource_DokladDetail);
    connect(DataSource_Polozka, &Db::DataSource::dataChange, this, [this] { DataSource_PolozkaDataChange(); });
    connect(DataSource_Doklad, &Db::DataSource::dataChange, this, [this] { DataSource_DokladDataChange(); });
    // Opening, re-opening and filtering replace the rows without moving in them.
    connect(DataSource_Polozka, &Db::DataSource::activeChange, this, [this] { DataSource_PolozkaDataChange(); });
    connect(DataSource_Doklad, &Db::DataSource::activeChange, this, [this] { DataSource_DokladDataChange(); });

    const TKxDBGrid::TDBGridOptions options{TKxDBGrid::dgTitles, TKxDBGrid::dgIndicator, TKxDBGrid::dgColumnResize,
                                            TKxDBGrid::dgRowSelect, TKxDBGrid::dgAlwaysShowSelection};
    for (TKxDBGrid *grid : m_grids) {
        grid->SetOptions(options);
        grid->SetTitleButtons(true);
        grid->SetReadOnly(true);
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid, &QWidget::customContextMenuRequested, this, [this, grid](const QPoint &point) {
            m_popupGrid = grid;
            PopupMenuPopup();
            PopupMenu->popup(grid->mapToGlobal(point));
        });
        grid->OnTitleBtnClick = [this](TKxDBGrid *sender, int, Db::Field *field) {
            KxDBGridTitleBtnClick(sender, field);
        };
        grid->OnGetBtnParams = [this](TKxDBGrid *sender, Db::Field *field, TKxCellFont &, QColor &background,
                                      TKxDBGrid::TSortMarker &marker,
                                      bool) { KxDBGridGetBtnParams(sender, field, marker, background); };
        grid->OnKeyPress = [this](TKxDBGrid *sender, QChar &key) { KxDBGridKeyPress(sender, key); };
        grid->OnDblClick = [this](TKxDBGrid *sender) { KxDBGridDblClick(sender); };
        grid->OnMouseDown = [this](TKxDBGrid *sender, Qt::MouseButton button, Qt::KeyboardModifiers, QPoint pos) {
            int col = -1, row = -1;
            sender->GridCellAtMouse(pos, col, row);
            const bool dataCell = col >= sender->IndicatorOffset() && row >= sender->TitleOffset();
            m_pressGrid = button == Qt::LeftButton && dataCell && !DataSetIsEmpty(sender->DataSet()) ? sender : nullptr;
            m_pressPoint = pos;
        };
        grid->installEventFilter(this);
        grid->viewport()->installEventFilter(this);
        grid->viewport()->setAcceptDrops(true);
    }
    for (TKxDBGrid *grid : {KxDBGrid_Polozka, KxDBGrid_PolozkaProdej}) {
        grid->SetOptions(grid->Options() | TKxDBGrid::dgMultiSelect);
        grid->OnGetCellParams = [this](TKxDBGrid *sender, Db::Field *field, TKxCellFont &font, QColor &background,
                                       bool highlight) {
            KxDBGridPolozkaGetCellParams(sender, field, font, background, highlight);
        };
    }
    for (TKxDBGrid *grid : {KxDBGrid_Doklad, KxDBGrid_PolozkaHistorie})
        grid->OnGetCellParams = [this](TKxDBGrid *sender, Db::Field *field, TKxCellFont &font, QColor &background,
                                       bool highlight) {
            KxDBGridDokladGetCellParams(sender, field, font, background, highlight);
        };
}

void TForm_Tarmil::KxDBGridTitleBtnClick(TKxDBGrid *grid, Db::Field *field)
{
    auto *query = qobject_cast<TMSSQLADOQuery *>(grid->DataSet());
    if (!query || !field)
        return;
    const QString key = grid == KxDBGrid_Doklad ? QStringLiteral("ID_DOKLAD") : QStringLiteral("ID_POLOZKA");
    query->SortByColumn(key, field, QStringLiteral("%ORDER_BY"));
}

void TForm_Tarmil::KxDBGridGetBtnParams(TKxDBGrid *grid, Db::Field *field, TKxDBGrid::TSortMarker &marker,
                                        QColor &background)
{
    background = QColor(0xCA, 0xC5, 0xB9); // $00B9C5CA
    auto *query = qobject_cast<TMSSQLADOQuery *>(grid->DataSet());
    // The query's sort states (none, ascending, descending) are the markers' values.
    marker = TKxDBGrid::TSortMarker(query && field ? query->SortState(field) : 0);
}

void TForm_Tarmil::KxDBGridPolozkaGetCellParams(TKxDBGrid *grid, Db::Field *field, TKxCellFont &font,
                                                QColor &background, bool highlight)
{
    if (!field)
        return;
    const TFlagSettings settings = FlagSettings();
    if (!ItemCellFlagged(settings, field->FieldName(), PaintedRow(grid)))
        return;
    // MarkFlaggedCell
    if (highlight) {
        background = settings.Color;
    } else {
        font.setBold(true);
        font.Color = settings.Color;
    }
}

void TForm_Tarmil::KxDBGridDokladGetCellParams(TKxDBGrid *grid, Db::Field *field, TKxCellFont &font, QColor &background,
                                               bool highlight)
{
    const TGridRowValues &row = grid->PaintingRow();
    if (!field || row.IsNull(*field))
        return;
    const Db::Field *operation = grid->DataSet()->FindField(QStringLiteral("ID_OPERACE"));
    const Db::Field *state = grid->DataSet()->FindField(QStringLiteral("STATE_STAV"));
    const QColor color = DocumentRowColor(operation ? int(row.AsInteger(*operation)) : 0,
                                          !state || row.IsNull(*state) || row.AsBoolean(*state));
    if (!color.isValid())
        return;
    if (highlight)
        background = color;
    else
        font.Color = color;
}

void TForm_Tarmil::createGridPopupMenu()
{
    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    PopupItem_Sloupce = PopupMenu->addMenu(QStringLiteral("Zobrazit sloupce"));
    PopupItem_Sloupce->setObjectName(QStringLiteral("PopupItem_Sloupce"));
    PopupItem_VsechnySloupce = PopupMenu->addAction(QStringLiteral("Zobrazit všechny sloupce"));
    PopupMenu->addSeparator();
    PopupItem_RowSelect = PopupMenu->addAction(QStringLiteral("Výběr reprezentuje celý řádek"));
    PopupItem_RowLines = PopupMenu->addAction(QStringLiteral("Zobrazit oddělovací čáry mezi řádky"));
    PopupItem_ColLines = PopupMenu->addAction(QStringLiteral("Zobrazit oddělovací čáry mezi sloupci"));
    PopupItem_MultiSelect = PopupMenu->addAction(QStringLiteral("Vícenásobný výběr"));
    PopupMenu->setDefaultAction(PopupItem_MultiSelect);
    PopupMenu->addSeparator();
    PopupItem_Export = PopupMenu->addAction(QStringLiteral("Export do Excelu..."));

    connect(PopupItem_VsechnySloupce, &QAction::triggered, this, [this] {
        if (!m_popupGrid)
            return;
        for (int i = 0; i < m_popupGrid->Columns().Count(); ++i)
            m_popupGrid->Columns()[i]->Visible = true;
        m_popupGrid->Columns().Changed();
    });
    const std::pair<QAction *, TKxDBGrid::TDBGridOption> toggles[] = {
        {PopupItem_RowSelect, TKxDBGrid::dgRowSelect},
        {PopupItem_RowLines, TKxDBGrid::dgRowLines},
        {PopupItem_ColLines, TKxDBGrid::dgColLines},
        {PopupItem_MultiSelect, TKxDBGrid::dgMultiSelect}};
    for (const auto &[item, option] : toggles) {
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, option = option] {
            if (m_popupGrid)
                m_popupGrid->SetOptions(m_popupGrid->Options() ^ option);
        });
    }
    connect(PopupItem_Export, &QAction::triggered, this, [this] {
        if (m_popupGrid)
            ShowExportDialog(m_popupGrid);
    });
}

void TForm_Tarmil::PopupMenuPopup()
{
    PopupItem_Sloupce->clear();
    if (!m_popupGrid)
        return;
    TKxDBGrid *grid = m_popupGrid;
    for (int i = 0; i < grid->Columns().Count(); ++i) {
        TColumn *column = grid->Columns()[i];
        QAction *item = PopupItem_Sloupce->addAction(column->Caption());
        item->setCheckable(true);
        item->setChecked(column->Visible);
        connect(item, &QAction::triggered, grid, [grid, i] {
            if (i < grid->Columns().Count()) {
                grid->Columns()[i]->Visible = !grid->Columns()[i]->Visible;
                grid->Columns().Changed();
            }
        });
    }
    const TKxDBGrid::TDBGridOptions options = grid->Options();
    PopupItem_RowSelect->setChecked(options.testFlag(TKxDBGrid::dgRowSelect));
    PopupItem_RowLines->setChecked(options.testFlag(TKxDBGrid::dgRowLines));
    PopupItem_ColLines->setChecked(options.testFlag(TKxDBGrid::dgColLines));
    PopupItem_MultiSelect->setChecked(options.testFlag(TKxDBGrid::dgMultiSelect));
}
