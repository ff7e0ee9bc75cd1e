// The search dialogs over the item and document lists, and the saved
// filters with their chooser, editor and application to a list.
#include "app/catalogue/screenshots.h"
#include "app/common/formcontrols.h"
#include "app/modal_helper.h"
#include "app/search/form_filtr.h"
#include "app/search/form_filtry.h"
#include "app/search/form_hledat.h"
#include "data/dm_fixture.h"
#include "kit/formstorage.h"
#include "platform/db/connection.h"
#include "platform/inifile.h"
#include "platform/paths.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

class SearchTest : public DataModuleTest
{
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(dm->OpenAllQueries()) << qPrintable(dm->LastErrorText());
        newItem(QStringLiteral("A1"));
        newItem(QStringLiteral("B2"));
        newItem(QStringLiteral("C3"));
        sql(QStringLiteral("UPDATE tab_polozka SET POLOZKA = 'Šroub O''Neil' WHERE OZNACENI = 'A1';"
                           "UPDATE tab_polozka SET POLOZKA = 'Bavlna 100% [bílá]*' WHERE OZNACENI = 'B2';"
                           "UPDATE tab_polozka SET POLOZKA = 'Šroubek 1000' WHERE OZNACENI = 'C3'"));
        dm->MSSQLADOQuery_Polozka->RequeryQuery();
    }

    // Chooses the column of that field of the search twin.
    static void chooseColumn(TForm_Hledat &form, const QString &fieldName)
    {
        const auto &fields = form.SearchQuery()->Fields();
        for (int i = 0; i < int(fields.size()); ++i)
            if (fields[size_t(i)]->FieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
                form.ComboBox_Prohledavat->setCurrentIndex(form.ComboBox_Prohledavat->findData(i));
    }

    QString currentMark() const
    {
        return dm->MSSQLADOQuery_Polozka->FieldByName(QStringLiteral("OZNACENI")).AsString();
    }

    QStringList findAll(TForm_Hledat &form, const QString &text)
    {
        QStringList marks;
        form.ComboBox_Hledat->setEditText(text);
        form.Button_HledatClick();
        while (form.Found()) {
            marks << currentMark();
            if (!form.ListQuery()->FindNextMatch())
                break;
        }
        return marks;
    }
};

} // namespace

TEST_F(SearchTest, FindsInOneColumnOrInAllAndGoesOnToTheNext)
{
    TForm_HledatPolozku form(*dm);
    form.show();
    EXPECT_EQ(form.ComboBox_Prohledavat->itemText(0), QStringLiteral("Vše"));
    chooseColumn(form, QStringLiteral("POLOZKA"));

    form.ComboBox_Hledat->setEditText(QStringLiteral("šroub"));
    EXPECT_TRUE(form.Button_Hledat->isDefault());
    EXPECT_FALSE(form.Button_HledatDalsi->isEnabled());
    form.Button_HledatClick();
    ASSERT_TRUE(form.Found());
    EXPECT_EQ(currentMark(), QStringLiteral("A1"));
    EXPECT_TRUE(form.Button_HledatDalsi->isDefault());
    EXPECT_EQ(form.ComboBox_Hledat->findText(QStringLiteral("šroub")), 0); // found texts join the list

    form.Button_HledatDalsiClick();
    EXPECT_EQ(currentMark(), QStringLiteral("C3"));
    EXPECT_EQ(messages.count(MessageCall::Information), 0);
    form.Button_HledatDalsiClick(); // past the last match: told so, the list stays on it
    ASSERT_EQ(messages.count(MessageCall::Information), 1);
    EXPECT_EQ(messages.calls.last().heading, QStringLiteral("Další hledaná hodnota nenalezena..."));
    EXPECT_EQ(messages.calls.last().detail, QStringLiteral("Hledaná hodnota: [šroub]"));
    EXPECT_EQ(currentMark(), QStringLiteral("C3"));
    EXPECT_TRUE(form.Button_Hledat->isDefault());

    form.ComboBox_Prohledavat->setCurrentIndex(0);
    EXPECT_EQ(findAll(form, QStringLiteral("1000")), QStringList({"C3"}));
    EXPECT_EQ(findAll(form, QStringLiteral("b2")), QStringList({"B2"}));

    form.ComboBox_Hledat->setEditText(QStringLiteral("nic takového"));
    form.Button_HledatClick();
    EXPECT_FALSE(form.Found());
    EXPECT_EQ(messages.calls.last().heading, QStringLiteral("Hledaná hodnota nenalezena..."));
    EXPECT_EQ(form.ComboBox_Hledat->findText(QStringLiteral("nic takového")), -1);

    form.ComboBox_Hledat->setEditText(QString());
    EXPECT_FALSE(form.Button_Hledat->isEnabled());
}

