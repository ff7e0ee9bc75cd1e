// The main window's construction: pages, panels, grids, storage.
#include "app/main/tarmilform.h"

#include "app/main/notebook.h"
#include "kit/comboedit.h"
#include "kit/formstorage.h"
#include "kit/searchedit.h"
#include "kit/splitter.h"
#include "platform/db/datasource.h"
#include "platform/globalcomponents.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

namespace {

constexpr int kButtonWidth = 100;

QLabel *newLabel(QWidget *parent, const QString &name, const QString &text, QWidget *buddy = nullptr)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

QPushButton *newButton(QWidget *parent, const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFixedWidth(kButtonWidth);
    return button;
}

TSearchEdit *newSearchEdit(QWidget *parent, const QString &name)
{
    auto *edit = new TSearchEdit(parent);
    edit->setObjectName(name);
    // Room for a 13-digit code or a document number whole.
    edit->setFixedWidth(qMax(120, edit->fontMetrics().horizontalAdvance(QStringLiteral("WWW-8888-888888")) + 16));
    return edit;
}

// A grid above, a splitter with a caption, a grid below; the upper grid
// keeps the height the splitter gives it.
QVBoxLayout *twoGrids(QWidget *page, TKxDBGrid *upper, TKxSplitter *splitter, const QString &labelName,
                      const QString &caption, TKxDBGrid *lower)
{
    auto *column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    upper->setParent(page);
    lower->setParent(page);
    upper->setFixedHeight(300);
    splitter->setParent(page);
    splitter->setFixedHeight(5);
    splitter->setAlign(TKxSplitter::alTop);
    splitter->setControlFirst(upper);
    splitter->setControlSecond(lower);
    column->addWidget(upper);
    column->addWidget(splitter);
    column->addWidget(newLabel(page, labelName, caption));
    column->addWidget(lower, 1);
    return column;
}

} // namespace

TForm_Tarmil::TForm_Tarmil(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form_Tarmil"));
    GlobalComponents::Register(this);
    SetDataModuleScreens(this);
    resize(1024, 720);

    createGrids();
    createActions();
    createPages();
    createMenus();
    createGridPopupMenu();
    createStorage();
    // Tab walks each page from its search boxes to its lists, then to its buttons.
    const QList<QWidget *> tabOrder{SearchEdit_Oznaceni,
                                    SearchEdit_Kod,
                                    ComboEdit_Kategorie,
                                    KxDBGrid_Polozka,
                                    KxDBGrid_PolozkaHistorie,
                                    Button_PolozkaNova,
                                    Button_PolozkaEditace,
                                    Button_PolozkaOdebrat,
                                    Button_Import,
                                    Button_PolozkaTisk,
                                    KxDBGrid_PolozkaProdej,
                                    KxDBGrid_Prodej,
                                    Button_ProdejPridat,
                                    Button_ProdejOdebrat,
                                    Button_ProdejProdat,
                                    findChild<QWidget *>(QStringLiteral("Button_PolozkaHledat")),
                                    findChild<QWidget *>(QStringLiteral("Button_PolozkaFiltr")),
                                    SearchEdit_Doklad,
                                    KxDBGrid_Doklad,
                                    KxDBGrid_ProdejHistorie,
                                    Button_DokladTisk,
                                    Button_DokladStorno,
                                    Button_DokladStatistiky,
                                    Button_DokladPrehled,
                                    CheckBox_Doklad,
                                    findChild<QWidget *>(QStringLiteral("Button_DokladHledat")),
                                    findChild<QWidget *>(QStringLiteral("Button_DokladFiltr"))};
    for (int i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    if (DM)
        ConnectDataModule();
    for (QAction *action : PendingScreens())
        action->setEnabled(false);
    m_windowWatch = new ProgramWindowWatch(this);
}

TForm_Tarmil::~TForm_Tarmil()
{
    if (DataModuleScreens() == this)
        SetDataModuleScreens(nullptr);
    if (DM && DM->DataSource_Polozka)
        DM->SetDetailMasters(DM->DataSource_Polozka, DM->DataSource_Doklad);
    TFormPlacement::NotifyFormDestroying(this);
    GlobalComponents::Unregister(this);
}

void TForm_Tarmil::ConnectDataModule()
{
    if (!DM || m_connected)
        return;
    m_connected = true;
    DataSource_Polozka->SetDataSet(DM->MSSQLADOQuery_Polozka);
    DataSource_PolozkaHistorie->SetDataSet(DM->MSSQLADOQuery_PolozkaHistorie);
    DataSource_Prodej->SetDataSet(DM->MSSQLADOQuery_Prodej);
    DataSource_Doklad->SetDataSet(DM->MSSQLADOQuery_Doklad);
    DataSource_DokladDetail->SetDataSet(DM->MSSQLADOQuery_DokladDetail);
    DM->SetDetailMasters(DataSource_Polozka, DataSource_Doklad);
}

void TForm_Tarmil::createPages()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("Panel_Client"));
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    createSearchPanels(central);
    layout->addWidget(Panel_PolozkaHledat);
    layout->addWidget(Panel_DokladHledat);
    Notebook = new TNotebook(central);
    Notebook->setObjectName(QStringLiteral("Notebook"));
    layout->addWidget(Notebook, 1);
    createItemsPage(Notebook->AddPage(QStringLiteral("Položky"), QStringLiteral("Page_Polozky")));
    createSalePage(Notebook->AddPage(QStringLiteral("Prodej"), QStringLiteral("Page_Prodej")));
    createDocumentsPage(Notebook->AddPage(QStringLiteral("Doklady"), QStringLiteral("Page_Doklady")));
    Notebook->SetPageIndex(2);
    createStatusPanel(central);
    layout->addWidget(Panel_Status);
    setCentralWidget(central);
    connect(Notebook, &TNotebook::PageChanged, this, [this] { NotebookPageChanged(); });
}

