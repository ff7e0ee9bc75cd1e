// The SQL console's statement kinds and runs on a real database, its kept
// statement, and the store choice.
#include "app/admin/form_skladvybrat.h"
#include "app/admin/form_sql.h"
#include "app/admin/sqlconsolerun.h"
#include "data/dm_fixture.h"
#include "kit/dbgrid.h"
#include "kit/dbnavigator.h"
#include "platform/db/dataset.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QToolButton>

TEST(SqlConsoleKinds, TheFirstCharactersDecide)
{
    EXPECT_EQ(ClassifyStatement("select * from tab_sklad"), SqlStatementKind::Query);
    EXPECT_EQ(ClassifyStatement(" select * from tab_sklad"), SqlStatementKind::Other);
    EXPECT_EQ(ClassifyStatement("-- dotaz\nSELECT 1"), SqlStatementKind::Other);
    EXPECT_EQ(ClassifyStatement("Update tab_dph SET DPH = DPH"), SqlStatementKind::RowCount);
    EXPECT_EQ(ClassifyStatement("insert into x values (1)"), SqlStatementKind::RowCount);
    EXPECT_EQ(ClassifyStatement("DELETE FROM x"), SqlStatementKind::RowCount);
    EXPECT_EQ(ClassifyStatement("SELECT tab_dph_func_DPH(1)"), SqlStatementKind::Query);
    EXPECT_EQ(ClassifyStatement("CALL x()"), SqlStatementKind::Other);
}

class SqlConsoleTest : public DataModuleTest
{};

TEST_F(SqlConsoleTest, RunsQueriesChangesAndCommandsAsTyped)
{
    SqlConsoleRun console(*dm);
    EXPECT_EQ(console.Run("select * from tab_sklad"),
              QStringList({"SQL příkaz úspěšně dokončen...", "", "Počet záznamů: 1"}));
    // Percent signs, casts and colons reach the server as typed.
    EXPECT_EQ(console.Run("SELECT '100%' AS t, 'a:b'::text AS u WHERE 'x' LIKE '%x'"),
              QStringList({"SQL příkaz úspěšně dokončen...", "", "Počet záznamů: 1"}));
    EXPECT_EQ(dm->MSSQLADOQuery_SQL->FieldByName("t").AsString(), QStringLiteral("100%"));
    EXPECT_EQ(console.Run("UPDATE tab_dph SET DPH = DPH"),
              QStringList({"SQL příkaz úspěšně dokončen...", "", "Počet dotčených záznamů: 3"}));
    EXPECT_EQ(console.Run("SET search_path TO public"), QStringList({"SQL příkaz úspěšně dokončen..."}));

    const QStringList failed = console.Run("select * from tab_neni");
    ASSERT_GE(failed.size(), 3);
    EXPECT_EQ(failed[0], QStringLiteral("SQL příkaz obsahuje chybu, SQL příkaz nebyl proveden..."));
    EXPECT_TRUE(failed[2].contains(QStringLiteral("tab_neni"))) << qPrintable(failed[2]);
    const QStringList failedChange = console.Run("UPDATE tab_neni SET x = 1");
    ASSERT_GE(failedChange.size(), 3);
    EXPECT_TRUE(failedChange[2].contains(QStringLiteral("tab_neni"))) << qPrintable(failedChange[2]);
}

TEST_F(SqlConsoleTest, ATransactionLeftOpenIsRolledBack)
{
    SqlConsoleRun console(*dm);
    const QStringList lines = console.Run("BEGIN; UPDATE tab_dph SET DPH = 99 WHERE ID_DPH = 2");
    EXPECT_EQ(lines.last(), QStringLiteral("Příkaz ponechal otevřenou transakci, transakce byla odvolána (ROLLBACK)."));
    EXPECT_FALSE(dm->MSSQLADOConnection->Connection().inTransaction());
    EXPECT_EQ(scalar("SELECT DPH::int FROM tab_dph WHERE ID_DPH = 2"), QStringLiteral("10"));
    // A failure inside a transaction the console began ends it too.
    console.Run("BEGIN");
    console.Run("select * from tab_neni");
    EXPECT_FALSE(dm->MSSQLADOConnection->Connection().inTransaction());
}

TEST_F(SqlConsoleTest, TheStatementIsKeptAndTheResultsAccumulate)
{
    {
        TForm_SQL console(*dm);
        console.Memo_SQL->setPlainText("select *\nfrom tab_dph");
        EXPECT_FALSE(console.Button_Export->isEnabled());
        console.Button_SpustitClick();
        console.Button_SpustitClick();
        EXPECT_TRUE(console.Button_Export->isEnabled());
        EXPECT_EQ(console.Memo_Result->toPlainText().count(QStringLiteral("Počet záznamů: 3")), 2);
        console.reject();
        EXPECT_FALSE(dm->MSSQLADOQuery_SQL->Active());
    }
    TForm_SQL again(*dm);
    EXPECT_EQ(again.Memo_SQL->toPlainText(), QStringLiteral("select *\nfrom tab_dph"));
    again.Button_VymazatClick();
    EXPECT_TRUE(again.Memo_SQL->toPlainText().isEmpty());
}

TEST_F(SqlConsoleTest, StoreChoiceStartsOnTheCurrentStore)
{
    sql("INSERT INTO tab_sklad (ID_KATEGORIE, SKLAD) VALUES (1, 'Sklad-02')");
    TForm_SkladVybrat form(*dm);
    form.show();
    EXPECT_EQ(form.ComboBox_Sklad->count(), 2);
    EXPECT_EQ(form.StoreName(), QStringLiteral("Sklad-01"));
    EXPECT_FALSE(form.Button_Ok->isEnabled());
    form.ComboBox_Sklad->setCurrentIndex(form.ComboBox_Sklad->findText("Sklad-02"));
    EXPECT_TRUE(form.Button_Ok->isEnabled());
    EXPECT_EQ(form.StoreName(), QStringLiteral("Sklad-02"));
}