TEST_F(SearchTest, ASearchReadsItsTwinOnceAlsoTheFirstOfTheSession)
{
    ASSERT_TRUE(dm->AddOrEditBasketRow(dm->MSSQLADOQuery_Polozka->FieldByName("ID_POLOZKA").AsInteger(), 0,
                                       Currency::fromInt(1), false));
    int document = 0;
    ASSERT_TRUE(dm->SellBasket(1, false, QStringLiteral("-"), 0, document)) << qPrintable(dm->LastErrorText());
    TForm_HledatPolozku items(*dm);
    TForm_HledatDoklad documents(*dm);
    for (TForm_Hledat *form : {static_cast<TForm_Hledat *>(&items), static_cast<TForm_Hledat *>(&documents)}) {
        int reads = 0;
        QObject::connect(form->SearchQuery(), &Db::Dataset::afterOpen, form, [&reads] { ++reads; });
        form->show();
        for (const QString &column : {QStringLiteral("DETAIL_OZNACENI"), QString()}) {
            if (column.isEmpty())
                form->ComboBox_Prohledavat->setCurrentIndex(0);
            else
                chooseColumn(*form, column);
            form->ComboBox_Hledat->setEditText(QStringLiteral("a1"));
            reads = 0;
            form->Button_HledatClick();
            EXPECT_TRUE(form->Found()) << qPrintable(form->windowTitle() + u' ' + column);
            EXPECT_EQ(reads, 1) << qPrintable(form->windowTitle() + u' ' + column);
        }
        form->hide();
    }
}

TEST_F(SearchTest, TextsWithQuotesWildcardsAndBracketsFindWhatTheySay)
{
    TForm_HledatPolozku form(*dm);
    form.show();
    chooseColumn(form, QStringLiteral("POLOZKA"));
    EXPECT_EQ(findAll(form, QStringLiteral("O'Neil")), QStringList({"A1"}));
    EXPECT_EQ(findAll(form, QStringLiteral("100%")), QStringList({"B2"}));
    EXPECT_EQ(findAll(form, QStringLiteral("*")), QStringList({"B2"}));
    EXPECT_EQ(findAll(form, QStringLiteral("[bílá]")), QStringList({"B2"}));
    EXPECT_EQ(findAll(form, QStringLiteral("0%")), QStringList({"B2"}));
    form.ComboBox_Prohledavat->setCurrentIndex(0);
    EXPECT_EQ(findAll(form, QStringLiteral("100%")), QStringList({"B2"}));
}

TEST_F(SearchTest, TheChosenColumnSurvivesARestartAndTheFoundTextsDoNot)
{
    int chosen = 0;
    {
        TForm_HledatPolozku form(*dm);
        form.show();
        EXPECT_EQ(form.ComboBox_Prohledavat->currentIndex(), 3);
        chooseColumn(form, QStringLiteral("KOD"));
        chosen = form.ComboBox_Prohledavat->currentIndex();
        form.ComboBox_Hledat->setEditText(QStringLiteral("B2"));
        form.Button_HledatClick();
        form.hide();
    }
    IniFile ini(Paths::iniFilePath());
    EXPECT_EQ(ini.readString(QStringLiteral("Hledat_polozku"), QStringLiteral("Prohledavat"), QString()),
              QString::number(chosen));
    TForm_HledatPolozku again(*dm);
    again.show();
    EXPECT_EQ(again.ComboBox_Prohledavat->currentIndex(), chosen);
    EXPECT_EQ(again.ComboBox_Hledat->count(), 0);

    TForm_HledatDoklad documents(*dm);
    documents.show();
    EXPECT_EQ(documents.ComboBox_Prohledavat->currentIndex(), 5);
}