QPushButton *TForm_Tarmil::actionButton(QWidget *parent, const QString &name, const QString &caption, QAction *action)
{
    QPushButton *button = newButton(parent, name, caption);
    bindButton(button, action);
    return button;
}

// A page of two grids with its buttons in a column at the right.
void TForm_Tarmil::gridPage(QWidget *page, TKxDBGrid *upper, TKxSplitter *&splitter, const QString &splitterName,
                            const QString &labelName, const QString &caption, TKxDBGrid *lower,
                            const QList<QPushButton *> &buttons)
{
    auto *row = new QHBoxLayout(page);
    row->setContentsMargins(0, 0, 0, 0);
    splitter = new TKxSplitter;
    splitter->setObjectName(splitterName);
    row->addLayout(twoGrids(page, upper, splitter, labelName, caption, lower), 1);
    auto *column = new QVBoxLayout;
    for (QPushButton *button : buttons)
        column->addWidget(button);
    column->addStretch(1);
    row->addLayout(column);
}

void TForm_Tarmil::createItemsPage(QWidget *page)
{
    Button_PolozkaNova =
        actionButton(page, QStringLiteral("Button_PolozkaNova"), QStringLiteral("Nová"), Action_PolozkaNova);
    Button_PolozkaEditace =
        actionButton(page, QStringLiteral("Button_PolozkaEditace"), QStringLiteral("Editace"), Action_PolozkaEditace);
    Button_PolozkaOdebrat =
        actionButton(page, QStringLiteral("Button_PolozkaOdebrat"), QStringLiteral("Odebrání"), Action_PolozkaOdebrat);
    Button_Import = actionButton(page, QStringLiteral("Button_Import"), QStringLiteral("Import"), Action_Import);
    Button_PolozkaTisk =
        actionButton(page, QStringLiteral("Button_PolozkaTisk"), QStringLiteral("Tisk"), Action_PolozkaTisk);
    gridPage(page, KxDBGrid_Polozka, KxSplitter_Polozka, QStringLiteral("KxSplitter_Polozka"),
             QStringLiteral("Label_PolozkaHistorie"), QStringLiteral("Historie položky"), KxDBGrid_PolozkaHistorie,
             {Button_PolozkaNova, Button_PolozkaEditace, Button_PolozkaOdebrat, Button_Import, Button_PolozkaTisk});
}

