#include "app/catalogue/codelist.h"

#include "app/common/dialogbase.h"
#include "app/common/formcontrols.h"
#include "app/common/modalresult.h"
#include "app/common/rightdenial.h"
#include "data/dm.h"
#include "platform/db/datasource.h"
#include "platform/db/field.h"
#include "platform/db/servererror.h"
#include "platform/messages.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

CodeListWindow::CodeListWindow(QWidget *parent, const QString &name, const QString &caption, TMSSQLADOQuery *query,
                               const QString &keyField, const QList<CodeListColumn> &columns)
    : TForm_DialogEdit(parent)
    , query(query)
    , keyField(keyField)
{
    setObjectName(name);
    setWindowTitle(caption);
    DataSource = new Db::DataSource(this);
    DataSource->setObjectName(QStringLiteral("DataSource"));
    DataSource->SetDataSet(query);

    KxDBGridEx = new TKxDBGridEx(Bevel);
    KxDBGridEx->setObjectName(QStringLiteral("KxDBGridEx"));
    KxDBGridEx->SetOptions(TKxDBGrid::dgTitles | TKxDBGrid::dgIndicator | TKxDBGrid::dgColumnResize |
                           TKxDBGrid::dgColLines | TKxDBGrid::dgRowLines | TKxDBGrid::dgRowSelect |
                           TKxDBGrid::dgAlwaysShowSelection);
    KxDBGridEx->SetTitleButtons(true);
    KxDBGridEx->SetTitleHeight(17);
    KxDBGridEx->SetReadOnly(true);
    int width = 40;
    for (const CodeListColumn &column : columns) {
        KxDBGridEx->Columns().Add(QLatin1String(column.field), column.title, column.width);
        width += column.width;
    }
    KxDBGridEx->setMinimumSize(qMin(width, 760), 300);
    KxDBGridEx->SetDataSource(DataSource);
    KxDBGridEx->OnTitleBtnClick = [this](TKxDBGrid *s, int c, Db::Field *f) { KxDBGridExTitleBtnClick(s, c, f); };
    KxDBGridEx->OnGetBtnParams = [this](TKxDBGrid *s, Db::Field *f, TKxCellFont &font, QColor &bg,
                                        TKxDBGrid::TSortMarker &m,
                                        bool down) { KxDBGridExGetBtnParams(s, f, font, bg, m, down); };
    KxDBGridEx->OnClickCheckBox = [this](TKxDBGridEx *s, Db::Field *f, bool &modify) {
        KxDBGridExClickCheckBox(s, f, modify);
    };
    auto *layout = new QVBoxLayout(Bevel);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(KxDBGridEx);

    connect(DataSource, &Db::DataSource::dataChange, this, [this] { DataSourceDataChange(); });
    connect(DataSource, &Db::DataSource::activeChange, this, [this] { DataSourceDataChange(); });
    connect(Button_Pridat, &QPushButton::clicked, this, [this] { Button_PridatClick(); });
    connect(Button_Editovat, &QPushButton::clicked, this, [this] { Button_EditovatClick(); });
    connect(Button_Odebrat, &QPushButton::clicked, this, [this] { Button_OdebratClick(); });
    KxDBGridEx->OnDblClick = [this](TKxDBGrid *) {
        if (Button_Editovat->isEnabled())
            Button_EditovatClick();
    };
}

void CodeListWindow::KxDBGridExTitleBtnClick(TKxDBGrid *, int, Db::Field *Field)
{
    query->SortByColumn(keyField, Field, QStringLiteral("%ORDER_BY"));
}

void CodeListWindow::KxDBGridExGetBtnParams(TKxDBGrid *, Db::Field *Field, TKxCellFont &, QColor &Background,
                                            TKxDBGrid::TSortMarker &SortMarker, bool)
{
    SortMarker = TKxDBGrid::TSortMarker(query->SortState(Field));
    Background = InvalidMarkColor();
}

int CodeListWindow::CurrentId() const
{
    if (!query->Active() || query->IsEmpty())
        return 0;
    return int(query->FieldByName(keyField).AsInteger());
}

QString CodeListWindow::CurrentText(const char *field) const
{
    if (!query->Active() || query->IsEmpty())
        return {};
    return query->FieldByName(QLatin1String(field)).AsString();
}

bool CodeListWindow::allowed(int right, const QString &denial)
{
    return CheckUserRight(right, denial);
}

void CodeListWindow::failed(const QString &what)
{
    ShowWarning(QStringLiteral("Transakce skončila s chybou..."), what, DM->LastErrorText());
}

void CodeListWindow::runDialog(std::unique_ptr<TForm_Dialog> dialog, int right, const QString &denial,
                               const std::function<bool(TForm_Dialog &)> &write, const QString &failure)
{
    if (!allowed(right, denial))
        return;
    if (dialog->exec() == mrOk && !write(*dialog))
        failed(failure);
}

void CodeListWindow::runRemove(int right, const QString &denial, const std::function<bool()> &referenced,
                               const QString &refusal, const QString &refusalDetail, const QString &question,
                               const std::function<QString()> &caption, const std::function<bool()> &remove,
                               const QString &failure)
{
    if (!allowed(right, denial))
        return;
    if (referenced()) {
        ShowInformation(refusal, refusalDetail);
        return;
    }
    // The row's caption is read once the checks went through.
    if (ShowQuestion(question, caption(), false) && !remove())
        failed(failure);
}

void CodeListWindow::setDefault(Db::Field *field, int right, const QString &denial, const std::function<bool()> &call)
{
    if (!allowed(right, denial))
        return;
    const bool wasDefault = field->AsBoolean();
    if (!call() && !wasDefault)
        failed(QStringLiteral("Nastavení výchozí hodnoty neproběhlo..."));
}

void ShowCodeList(CodeListWindow *window, TMSSQLADOQuery *query)
{
    try {
        query->RefreshQuery();
    } catch (const Db::DatabaseError &error) {
        ShowWarning(QStringLiteral("Seznam nelze otevřít..."), window->windowTitle().trimmed(), error.text());
        return;
    }
    window->DataSourceDataChange();
    window->exec();
    query->Close();
}
