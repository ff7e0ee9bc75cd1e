#pragma once
// A form with a list of units over a real database, for the grids' tests.
#include "common/test_connection.h"
#include "kit/dbgrid.h"
#include "platform/db/dataset.h"
#include "platform/db/datasource.h"

#include <QApplication>
#include <QWidget>
#include <memory>

class TForm_Seznam : public QWidget
{
    Q_OBJECT
};

class GridTest : public DatabaseTest
{
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        run(QStringLiteral("CREATE TABLE tab_jednotka (id_jednotka integer PRIMARY KEY, jednotka varchar(10), "
                           "popis text, state_vychozi boolean);"
                           "INSERT INTO tab_jednotka SELECT i, 'j' || i, 'Jednotka ' || i, i % 2 = 0 "
                           "FROM generate_series(1, 30) i;"
                           "UPDATE tab_jednotka SET state_vychozi = NULL WHERE id_jednotka = 3;"));
        form = std::make_unique<TForm_Seznam>();
        form->resize(500, 300);
        query = new Db::Dataset(form.get());
        query->setObjectName("Query_Jednotka");
        query->SetConnection(&connection);
        query->KeyFields = "ID_JEDNOTKA";
        query->SetSQL("SELECT id_jednotka, jednotka, popis, state_vychozi, "
                      "NOT state_vychozi AS opak FROM tab_jednotka ORDER BY id_jednotka");
        source = new Db::DataSource(form.get());
        source->SetDataSet(query);
    }

    template <typename Grid>
    Grid *makeGrid()
    {
        auto *grid = new Grid(form.get());
        grid->setObjectName("KxDBGrid_Jednotka");
        grid->setGeometry(0, 0, 500, 300);
        grid->SetTitleButtons(true);
        grid->SetDataSource(source);
        return grid;
    }

    void customColumns(TKxDBGrid *grid)
    {
        grid->Columns().Add("JEDNOTKA", "Jednotka", 80);
        grid->Columns().Add("POPIS", "Popis", 150);
        grid->Columns().Add("STATE_VYCHOZI", "Výchozí", 60);
        grid->Columns().Add("OPAK", "Opak", 60);
    }

    void show()
    {
        form->show();
        QApplication::processEvents();
    }

    int currentId() const { return int(query->FieldByName("ID_JEDNOTKA").AsInteger()); }

    std::unique_ptr<TForm_Seznam> form;
    Db::Dataset *query = nullptr;
    Db::DataSource *source = nullptr;
};