TEST_F(SearchTest, FiltersAreAddedEditedAndRemovedWithTheirChecks)
{
    TForm_Filtry chooser(*dm, dm->MSSQLADOQuery_Polozka);
    ASSERT_TRUE(dm->MSSQLADOQuery_Filtr->LocateInteger(QStringLiteral("ID_FILTR"), NoFilterId));
    chooser.DataSourceDataChange();
    EXPECT_FALSE(chooser.Button_Editovat->isEnabled());
    EXPECT_FALSE(chooser.Button_Odebrat->isEnabled());

    TForm_FiltrNovy added(*dm);
    added.show();
    EXPECT_EQ(added.Edit_Filtr->text(), QStringLiteral("filtr"));
    added.Edit_Filtr->setText(QStringLiteral("[Žádný filtr]"));
    EXPECT_EQ(Hint(added.Edit_Filtr), QStringLiteral("Existující filtr..."));
    EXPECT_FALSE(added.Button_Ok->isEnabled());
    added.Edit_Filtr->setText(QStringLiteral("   "));
    EXPECT_EQ(Hint(added.Edit_Filtr), QStringLiteral("Nezadaný filtr..."));
    added.Edit_Filtr->setText(QStringLiteral("Drahé"));
    EXPECT_TRUE(added.Button_Ok->isEnabled());

    // A condition the server refuses, a second statement and a comment stay in the dialog.
    for (const QString &bad :
         {QStringLiteral("PRODEJ >>> 5"), QStringLiteral("1=1; DELETE FROM tab_polozka"), QStringLiteral("1=1 -- x")}) {
        added.Memo_Script->setPlainText(bad);
        added.Button_OkClick();
        EXPECT_TRUE(added.isVisible()) << qPrintable(bad);
        EXPECT_EQ(messages.calls.last().heading, QStringLiteral("Script filtru obsahuje chybu[y]..."));
    }
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM tab_polozka")), QStringLiteral("3"));
    added.Memo_Script->setPlainText(QStringLiteral("tab_polozka.PRODEJ > 50"));
    added.Button_OkClick();
    EXPECT_FALSE(added.isVisible());
    int id = 0;
    ASSERT_TRUE(dm->NewFilter(added.Edit_Filtr->text(), added.Memo_Script->toPlainText(), id));

    ASSERT_TRUE(dm->MSSQLADOQuery_Filtr->LocateInteger(QStringLiteral("ID_FILTR"), id));
    chooser.DataSourceDataChange();
    EXPECT_TRUE(chooser.Button_Editovat->isEnabled());
    EXPECT_TRUE(chooser.Button_Odebrat->isEnabled());
    TForm_FiltrEditace edited(*dm, id);
    edited.show();
    EXPECT_EQ(edited.Memo_Script->toPlainText(), QStringLiteral("tab_polozka.PRODEJ > 50"));
    EXPECT_FALSE(edited.Button_Ok->isEnabled());
    edited.Edit_Filtr->setText(QStringLiteral("Drahé zboží"));
    edited.Edit_Filtr->setText(QStringLiteral("Drahé")); // its own name is no clash
    EXPECT_TRUE(edited.Button_Ok->isEnabled());

    messages.answer(true);
    chooser.Button_OdebratClick();
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM tab_filtr WHERE ID_FILTR = %1").arg(id)),
              QStringLiteral("0"));
    EXPECT_EQ(TForm_Filtr::PasteText(QStringLiteral("tab_polozka.PRODEJ numeric [19]")),
              QStringLiteral("tab_polozka.PRODEJ"));
}

TEST_F(SearchTest, AFilterIsCheckedAgainstTheListItIsFor)
{
    TForm_Filtry chooser(*dm, dm->MSSQLADOQuery_Doklad);
    WhenModal([&](QDialog *d) {
        auto *dialog = dynamic_cast<TForm_FiltrNovy *>(d);
        ASSERT_TRUE(dialog);
        dialog->Edit_Filtr->setText(QStringLiteral("Se slevou"));
        dialog->Memo_Script->setPlainText(QStringLiteral("tab_polozka.OZNACENI = 'B2'")); // the item list's
        dialog->Button_Ok->click();
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(messages.calls.last().heading, QStringLiteral("Script filtru obsahuje chybu[y]..."));
        dialog->Memo_Script->setPlainText(QStringLiteral("tab_doklad.SLEVA > 0"));
        Shoot(dialog, "filtr_novy_doklady");
        dialog->Button_Ok->click();
    });
    chooser.Button_PridatClick();
    EXPECT_EQ(scalar(QStringLiteral("SELECT SCRIPT FROM tab_filtr WHERE FILTR = 'Se slevou'")),
              QStringLiteral("tab_doklad.SLEVA > 0"));

    // A filter stored before with a column two tables of the list have.
    EXPECT_FALSE(ApplyListFilter(dm->MSSQLADOQuery_Polozka, QStringLiteral("MNOZSTVI > 3")));
    EXPECT_TRUE(messages.calls.last().description.startsWith(
        QStringLiteral("Sloupec MNOZSTVI má seznam ve více tabulkách (tab_polozka, tab_historie): uveďte před ním "
                       "tabulku, například tab_polozka.MNOZSTVI.\n")));
}