void TForm_Tarmil::createSalePage(QWidget *page)
{
    auto *row = new QHBoxLayout(page);
    row->setContentsMargins(0, 0, 0, 0);
    KxSplitter_Prodej = new TKxSplitter;
    KxSplitter_Prodej->setObjectName(QStringLiteral("KxSplitter_Prodej"));
    QVBoxLayout *column =
        twoGrids(page, KxDBGrid_PolozkaProdej, KxSplitter_Prodej, QStringLiteral("Label_VybranePolozky"),
                 QStringLiteral("Vybrané položky"), KxDBGrid_Prodej);
    auto *status = new QHBoxLayout;
    status->addWidget(newLabel(page, QStringLiteral("Label_Prodej_Status"), QStringLiteral("Položek:")));
    Label_Prodej_Status_ = newLabel(page, QStringLiteral("Label_Prodej_Status_"), QString());
    status->addWidget(Label_Prodej_Status_, 1);
    column->addLayout(status);
    row->addLayout(column, 1);
    // The three buttons keep to the splitter (PlaceSaleButtons).
    auto *buttons = new QWidget(page);
    buttons->setObjectName(QStringLiteral("Panel_ProdejTlacitka"));
    buttons->setFixedWidth(kButtonWidth + 8);
    Button_ProdejPridat =
        actionButton(buttons, QStringLiteral("Button_ProdejPridat"), QStringLiteral("Vybrat"), Action_ProdejPridat);
    Button_ProdejOdebrat =
        actionButton(buttons, QStringLiteral("Button_ProdejOdebrat"), QStringLiteral("Odebrat"), Action_ProdejOdebrat);
    Button_ProdejProdat =
        actionButton(buttons, QStringLiteral("Button_ProdejProdat"), QStringLiteral("Prodat"), Action_ProdejProdat);
    row->addWidget(buttons);
    connect(KxSplitter_Prodej, &TKxSplitter::OnPosChanged, this, [this] { PlaceSaleButtons(); });
    connect(KxSplitter_Polozka, &TKxSplitter::OnPosChanged, this, [this] { PlaceSaleButtons(); });
    KxSplitter_Prodej->installEventFilter(this); // moves with the layout too
}

void TForm_Tarmil::createDocumentsPage(QWidget *page)
{
    Button_DokladTisk =
        actionButton(page, QStringLiteral("Button_DokladTisk"), QStringLiteral("Doklad"), Action_DokladTisk);
    Button_DokladStorno =
        actionButton(page, QStringLiteral("Button_DokladStorno"), QStringLiteral("Storno"), Action_DokladStorno);
    Button_DokladStatistiky = actionButton(page, QStringLiteral("Button_DokladStatistiky"),
                                           QStringLiteral("Statistiky"), Action_DokladStatistiky);
    Button_DokladPrehled =
        actionButton(page, QStringLiteral("Button_DokladPrehled"), QStringLiteral("Přehled"), Action_DokladPrehled);
    gridPage(page, KxDBGrid_Doklad, KxSplitter_Doklad, QStringLiteral("KxSplitter_Doklad"),
             QStringLiteral("Label_PolozkyNaDokladu"), QStringLiteral("Položky na dokladu"), KxDBGrid_ProdejHistorie,
             {Button_DokladTisk, Button_DokladStorno, Button_DokladStatistiky, Button_DokladPrehled});
}

