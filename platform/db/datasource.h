#pragma once
// Observers of a dataset: a data source stands between one dataset and the
// controls (data links) that show it, so a form can re-bind all its controls
// to another dataset at once. Notifications stop while the dataset's
// controls are disabled and resume with one "data set changed".
#include "platform/db/dataset.h"

#include <QObject>

#include <vector>

namespace Db {

class DataLink;

class DataSource : public QObject
{
    Q_OBJECT
public:
    explicit DataSource(QObject *parent = nullptr);
    ~DataSource() override;

    Dataset *DataSet() const { return m_dataset; }
    void SetDataSet(Dataset *dataset);

signals:
    // The current row moved or the rows were replaced.
    void dataChange(Db::Field *field);
    void activeChange(bool active);

private:
    friend class Dataset;
    friend class DataLink;
    void notifyLinks(DataEvent event, Field *field);

    Dataset *m_dataset = nullptr;
    std::vector<DataLink *> m_links;
};

class DataLink
{
public:
    DataLink() = default;
    virtual ~DataLink();
    DataLink(const DataLink &) = delete;
    DataLink &operator=(const DataLink &) = delete;

    DataSource *GetDataSource() const { return m_source; }
    void SetDataSource(DataSource *source);
    Dataset *DataSet() const { return m_source ? m_source->DataSet() : nullptr; }
    bool Active() const { return DataSet() && DataSet()->Active(); }

protected:
    friend class DataSource;
    virtual void ActiveChanged() {}
    virtual void DataSetChanged() {}
    virtual void DataSetScrolled() {}
    virtual void RecordChanged(Field *) {}
    virtual void LayoutChanged() { DataSetChanged(); }

private:
    DataSource *m_source = nullptr;
};

// The detail side of master and detail: re-opens its dataset when the
// master's current row changes.
class MasterLink : public DataLink
{
public:
    explicit MasterLink(Dataset *detail)
        : m_detail(detail)
    {}

protected:
    void ActiveChanged() override { m_detail->masterChanged(false); }
    void DataSetChanged() override { m_detail->masterChanged(false); }
    void DataSetScrolled() override { m_detail->masterChanged(true); }
    void RecordChanged(Field *) override { m_detail->masterChanged(true); }

private:
    Dataset *m_detail;
};

} // namespace Db
