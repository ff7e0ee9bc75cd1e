#include "common/test_connection.h"
#include "platform/db/datasetmodel.h"

#include <QSignalSpy>

using namespace Db;

namespace {
class DatasetModelTest : public LiveDatabaseTest
{
protected:
    void SetUp() override
    {
        LiveDatabaseTest::SetUp();
        run(QStringLiteral("CREATE TABLE unit (id integer PRIMARY KEY, name text, price numeric(19,4), "
                           "multiple boolean);"
                           "INSERT INTO unit VALUES (1,'ks',1.5,true),(2,'kg',2,false),(3,'m',NULL,false)"));
        units.SetConnection(&connection);
        units.SetSQL(QStringLiteral("SELECT * FROM unit ORDER BY id"));
        source.SetDataSet(&units);
        model.SetDataSource(&source);
    }
    Dataset units;
    DataSource source;
    DatasetModel model;
};
} // namespace

TEST_F(DatasetModelTest, ShowsVisibleFieldsWithTheirFormatsAndLabels)
{
    units.AddField(QStringLiteral("id"))->Visible = false;
    Field *price = units.AddField(QStringLiteral("PRICE"));
    price->DisplayFormat = QStringLiteral(",0.00");
    price->DisplayLabel = QStringLiteral("Cena");
    units.Open();
    ASSERT_EQ(model.rowCount(), 3);
    ASSERT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Cena"));
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), QStringLiteral("1,50"));
    EXPECT_EQ(model.data(model.index(2, 1)).toString(), QString());
    EXPECT_EQ(model.data(model.index(0, 2), Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
    EXPECT_EQ(model.data(model.index(1, 2), Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);
    EXPECT_TRUE(model.flags(model.index(0, 2)) & Qt::ItemIsUserCheckable);
}

TEST_F(DatasetModelTest, CurrentRowInStepBothWays)
{
    units.Open();
    QSignalSpy current(&model, &DatasetModel::currentRowChanged);
    units.Next();
    ASSERT_EQ(current.count(), 1);
    EXPECT_EQ(current.last().at(0).toInt(), 1);
    model.SetCurrentRow(2);
    EXPECT_EQ(units.FieldByName(QStringLiteral("id")).AsInteger(), 3);
    EXPECT_EQ(model.CurrentRow(), 2);
}

TEST_F(DatasetModelTest, RequeryChangesRowsInPlaceWithoutAReset)
{
    units.Open();
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    run(QStringLiteral("INSERT INTO unit VALUES (4,'l',1,false)"));
    units.Requery();
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(inserted.count(), 1);
    run(QStringLiteral("DELETE FROM unit WHERE id > 1"));
    units.Requery();
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(resets.count(), 0);
    units.Close();
    EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(DatasetModelTest, CheckBoxWritesTheRowBack)
{
    units.Open();
    ASSERT_TRUE(model.setData(model.index(1, 3), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(model.data(model.index(1, 3), Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
    EXPECT_EQ(connection.exec(QStringLiteral("SELECT multiple FROM unit WHERE id = 2")).cellText(0, 0),
              QStringLiteral("t"));
}

TEST_F(DatasetModelTest, ForgetsTheDatasetWhenItIsDestroyed)
{
    auto *other = new Dataset;
    other->SetConnection(&connection);
    other->SetSQL(QStringLiteral("SELECT * FROM unit"));
    other->Open();
    source.SetDataSet(other);
    EXPECT_EQ(model.rowCount(), 3);
    delete other;
    EXPECT_EQ(source.DataSet(), nullptr);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 0);
}