void TForm_Tarmil::createSearchPanels(QWidget *parent)
{
    Panel_PolozkaHledat = new QWidget(parent);
    Panel_PolozkaHledat->setObjectName(QStringLiteral("Panel_PolozkaHledat"));
    auto *items = new QHBoxLayout(Panel_PolozkaHledat);
    items->setContentsMargins(0, 0, 0, 0);
    SearchEdit_Oznaceni = newSearchEdit(Panel_PolozkaHledat, QStringLiteral("SearchEdit_Oznaceni"));
    SearchEdit_Kod = newSearchEdit(Panel_PolozkaHledat, QStringLiteral("SearchEdit_Kod"));
    ComboEdit_Kategorie = new TComboEdit(Panel_PolozkaHledat);
    ComboEdit_Kategorie->setObjectName(QStringLiteral("ComboEdit_Kategorie"));
    ComboEdit_Kategorie->setMinimumWidth(260);
    ComboEdit_Kategorie->setGlyphKind(TCustomComboEdit::gkEllipsis);
    ComboEdit_Kategorie->setProperty("Hint", QStringLiteral("Kategorie neexistuje..."));
    items->addWidget(newLabel(Panel_PolozkaHledat, QStringLiteral("Label_Oznaceni"), QStringLiteral("&Označení:"),
                              SearchEdit_Oznaceni));
    items->addWidget(SearchEdit_Oznaceni);
    items->addWidget(
        newLabel(Panel_PolozkaHledat, QStringLiteral("Label_Kod"), QStringLiteral("&Kód:"), SearchEdit_Kod));
    items->addWidget(SearchEdit_Kod);
    items->addWidget(newLabel(Panel_PolozkaHledat, QStringLiteral("Label_Kategorie"), QStringLiteral("&Kategorie:"),
                              ComboEdit_Kategorie));
    items->addWidget(ComboEdit_Kategorie, 1);
    auto *findItem = actionButton(Panel_PolozkaHledat, QStringLiteral("Button_PolozkaHledat"), QStringLiteral("Hledat"),
                                  Action_Hledat);
    auto *filterItem =
        actionButton(Panel_PolozkaHledat, QStringLiteral("Button_PolozkaFiltr"), QStringLiteral("Filtr"), Action_Filtr);
    items->addWidget(findItem);
    items->addWidget(filterItem);

    Panel_DokladHledat = new QWidget(parent);
    Panel_DokladHledat->setObjectName(QStringLiteral("Panel_DokladHledat"));
    auto *documents = new QHBoxLayout(Panel_DokladHledat);
    documents->setContentsMargins(0, 0, 0, 0);
    SearchEdit_Doklad = newSearchEdit(Panel_DokladHledat, QStringLiteral("SearchEdit_Doklad"));
    CheckBox_Doklad = new QCheckBox(QStringLiteral("Vytištěné doklady"), Panel_DokladHledat);
    CheckBox_Doklad->setObjectName(QStringLiteral("CheckBox_Doklad"));
    documents->addWidget(
        newLabel(Panel_DokladHledat, QStringLiteral("Label_Doklad"), QStringLiteral("&Doklad:"), SearchEdit_Doklad));
    documents->addWidget(SearchEdit_Doklad);
    documents->addWidget(CheckBox_Doklad);
    documents->addStretch(1);
    auto *findDocument = actionButton(Panel_DokladHledat, QStringLiteral("Button_DokladHledat"),
                                      QStringLiteral("Hledat"), Action_Hledat);
    auto *filterDocument =
        actionButton(Panel_DokladHledat, QStringLiteral("Button_DokladFiltr"), QStringLiteral("Filtr"), Action_Filtr);
    documents->addWidget(findDocument);
    documents->addWidget(filterDocument);

    for (TSearchEdit *edit : {SearchEdit_Oznaceni, SearchEdit_Kod, SearchEdit_Doklad})
        edit->installEventFilter(this);
    ComboEdit_Kategorie->installEventFilter(this);
    connect(SearchEdit_Oznaceni, &QLineEdit::textEdited, this, [this] { SearchEdit_OznaceniChange(); });
    connect(SearchEdit_Kod, &QLineEdit::textEdited, this, [this] { SearchEdit_KodChange(); });
    connect(SearchEdit_Doklad, &QLineEdit::textEdited, this, [this] { SearchEdit_DokladChange(); });
    connect(ComboEdit_Kategorie, &TComboEdit::OnChange, this, [this] { ComboEdit_KategorieChange(); });
    connect(ComboEdit_Kategorie, &TComboEdit::OnButtonClick, this, [this] { Action_VybratKategorii->trigger(); });
}