TEST_F(SqlConsoleTest, TheMenuOfTablesPastesTheNameBeforeTheBlank)
{
    TForm_SQL console(*dm);
    QMenu *dph = nullptr;
    for (QAction *action : console.PopupMenu->actions())
        if (action->menu() && action->text() == QStringLiteral("tab_dph"))
            dph = action->menu();
    ASSERT_NE(dph, nullptr);
    ASSERT_GE(dph->actions().size(), 2);
    EXPECT_EQ(dph->defaultAction(), dph->actions().first());
    QAction *column = nullptr;
    for (QAction *action : dph->actions())
        if (action->text().startsWith(QStringLiteral("tab_dph.dph ")) ||
            action->text().startsWith(QStringLiteral("tab_dph.DPH ")))
            column = action;
    ASSERT_NE(column, nullptr);
    console.Memo_SQL->setPlainText(QStringLiteral("SELECT  FROM tab_dph"));
    QTextCursor caret = console.Memo_SQL->textCursor();
    caret.setPosition(7);
    console.Memo_SQL->setTextCursor(caret);
    column->trigger();
    EXPECT_TRUE(console.Memo_SQL->toPlainText().startsWith(QStringLiteral("SELECT tab_dph.")))
        << qPrintable(console.Memo_SQL->toPlainText());
    EXPECT_FALSE(console.Memo_SQL->toPlainText().contains(u'['));
}

// Rows of one table with its key are edited through the navigator and
// written back; joins, computed results and results without the key are
// read-only and the navigator says why.
TEST_F(SqlConsoleTest, OnlyRowsOfOneTableWithItsKeyCanBeEdited)
{
    TForm_SQL console(*dm);
    TDBNavigator *navigator = console.DBNavigator;
    const auto run = [&](const QString &text) {
        console.Memo_SQL->setPlainText(text);
        console.Button_SpustitClick();
    };

    run("select ID_DPH, DPH from tab_dph order by ID_DPH");
    EXPECT_TRUE(navigator->ReadOnlyReason().isEmpty()) << qPrintable(navigator->ReadOnlyReason());
    EXPECT_FALSE(console.KxDBGrid->ReadOnly());
    EXPECT_FALSE(navigator->button(TDBNavigator::nbPrior)->isEnabled());
    ASSERT_TRUE(navigator->BtnClick(TDBNavigator::nbLast));
    EXPECT_FALSE(navigator->button(TDBNavigator::nbNext)->isEnabled());
    ASSERT_TRUE(navigator->BtnClick(TDBNavigator::nbPrior));
    ASSERT_TRUE(navigator->BtnClick(TDBNavigator::nbEdit));
    EXPECT_TRUE(navigator->button(TDBNavigator::nbPost)->isEnabled());
    EXPECT_FALSE(navigator->button(TDBNavigator::nbNext)->isEnabled());
    dm->MSSQLADOQuery_SQL->FieldByName("DPH").SetAsString("12");
    ASSERT_TRUE(navigator->BtnClick(TDBNavigator::nbPost));
    EXPECT_EQ(scalar("SELECT DPH::int FROM tab_dph WHERE ID_DPH = 2"), QStringLiteral("12"));

    // The server's refusal keeps the row in editing with the typed value.
    ASSERT_TRUE(navigator->BtnClick(TDBNavigator::nbEdit));
    dm->MSSQLADOQuery_SQL->FieldByName("DPH").SetAsString("150");
    ASSERT_TRUE(navigator->BtnClick(TDBNavigator::nbPost));
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    EXPECT_FALSE(messages.callsOf(MessageCall::Warning)[0].description.isEmpty());
    EXPECT_EQ(dm->MSSQLADOQuery_SQL->State(), Db::DataSetState::Edit);
    ASSERT_TRUE(navigator->BtnClick(TDBNavigator::nbCancel));
    EXPECT_EQ(scalar("SELECT DPH::int FROM tab_dph WHERE ID_DPH = 2"), QStringLiteral("12"));

    // Refresh shows a change made elsewhere and stays on the row.
    sql("UPDATE tab_dph SET DPH = 11 WHERE ID_DPH = 2");
    ASSERT_TRUE(navigator->BtnClick(TDBNavigator::nbRefresh));
    EXPECT_EQ(dm->MSSQLADOQuery_SQL->FieldByName("ID_DPH").AsInteger(), 2);
    EXPECT_EQ(dm->MSSQLADOQuery_SQL->FieldByName("DPH").AsFloat(), 11.0);

    for (const char *readOnly :
         {"select DPH from tab_dph", "select d.ID_DPH, s.SKLAD from tab_dph d, tab_sklad s", "select 1 as jedna"}) {
        run(readOnly);
        EXPECT_TRUE(navigator->ReadOnlyReason().startsWith(QStringLiteral("Výsledek nelze upravovat: "))) << readOnly;
        EXPECT_EQ(navigator->reasonLabel()->text(), navigator->ReadOnlyReason());
        EXPECT_TRUE(console.KxDBGrid->ReadOnly()) << readOnly;
        EXPECT_FALSE(navigator->button(TDBNavigator::nbEdit)->isEnabled()) << readOnly;
    }
}
