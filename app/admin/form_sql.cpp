#include "app/admin/form_sql.h"

#include "app/admin/sqlconsolerun.h"
#include "app/admin/sqlresulteditability.h"
#include "app/common/formcontrols.h"
#include "app/common/linesmemo.h"
#include "app/common/tablecolumnmenu.h"
#include "app/spreadsheet/form_export.h"
#include "data/dm.h"
#include "kit/dbgrid.h"
#include "kit/dbnavigator.h"
#include "kit/formstorage.h"
#include "kit/splitter.h"
#include "platform/db/datasource.h"
#include "platform/messages.h"
#include "platform/paths.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

namespace {

const QString kFilter = QStringLiteral("SQL soubor (*.sql);;Textový soubor (*.txt)");

} // namespace

TForm_SQL::TForm_SQL(TDM &dm, QWidget *parent)
    : QDialog(parent)
    , m_dm(dm)
{
    setObjectName(QStringLiteral("Form_SQL"));
    setWindowTitle(QStringLiteral("SQL"));
    auto *memo = new TLinesMemo(this);
    Memo_SQL = memo;
    Memo_SQL->setObjectName(QStringLiteral("Memo_SQL"));
    Memo_SQL->setContextMenuPolicy(Qt::CustomContextMenu);
    Memo_Result = new QPlainTextEdit(this);
    Memo_Result->setObjectName(QStringLiteral("Memo_Result"));
    Memo_Result->setReadOnly(true);
    DataSource_SQL = new Db::DataSource(this);
    DataSource_SQL->setObjectName(QStringLiteral("DataSource_SQL"));
    DataSource_SQL->SetDataSet(dm.MSSQLADOQuery_SQL);
    KxDBGrid = new TKxDBGrid(this);
    KxDBGrid->setObjectName(QStringLiteral("KxDBGrid"));
    KxDBGrid->SetDataSource(DataSource_SQL);
    KxDBGrid->SetOptions(KxDBGrid->Options() | TKxDBGrid::dgEditing);
    KxDBGrid->SetReadOnly(true);
    DBNavigator = new TDBNavigator(this);
    DBNavigator->setObjectName(QStringLiteral("DBNavigator"));
    DBNavigator->SetDataSource(DataSource_SQL);
    KxSplitter = new TKxSplitter(this);
    KxSplitter->setObjectName(QStringLiteral("KxSplitter"));

    Panel_SQL = new QWidget(this);
    Panel_SQL->setObjectName(QStringLiteral("Panel_SQL"));
    Button_Spustit = NewPushButton(Panel_SQL, "Button_Spustit", QStringLiteral("&Spustit"));
    Button_Vymazat = NewPushButton(Panel_SQL, "Button_Vymazat", QStringLiteral("&Vymazat"));
    Button_Otevrit = NewPushButton(Panel_SQL, "Button_Otevrit", QStringLiteral("&Otevřít..."));
    Button_Ulozit = NewPushButton(Panel_SQL, "Button_Ulozit", QStringLiteral("&Uložit..."));
    Button_Export = NewPushButton(Panel_SQL, "Button_Export", QStringLiteral("&Export"));
    Button_Export->setEnabled(false);
    Button_Zavrit = NewPushButton(Panel_SQL, "Button_Zavrit", QStringLiteral("&Zavřít"));
    auto *buttons = new QHBoxLayout(Panel_SQL);
    for (QPushButton *b : {Button_Spustit, Button_Vymazat, Button_Otevrit, Button_Ulozit, Button_Export})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(Button_Zavrit);

    auto *resultCaption = new QLabel(QStringLiteral(" Výsledek SQL dotazu"), this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Memo_SQL, 2);
    layout->addWidget(KxSplitter);
    layout->addWidget(resultCaption);
    layout->addWidget(DBNavigator);
    layout->addWidget(KxDBGrid, 3);
    layout->addWidget(Memo_Result, 1);
    layout->addWidget(Panel_SQL);
    resize(760, 620);

    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    FillTableColumnMenu(PopupMenu, dm, [this](const QString &name) {
        Memo_SQL->insertPlainText(name);
        Memo_SQL->setFocus();
    });
    connect(Memo_SQL, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu->popup(Memo_SQL->mapToGlobal(at)); });

    FormStorage = new TFormStorage(this);
    FormStorage->setObjectName(QStringLiteral("FormStorage"));
    FormStorage->SetIniSection(QStringLiteral("SQL"));
    FormStorage->SetStoredProps({QStringLiteral("Memo_SQL.Lines")});
    FormStorage->FormPlacementRestore();

    ChooseOpenFile = [this] {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Otevřít SQL script"), Paths::sqlFolder(), kFilter);
    };
    ChooseSaveFile = [this] {
        QFileDialog dialog(this, QStringLiteral("Uložit SQL script"), Paths::sqlFolder(), kFilter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("sql"));
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };

    connect(Button_Spustit, &QPushButton::clicked, this, &TForm_SQL::Button_SpustitClick);
    connect(Button_Vymazat, &QPushButton::clicked, this, &TForm_SQL::Button_VymazatClick);
    connect(Button_Otevrit, &QPushButton::clicked, this, &TForm_SQL::Button_OtevritClick);
    connect(Button_Ulozit, &QPushButton::clicked, this, &TForm_SQL::Button_UlozitClick);
    connect(Button_Export, &QPushButton::clicked, this, &TForm_SQL::Button_ExportClick);
    connect(Button_Zavrit, &QPushButton::clicked, this, &TForm_SQL::reject);
    connect(DataSource_SQL, &Db::DataSource::activeChange, this, [this] { DataSource_SQLDataChange(); });
    connect(DataSource_SQL, &Db::DataSource::dataChange, this, [this] { DataSource_SQLDataChange(); });
}