void TForm_Tarmil::createStatusPanel(QWidget *parent)
{
    // The figures grow with the shop's turnover: they must never widen the
    // window past the screen, so the line keeps its natural width and a
    // narrow window cuts it at its right edge, never inside a figure.
    auto *panel = new QScrollArea(parent);
    panel->setObjectName(QStringLiteral("Panel_Status"));
    panel->setFrameShape(QFrame::NoFrame);
    panel->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    panel->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    panel->setWidgetResizable(true);
    auto *line = new QWidget(panel);
    // Two lines, the long figures on the second, so that a shop's figures
    // fit the default width whole.
    auto *lines = new QVBoxLayout(line);
    lines->setContentsMargins(2, 2, 2, 2);
    lines->setSpacing(2);
    QHBoxLayout *row = nullptr;
    auto pair = [&](const QString &name, const QString &caption) {
        row->addWidget(newLabel(line, name, caption));
        QLabel *value = newLabel(line, name + QLatin1Char('_'), QString());
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        row->addWidget(value);
        row->addSpacing(16);
        return value;
    };
    lines->addLayout(row = new QHBoxLayout);
    Label_Pokladna_ = pair(QStringLiteral("Label_Pokladna"), QStringLiteral("Pokladna:"));
    Label_Doklady_ = pair(QStringLiteral("Label_Doklady"), QStringLiteral("Doklady:"));
    Label_Zisk_ = pair(QStringLiteral("Label_Zisk"), QStringLiteral("Zisk:"));
    row->addStretch(1);
    lines->addLayout(row = new QHBoxLayout);
    Label_Sklad_ = pair(QStringLiteral("Label_Sklad"), QStringLiteral("Sklad:"));
    Label_Prodeje_ = pair(QStringLiteral("Label_Prodeje"), QStringLiteral("Prodej:"));
    row->addStretch(1);
    panel->setWidget(line);
    panel->setFixedHeight(line->sizeHint().height());
    Panel_Status = panel;
}

void TForm_Tarmil::bindButton(QPushButton *button, QAction *action)
{
    button->setEnabled(action->isEnabled());
    connect(action, &QAction::changed, button, [button, action] { button->setEnabled(action->isEnabled()); });
    connect(button, &QPushButton::clicked, action, [action] { action->trigger(); });
}

void TForm_Tarmil::createStorage()
{
    FormStorage = new TFormStorage(this);
    FormStorage->setObjectName(QStringLiteral("FormStorage"));
    FormStorage->SetIniFileName(QStringLiteral("Tarmil5.ini"));
    FormStorage->SetIniSection(QStringLiteral("Tarmil"));
    FormStorage->SetOptions(TFormPlacement::fpState | TFormPlacement::fpPosition);
    QStringList props{QStringLiteral("Notebook.ActivePage"), QStringLiteral("KxDBGrid_Polozka.Height"),
                      QStringLiteral("KxDBGrid_PolozkaProdej.Height"), QStringLiteral("KxDBGrid_Doklad.Height")};
    for (TKxDBGrid *grid : m_grids)
        props << grid->objectName() + QStringLiteral(".Options");
    FormStorage->SetStoredProps(props);
    for (int page = 0; page < 3; ++page)
        FormStorage->StoredValues().Add(QStringLiteral("ActiveControl%1").arg(page), QString());
    for (TKxDBGrid *grid : m_grids)
        grid->SetIniStorage(FormStorage);
}

void TForm_Tarmil::SetSummaryLabel(TSummaryLabel label, const QString &text)
{
    if (auto *target = findChild<QLabel *>(SummaryLabelName(label)))
        target->setText(text);
}