TEST_F(SearchTest, AFilterTheListCannotRunLeavesTheFilterItHad)
{
    TMSSQLADOQuery *items = dm->MSSQLADOQuery_Polozka;
    TMSSQLADOQuery *documents = dm->MSSQLADOQuery_Doklad;
    ASSERT_TRUE(ApplyListFilter(items, QStringLiteral("tab_polozka.OZNACENI = 'B2'")));
    EXPECT_EQ(items->RecordCount(), 1);
    const QString documentFilter =
        documents->FormatParameters().FindParameter(QStringLiteral("%WHERE_FILTER"))->Value();

    EXPECT_FALSE(ApplyListFilter(documents, QStringLiteral("tab_polozka.OZNACENI = 'B2'")));
    EXPECT_EQ(messages.calls.last().kind, MessageCall::Warning);
    EXPECT_EQ(messages.calls.last().heading, QStringLiteral("Filtr nelze použít..."));
    EXPECT_FALSE(messages.calls.last().description.isEmpty());
    EXPECT_EQ(documents->FormatParameters().FindParameter(QStringLiteral("%WHERE_FILTER"))->Value(), documentFilter);
    EXPECT_TRUE(documents->Active());
    // The item list keeps its own filter.
    EXPECT_EQ(items->RecordCount(), 1);
}

// A search the server holds up for more than a second shows the progress
// window, and its "Přerušit" cancels the statement on the server: the
// dialog says the search did not run, with the server's reason, and the next
// search runs as ever.
TEST_F(SearchTest, ALongSearchShowsTheProgressWindowAndCanBeStopped)
{
    dm->MSSQLADOQuery_PolozkaHistorie->Close(); // the item's lines are not what is held up here
    Db::Connection other;
    ASSERT_TRUE(other.open(server, database, qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD")));
    ASSERT_TRUE(other.exec(QStringLiteral("BEGIN; LOCK TABLE tab_historie IN ACCESS EXCLUSIVE MODE")).succeeded());
    TForm_HledatPolozku form(*dm);
    form.show();
    chooseColumn(form, QStringLiteral("DETAIL_OZNACENI"));
    messages.interruptAtStep(1);
    form.ComboBox_Hledat->setEditText(QStringLiteral("B2"));
    form.Button_HledatClick();
    EXPECT_FALSE(form.Found());
    EXPECT_EQ(messages.count(MessageCall::Progress), 1);
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    EXPECT_EQ(messages.calls.last().heading, QStringLiteral("Hledání neproběhlo..."));
    EXPECT_TRUE(messages.calls.last().description.contains(QStringLiteral("57014")))
        << qPrintable(messages.calls.last().description);
    EXPECT_FALSE(messages.progressShown());

    ASSERT_TRUE(other.exec(QStringLiteral("ROLLBACK")).succeeded());
    form.Button_HledatClick();
    EXPECT_TRUE(form.Found());
    EXPECT_EQ(currentMark(), QStringLiteral("B2"));
}

// A search that meets a lost session says why it found nothing, and finds
// once the session is renewed.
TEST_F(SearchTest, ASearchThatCannotRunSaysWhy)
{
    TForm_HledatPolozku form(*dm);
    form.show();
    endModuleSession();
    form.ComboBox_Hledat->setEditText(QStringLiteral("šroub"));
    form.Button_HledatClick();
    EXPECT_FALSE(form.Found());
    EXPECT_EQ(messages.calls.last().heading, QStringLiteral("Hledání neproběhlo..."));
    EXPECT_TRUE(messages.calls.last().description.startsWith(QStringLiteral("Spojení s databázovým serverem")))
        << qPrintable(messages.calls.last().description);
    form.Button_HledatClick();
    EXPECT_TRUE(form.Found());
}
