#include "app/print/nahled.h"

#include "app/common/formcontrols.h"
#include "app/common/modalresult.h"
#include "app/layouts/rollpaper.h"
#include "app/print/nahleddialogs.h"
#include "app/print/printchoice.h"
#include "app/print/reportvariables.h"
#include "app/print/templateobjects.h"
#include "app/print/tiskarna.h"
#include "app/settings/shopsettings.h"
#include "app/start/appglobals.h"
#include "kit/intedit.h"
#include "kit/printercombo.h"
#include "platform/messages.h"
#include "report/dbdataset.h"
#include "report/printer.h"
#include "report/rich/vlrichview.h"
#include "report/vlbuilder.h"
#include "report/vlexportfilter.h"
#include "report/vlpreviewform.h"
#include "report/vlprintpages.h"
#include "report/vlregistry.h"
#include "report/vlreport.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString kDocumentHeading = QStringLiteral("Chyba při otevírání sestavy dokladu...");
const QString kPreparedFilter = QStringLiteral("Soubor sestavy (*.vlp)");

QString nameOrUntitled(const QString &title)
{
    return title.isEmpty() ? TvlReport::Untitled : title;
}

} // namespace

std::function<QString(QWidget *, const TNahledFileQuestion &)> TForm_Nahled::FileDialog =
    [](QWidget *parent, const TNahledFileQuestion &question) {
        QFileDialog dialog(parent, question.title, question.folder, question.filter);
        dialog.setAcceptMode(question.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(question.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(question.suffix);
        if (!question.name.isEmpty())
            dialog.selectFile(question.name);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().first();
    };

std::function<int(QDialog *)> TForm_Nahled::ExecDialog = [](QDialog *dialog) { return dialog->exec(); };

TForm_Nahled::TForm_Nahled(Db::DataSource *doklad, Db::DataSource *dokladDetail, Db::DataSource *polozka,
                           QWidget *parent)
    : QDialog(parent, Qt::Window)
    , m_data(std::make_unique<TDMPrintData>(doklad))
{
    setObjectName(QStringLiteral("Form_Nahled"));
    setWindowTitle(QStringLiteral(" Náhled"));
    resize(900, 700);

    vlReport = new TvlReport(this);
    FollowRollLength(*vlReport); // a receipt on a till roll takes the paper it needs
    vlReport->setObjectName(QStringLiteral("vlReport"));
    vlReport->PreviewButtons = 0;
    vlReport->OnGetValue = [this](const QString &name, Variant &value) { vlReportGetValue(name, value); };
    vlReport->OnEnterRect = [this](QStringList &memo, TvlView *view) { vlReportEnterRect(memo, view); };
    auto dataset = [this](const char *name, Db::DataSource *source) {
        auto *set = new TvlDBDataSet(this);
        set->setObjectName(QString::fromLatin1(name));
        set->SetDataSource(source);
        return set;
    };
    vlDBDataSet_Doklad = dataset("vlDBDataSet_Doklad", doklad);
    vlDBDataSet_DokladDetail = dataset("vlDBDataSet_DokladDetail", dokladDetail);
    vlDBDataSet_Polozka = dataset("vlDBDataSet_Polozka", polozka);
    // The rates are read for the document a report prints and let go after
    // it, so they cost nothing while the document list moves.
    vlDBDataSet_DokladDph = dataset("vlDBDataSet_DokladDph", nullptr);
    vlDBDataSet_DokladDph->SetDataSet(m_data->DocumentRates());
    vlDBDataSet_DokladDph->CloseDataSource = true;
    vlRichObject = new TvlRichObject(this);
    vlRichObject->setObjectName(QStringLiteral("vlRichObject"));
    vlRegisterStandardExportFilters();

    createButtons();
    vlPreview = new TvlPreview(this);
    vlPreview->setObjectName(QStringLiteral("vlPreview"));
    vlReport->SetPreview(vlPreview);

    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    PopupItem_NovaStrana =
        PopupMenu->addAction(QStringLiteral("Nová strana..."), this, [this] { vlPreview->AddPage(); });
    PopupItem_NovaStrana->setObjectName(QStringLiteral("PopupItem_NovaStrana"));
    PopupItem_EditovatStranu =
        PopupMenu->addAction(QStringLiteral("Editovat stranu..."), this, [this] { vlPreview->EditPage(); });
    PopupItem_EditovatStranu->setObjectName(QStringLiteral("PopupItem_EditovatStranu"));
    PopupItem_OdebratStranu = PopupMenu->addAction(QStringLiteral("Odebrat stranu..."), this,
                                                   [this] { vlPreview->Form()->DeletePageAsking(); });
    PopupItem_OdebratStranu->setObjectName(QStringLiteral("PopupItem_OdebratStranu"));
    connect(PopupMenu, &QMenu::aboutToShow, this, [this] { PopupMenuPopup(); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(Panel_Tlacitka);
    layout->addWidget(vlPreview, 1);
}

TForm_Nahled::~TForm_Nahled() = default;

void TForm_Nahled::createButtons()
{
    Panel_Tlacitka = new QWidget(this);
    Panel_Tlacitka->setObjectName(QStringLiteral("Panel_Tlacitka"));
    auto *row = new QHBoxLayout(Panel_Tlacitka);
    row->setContentsMargins(0, 0, 0, 0);
    auto button = [this, row](const char *name, const QString &text, void (TForm_Nahled::*handler)()) {
        QPushButton *b = NewPushButton(Panel_Tlacitka, name, text);
        connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
        row->addWidget(b);
        return b;
    };
    auto pageButton = [this, row](const char *name, QStyle::StandardPixmap icon, const QString &hint,
                                  void (TvlPreview::*move)()) {
        QPushButton *b = NewPushButton(Panel_Tlacitka, name, QString());
        b->setIcon(style()->standardIcon(icon));
        b->setToolTip(hint);
        connect(b, &QPushButton::clicked, this, [this, move] {
            (vlPreview->*move)();
            showPage();
        });
        row->addWidget(b);
        return b;
    };
    Button_Zavrit = NewPushButton(Panel_Tlacitka, "Button_Zavrit", QStringLiteral("&Zavřít"));
    connect(Button_Zavrit, &QPushButton::clicked, this, &QDialog::accept);
    row->addWidget(Button_Zavrit);
    Button_Ulozit = button("Button_Ulozit", QStringLiteral("&Uložit..."), &TForm_Nahled::Button_UlozitClick);
    Button_Otevrit = button("Button_Otevrit", QStringLiteral("&Otevřít..."), &TForm_Nahled::Button_OtevritClick);
    Button_Tisk = button("Button_Tisk", QStringLiteral("&Tisk..."), &TForm_Nahled::Button_TiskClick);
    Button_Export = button("Button_Export", QStringLiteral("&Export..."), &TForm_Nahled::Button_ExportClick);
    Button_Hledat = button("Button_Hledat", QStringLiteral("&Hledat..."), &TForm_Nahled::Button_HledatClick);
    Button_HledatDalsi =
        button("Button_HledatDalsi", QStringLiteral("Hledat &další..."), &TForm_Nahled::Button_HledatDalsiClick);
    row->addSpacing(8);
    Button_Prvni =
        pageButton("Button_Prvni", QStyle::SP_MediaSkipBackward, QStringLiteral("První strana"), &TvlPreview::First);
    Button_Predchozi = pageButton("Button_Predchozi", QStyle::SP_MediaSeekBackward, QStringLiteral("Předchozí strana"),
                                  &TvlPreview::Prev);
    Button_Dalsi =
        pageButton("Button_Dalsi", QStyle::SP_MediaSeekForward, QStringLiteral("Další strana"), &TvlPreview::Next);
    Button_Posledni = pageButton("Button_Posledni", QStyle::SP_MediaSkipForward, QStringLiteral("Poslední strana"),
                                 &TvlPreview::Last);
    row->addSpacing(8);

    IntegerEdit_Strana = new TIntegerEdit(Panel_Tlacitka);
    IntegerEdit_Strana->setObjectName(QStringLiteral("IntegerEdit_Strana"));
    IntegerEdit_Strana->setMax(9999);
    IntegerEdit_Strana->setMin(1);
    IntegerEdit_Strana->setValue(1);
    IntegerEdit_Strana->setFixedWidth(56);
    connect(IntegerEdit_Strana, &QLineEdit::returnPressed, this, [this] { IntegerEdit_StranaKeyEnter(); });
    Label_Strana = new QLabel(QStringLiteral("Přejdi na stránku:"), Panel_Tlacitka);
    Label_Strana->setObjectName(QStringLiteral("Label_Strana"));
    Label_Strana->setBuddy(IntegerEdit_Strana);
    row->addWidget(Label_Strana);
    row->addWidget(IntegerEdit_Strana);

    ComboBox_Meritko = new QComboBox(Panel_Tlacitka);
    ComboBox_Meritko->setObjectName(QStringLiteral("ComboBox_Meritko"));
    ComboBox_Meritko->setEditable(true);
    ComboBox_Meritko->setInsertPolicy(QComboBox::NoInsert);
    ComboBox_Meritko->addItems(
        {QStringLiteral("Přizpůsobit oknu"), QStringLiteral("Přizpůsobit šířce okna"), QStringLiteral("Dvě strany")});
    for (int percent : {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 125, 150, 175, 200})
        ComboBox_Meritko->addItem(QString::number(percent));
    ComboBox_Meritko->setMinimumContentsLength(18);
    connect(ComboBox_Meritko, &QComboBox::activated, this, [this] { ComboBox_MeritkoClick(); });
    connect(ComboBox_Meritko->lineEdit(), &QLineEdit::returnPressed, this, [this] { ComboBox_MeritkoKeyEnter(); });
    Label_Meritko = new QLabel(QStringLiteral("Měřítko [%]:"), Panel_Tlacitka);
    Label_Meritko->setObjectName(QStringLiteral("Label_Meritko"));
    Label_Meritko->setBuddy(ComboBox_Meritko);
    row->addSpacing(8);
    row->addWidget(Label_Meritko);
    row->addWidget(ComboBox_Meritko);
    row->addStretch();
}

void TForm_Nahled::SetPrintData(std::unique_ptr<TPrintData> data)
{
    if (!data)
        return;
    m_data = std::move(data);
    vlDBDataSet_DokladDph->SetDataSet(m_data->DocumentRates());
}

// ---- loading and printing --------------------------------------------------------

bool TForm_Nahled::LoadReport(const QString &name)
{
    const QString path = TDocumentReportChoice::LayoutPath(name, PathSestavy);
    m_loadProblem.clear();
    if (!QFileInfo(path).isFile()) {
        m_loadProblem = QStringLiteral("Soubor „%1“ neexistuje.").arg(QFileInfo(path).absoluteFilePath());
        return false;
    }
    QString error;
    if (!vlReport->LoadFromFile(path, &error)) {
        m_loadProblem = QStringLiteral("Soubor „%1“ nelze načíst: %2").arg(QFileInfo(path).absoluteFilePath(), error);
        return false;
    }
    return true;
}

bool TForm_Nahled::showPrepared()
{
    vlReport->SetPreview(vlPreview);
    vlReport->ShowReport(); // a failed build is reported by the engine
    if (vlReport->BuildFailed() || vlPreview->AllPages() == 0)
        return false;
    vlPreview->Form()->ForeignMenu = PopupMenu;
    vlPreview->PageWidth();
    showPage();
    ExecDialog(this);
    return true;
}

void TForm_Nahled::ShowItemOverview()
{
    if (!LoadReport(ReportFile::ItemOverview)) {
        ShowWarning(QStringLiteral("Chyba při otevírání sestavy položek skladu..."),
                    QStringLiteral("Sestava položek skladu není dostupná, nebude možný náhled ani tisk..."),
                    m_loadProblem);
        return;
    }
    showPrepared();
}

void TForm_Nahled::ShowDocumentOverview()
{
    if (!LoadReport(ReportFile::DocumentOverview)) {
        ShowWarning(QStringLiteral("Chyba při otevírání sestavy přehledu dokladů..."),
                    QStringLiteral("Sestava přehledu dokladů není dostupná, nebude možný náhled ani tisk..."),
                    m_loadProblem);
        return;
    }
    showPrepared();
}

void TForm_Nahled::PrintDocument(int operation, int voucher, const QString &note, bool copy, bool preview)
{
    const ShopSettings &settings = Settings();
    const TDocumentReport choice = TDocumentReportChoice::For(operation, voucher, settings.receiptFormat());
    if (choice.right != 0 && !m_data->HasRight(choice.right)) {
        ShowWarning(kDocumentHeading, QStringLiteral("Uživatel nemá oprávnění..."));
        return;
    }
    if (!LoadReport(choice.file)) {
        ShowWarning(kDocumentHeading, QStringLiteral("Sestava dokladu není dostupná, nebude možný náhled ani tisk..."),
                    m_loadProblem);
        return;
    }
    m_note = note;
    m_copies = copy ? 2 : 1;
    TvlPrinter &printer = vlPrinter();
    // The printer is chosen before the build, so the pages are laid out on its paper.
    switchPrinter(TDocumentReportChoice::EnginePrinter(printer.Printers(), printer.VirtualPrinterIndex(),
                                                       settings.printerName(choice.printer),
                                                       settings.printerIndex(choice.printer)));
    if (preview) {
        showPrepared();
        return;
    }
    const bool prepared = vlReport->PrepareReport();
    if (vlReport->BuildFailed()) {
        ShowWarning(kDocumentHeading, vlReport->ErrorText());
        return;
    }
    if (prepared)
        printAll(m_copies);
}

void TForm_Nahled::DesignReport()
{
    vlReport->DesignReport();
}

void TForm_Nahled::switchPrinter(int index)
{
    const int current = vlPrinter().PrinterIndex();
    if (index >= 0 && index != current)
        vlReport->ChangePrinter(current, index); // a printer it cannot select is reported, the old one kept
}

void TForm_Nahled::applyOutputFile()
{
    if (m_outputFile.isEmpty())
        return;
    if (QPrinter *device = vlPrinter().Printer()) {
        device->setOutputFormat(QPrinter::PdfFormat);
        device->setOutputFileName(m_outputFile);
    }
}

bool TForm_Nahled::printAll(int copies)
{
    applyOutputFile();
    const QList<int> pages = vlSelectPages(QString(), vlReport->EMFPages.Count());
    QString error;
    if (!vlPrintPreparedPages(vlReport->EMFPages, pages, copies, &error)) {
        ShowWarning(QStringLiteral("Tisk neproběhl..."), error.isEmpty() ? vlPrinter().PrinterName() : error);
        return false;
    }
    return true;
}

// ---- report events -------------------------------------------------------------

void TForm_Nahled::vlReportGetValue(const QString &name, Variant &value)
{
    const TReportVariables variables{Settings(), *m_data, m_note, QDate::currentDate(), AppTitle};
    if (const std::optional<QString> text = variables.Value(name))
        value = Variant(*text);
}

void TForm_Nahled::vlReportEnterRect(QStringList &memo, TvlView *view)
{
    if (!view)
        return;
    TTemplateObjects objects{
        *m_data, AppPath, [view](const QString &expression) {
            TvlReportBuilder *builder = TvlReportBuilder::Active();
            if (!builder)
                return u'[' + expression + u']';
            return builder->ExpandMemo({u'[' + expression + u']'}, view->Format, view->FormatText).join(u'\n');
        }};
    objects.Apply(*view, memo, vlReport->Title);
}

// ---- preview commands ----------------------------------------------------------

void TForm_Nahled::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TForm_Nahled::FormShow()
{
    showZoom();
    showPage();
    // The pages take the keys (Page Down, the arrows) from the start.
    vlPreview->Form()->PBox->setFocus(Qt::OtherFocusReason);
}

void TForm_Nahled::showZoom()
{
    ComboBox_Meritko->setEditText(QString::number(vlPreview->Zoom()));
    ComboBox_Meritko->lineEdit()->selectAll();
}

void TForm_Nahled::showPage()
{
    IntegerEdit_Strana->setValue(vlPreview->Page());
}

void TForm_Nahled::IntegerEdit_StranaKeyEnter()
{
    // A number past the end goes to the last page.
    vlPreview->SetPage(qBound(1, IntegerEdit_Strana->value(), qMax(1, vlPreview->AllPages())));
    showPage();
    IntegerEdit_Strana->selectAll();
}

void TForm_Nahled::applyZoomText(const QString &text)
{
    bool number = false;
    const int percent = text.trimmed().toInt(&number);
    if (number && percent > 0)
        vlPreview->SetZoom(percent);
}

void TForm_Nahled::ComboBox_MeritkoClick()
{
    switch (ComboBox_Meritko->currentIndex()) {
    case 0:
        vlPreview->OnePage();
        break;
    case 1:
        vlPreview->PageWidth();
        break;
    case 2:
        vlPreview->TwoPages();
        break;
    default:
        applyZoomText(ComboBox_Meritko->currentText());
    }
    showZoom();
}

void TForm_Nahled::ComboBox_MeritkoKeyEnter()
{
    applyZoomText(ComboBox_Meritko->currentText());
    showZoom();
}

void TForm_Nahled::Button_TiskClick()
{
    TForm_Tiskarna dialog(this);
    dialog.IntegerEdit_Kopie->setValue(m_copies);
    const int result = ExecDialog(&dialog);
    if (result != mrOk && result != mrYes)
        return;
    // A printer the engine could not take is reported by it; nothing is printed then.
    if (dialog.PrinterChanged() &&
        !vlPreview->ChangePrinter(dialog.OldPrinterIndex(), dialog.PrinterComboBox->printerIndex()))
        return;
    if (result == mrYes)
        return; // "&Zavřít": only the printer changes
    applyOutputFile();
    vlPreview->PrintPages(dialog.PageList(vlPreview->Page()), dialog.Copies());
    showPage();
}

void TForm_Nahled::Button_UlozitClick()
{
    TNahledFileQuestion question;
    question.save = true;
    question.title = QStringLiteral("Uložit sestavu");
    question.folder = PathExport;
    question.filter = kPreparedFilter;
    question.suffix = QStringLiteral("vlp");
    question.name = CombinePath(nameOrUntitled(vlReport->Title) + QStringLiteral(".vlp"), PathExport);
    const QString name = FileDialog(this, question);
    if (name.isEmpty())
        return;
    const int zoom = vlPreview->Zoom();
    vlPreview->SaveToFile(name);
    vlPreview->SetZoom(zoom);
    showZoom();
}

void TForm_Nahled::Button_OtevritClick()
{
    TNahledFileQuestion question;
    question.title = QStringLiteral("Otevřít sestavu");
    question.folder = PathExport;
    question.filter = kPreparedFilter;
    question.suffix = QStringLiteral("vlp");
    const QString name = FileDialog(this, question);
    if (name.isEmpty())
        return;
    vlPreview->LoadFromFile(name);
    showPage();
    showZoom();
}

void TForm_Nahled::Button_ExportClick()
{
    TForm_NahledExport format(this);
    if (ExecDialog(&format) != mrOk)
        return;
    const QString extension = format.Extension();
    const QList<TvlExportFilter *> &filters = vlExportFilters();
    int filterIndex = -1;
    for (int i = 0; i < filters.size() && filterIndex < 0; ++i)
        if (filters[i]->Extension().compare(extension, Qt::CaseInsensitive) == 0)
            filterIndex = i;
    if (filterIndex < 0)
        return;
    TNahledFileQuestion question;
    question.save = true;
    question.title = QStringLiteral("Exportovat sestavu");
    question.folder = PathExport;
    question.filter = format.ItemText();
    question.suffix = extension.mid(1);
    question.name = CombinePath(nameOrUntitled(vlReport->Title) + extension, PathExport);
    const QString name = FileDialog(this, question);
    if (name.isEmpty())
        return;
    const int zoom = vlPreview->Zoom();
    vlPreview->ExportTo(filterIndex, name);
    vlPreview->SetZoom(zoom);
    showZoom();
}

void TForm_Nahled::Button_HledatClick()
{
    TForm_NahledHledat dialog(this);
    dialog.Edit_Text->setText(m_searchText);
    if (ExecDialog(&dialog) != mrOk)
        return;
    m_searchText = dialog.Text();
    if (!vlPreview->Find(m_searchText, dialog.CaseSensitive(), dialog.FromFirstPage()))
        ShowInformation(QStringLiteral("Hledaný text nenalezen..."),
                        QStringLiteral("\"%1\" nenalezeno...").arg(m_searchText));
    showPage();
}

void TForm_Nahled::Button_HledatDalsiClick()
{
    if (!vlPreview->FindNext())
        ShowInformation(QStringLiteral("Další hledaný text nenalezen..."),
                        QStringLiteral("\"%1\" nenalezeno...").arg(m_searchText));
    showPage();
}

void TForm_Nahled::PopupMenuPopup()
{
    PopupItem_OdebratStranu->setEnabled(vlPreview->AllPages() > 1);
}
