#pragma once
// A report dataset over a database dataset of the program, given directly
// or through a data source, and the field and bookmark routines the engine
// and the designer use on database datasets.
#include "platform/db/dataset.h"
#include "platform/db/datasource.h"
#include "report/dataset.h"

#include <QPointer>
#include <QStringList>
#include <optional>
#include <stdexcept>

// Raised when a TvlDBDataSet has no dataset to read.
class EDSError : public std::runtime_error
{
public:
    explicit EDSError(const QString &message);
    QString text() const { return QString::fromUtf8(what()); }
};

class TvlDBDataSet : public TvlDataset
{
    Q_OBJECT
    Q_PROPERTY(Db::Dataset *DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(Db::DataSource *DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(bool OpenDataSource MEMBER OpenDataSource)
    Q_PROPERTY(bool CloseDataSource MEMBER CloseDataSource)

public:
    explicit TvlDBDataSet(QObject *owner = nullptr);

    // The two are exclusive: setting DataSet clears DataSource, setting a
    // data source clears DataSet. A destroyed component is forgotten.
    Db::Dataset *DataSet() const { return m_dataSet; }
    void SetDataSet(Db::Dataset *dataSet);
    Db::DataSource *DataSource() const { return m_dataSource; }
    void SetDataSource(Db::DataSource *dataSource);
    // The dataset read: the data source's, else DataSet; nullptr when neither.
    Db::Dataset *SourceDataSet() const;

    bool OpenDataSource = true;   // open the dataset at Init
    bool CloseDataSource = false; // close it at Exit
    TNotifyEvent OnOpen;
    TNotifyEvent OnClose;

    void Init() override;
    void Exit() override;
    void First() override;
    void Next() override;
    bool Eof() override;

private:
    Db::Dataset &Source() const;     // raises EDSError
    Db::Dataset &OpenSource() const; // raises the dataset's error when closed

    QPointer<Db::Dataset> m_dataSet;
    QPointer<Db::DataSource> m_dataSource;
    std::optional<Db::Bookmark> m_bookmark; // between Init and Exit
    bool m_atRangeEnd = false;
};

// The platform dataset a component stands for: a database dataset itself, or
// the one a report dataset reads; nullptr for anything else.
Db::Dataset *vlSourceDataSet(QObject *component);

// Binary and long-text fields, which the engine shows as pictures or memos.
bool vlIsBlob(const Db::Field *field);
void vlGetFieldNames(const Db::Dataset &dataset, QStringList &list);
Db::Bookmark vlGetBookmark(const Db::Dataset &dataset);
bool vlGotoBookmark(Db::Dataset &dataset, const Db::Bookmark &bookmark);
void vlFreeBookmark(Db::Bookmark &bookmark);
bool vlBookmarksEqual(const Db::Dataset &dataset, const Db::Bookmark &a, const Db::Bookmark &b);

// "Form.Dataset.Field", "Dataset.Field" (a dataset of the current report's
// owner) or a plain field name of the dataset passed in; a field name in
// double quotes is taken without them. The dataset becomes the one named
// (nullptr when there is none); the field is nullptr when not found. A
// report dataset named instead stands for the dataset it reads.
void vlGetDataSetAndField(const QString &name, Db::Dataset *&dataset, Db::Field *&field);