TForm_SQL::~TForm_SQL()
{
    m_dm.MSSQLADOQuery_SQL->Close();
}

void TForm_SQL::Button_SpustitClick()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QStringList lines = SqlConsoleRun(m_dm).Run(Memo_SQL->toPlainText());
    QApplication::restoreOverrideCursor();
    for (const QString &line : lines)
        Memo_Result->appendPlainText(line);
    UpdateEditability();
    DataSource_SQLDataChange();
}

void TForm_SQL::UpdateEditability()
{
    Db::Dataset &query = *m_dm.MSSQLADOQuery_SQL;
    const QString reason =
        query.Active() && query.GetConnection() ? SqlResultReadOnlyReason(query, *query.GetConnection()) : QString();
    KxDBGrid->SetReadOnly(!query.Active() || !reason.isEmpty());
    DBNavigator->SetReadOnlyReason(reason);
}

void TForm_SQL::Button_VymazatClick()
{
    Memo_SQL->clear();
    Memo_Result->clear();
}

void TForm_SQL::Button_OtevritClick()
{
    const QString name = ChooseOpenFile();
    if (name.isEmpty())
        return;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowWarning(QStringLiteral("Otevření SQL scriptu se nezdařilo..."), name, file.errorString());
        return;
    }
    Memo_SQL->setPlainText(QString::fromUtf8(file.readAll()));
}

void TForm_SQL::Button_UlozitClick()
{
    const QString name = ChooseSaveFile();
    if (name.isEmpty())
        return;
    QSaveFile file(name);
    const QByteArray text = Memo_SQL->toPlainText().toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        ShowWarning(QStringLiteral("Uložení SQL scriptu se nezdařilo..."), name, file.errorString());
}

void TForm_SQL::DataSource_SQLDataChange()
{
    Button_Export->setEnabled(!m_exporting && m_dm.MSSQLADOQuery_SQL->Active());
}

// While the export runs the console cannot be closed or run again.
void TForm_SQL::Button_ExportClick()
{
    m_exporting = true;
    for (QPushButton *b : {Button_Spustit, Button_Otevrit, Button_Ulozit, Button_Export, Button_Zavrit})
        b->setEnabled(false);
    TForm_Export exporter(this);
    exporter.ExportToExcel(KxDBGrid, true);
    m_exporting = false;
    for (QPushButton *b : {Button_Spustit, Button_Otevrit, Button_Ulozit, Button_Zavrit})
        b->setEnabled(true);
    DataSource_SQLDataChange();
}

void TForm_SQL::closeEvent(QCloseEvent *event)
{
    if (m_exporting) {
        event->ignore();
        return;
    }
    reject();
    QDialog::closeEvent(event);
}

void TForm_SQL::reject()
{
    if (m_exporting)
        return;
    FormStorage->FormPlacementSave();
    m_dm.MSSQLADOQuery_SQL->Close();
    QDialog::reject();
}
