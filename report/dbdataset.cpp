#include "report/dbdataset.h"

#include "platform/db/field.h"
#include "platform/db/servererror.h"
#include "platform/globalcomponents.h"
#include "report/components.h"

EDSError::EDSError(const QString &message)
    : std::runtime_error(message.toStdString())
{}

TvlDBDataSet::TvlDBDataSet(QObject *owner)
    : TvlDataset(owner)
{}

void TvlDBDataSet::SetDataSet(Db::Dataset *dataSet)
{
    m_dataSet = dataSet;
    m_dataSource = nullptr;
}

void TvlDBDataSet::SetDataSource(Db::DataSource *dataSource)
{
    m_dataSource = dataSource;
    if (dataSource)
        m_dataSet = nullptr;
}

Db::Dataset *TvlDBDataSet::SourceDataSet() const
{
    if (m_dataSource && m_dataSource->DataSet())
        return m_dataSource->DataSet();
    return m_dataSet;
}

Db::Dataset &TvlDBDataSet::Source() const
{
    Db::Dataset *source = SourceDataSet();
    if (!source)
        throw EDSError(QStringLiteral("Unable to open dataset ") + objectName());
    return *source;
}

Db::Dataset &TvlDBDataSet::OpenSource() const
{
    Db::Dataset &source = Source();
    if (!source.Active())
        throw Db::DatabaseError(QStringLiteral("Datová sada „%1“ je zavřená.").arg(source.objectName()));
    return source;
}

void TvlDBDataSet::Init()
{
    Db::Dataset &source = Source();
    if (OpenDataSource)
        source.Open();
    if (OnOpen)
        OnOpen(this);
    m_bookmark = source.Active() ? std::optional(source.GetBookmark()) : std::nullopt;
    m_atRangeEnd = false;
}

void TvlDBDataSet::First()
{
    Db::Dataset &source = OpenSource();
    if (RangeBegin() == rbFirst)
        source.First();
    else if (m_bookmark)
        source.GotoBookmark(*m_bookmark);
    m_atRangeEnd = false;
    TvlDataset::First();
}

void TvlDBDataSet::Next()
{
    Db::Dataset &source = OpenSource();
    m_atRangeEnd = false;
    if (RangeEnd() == reCurrent && m_bookmark && vlBookmarksEqual(source, source.GetBookmark(), *m_bookmark)) {
        m_atRangeEnd = true;
        return;
    }
    source.Next();
    TvlDataset::Next();
}

bool TvlDBDataSet::Eof()
{
    Db::Dataset &source = Source();
    return TvlDataset::Eof() || source.Eof() || m_atRangeEnd;
}

void TvlDBDataSet::Exit()
{
    Db::Dataset &source = Source();
    if (m_bookmark) {
        if ((RangeBegin() == rbCurrent || RangeEnd() == reCurrent) && source.Active())
            source.GotoBookmark(*m_bookmark);
        m_bookmark.reset();
    }
    if (OnClose)
        OnClose(this);
    if (CloseDataSource)
        source.Close();
}

Db::Dataset *vlSourceDataSet(QObject *component)
{
    if (auto *dataset = qobject_cast<Db::Dataset *>(component))
        return dataset;
    if (auto *report = qobject_cast<TvlDBDataSet *>(component))
        return report->SourceDataSet();
    return nullptr;
}

bool vlIsBlob(const Db::Field *field)
{
    if (!field)
        return false;
    // bytea is binary; text without a length limit is a memo.
    return field->DataType() == Db::FieldType::Bytes ||
           (field->DataType() == Db::FieldType::String && field->Size() == 0);
}

void vlGetFieldNames(const Db::Dataset &dataset, QStringList &list)
{
    list.clear();
    for (const Db::Field *field : dataset.Fields())
        list << field->FieldName();
}

Db::Bookmark vlGetBookmark(const Db::Dataset &dataset)
{
    return dataset.GetBookmark();
}

bool vlGotoBookmark(Db::Dataset &dataset, const Db::Bookmark &bookmark)
{
    return dataset.GotoBookmark(bookmark);
}

void vlFreeBookmark(Db::Bookmark &bookmark)
{
    bookmark = Db::Bookmark();
}

bool vlBookmarksEqual(const Db::Dataset &, const Db::Bookmark &a, const Db::Bookmark &b)
{
    if (!a.IsValid() || !b.IsValid())
        return false;
    if (a.snapshot == b.snapshot)
        return a.row == b.row;
    return !a.key.empty() && a.key == b.key;
}

namespace {

// Splits off the field name, which may be quoted (and then may hold dots).
void splitFieldName(const QString &name, QStringList &path, QString &field)
{
    QString rest = name;
    if (rest.endsWith(QLatin1Char('"')) && rest.size() >= 2) {
        const qsizetype open = rest.lastIndexOf(QLatin1Char('"'), rest.size() - 2);
        if (open >= 0 && (open == 0 || rest[open - 1] == QLatin1Char('.'))) {
            field = rest.mid(open + 1, rest.size() - open - 2);
            rest = rest.left(qMax<qsizetype>(open - 1, 0));
            path = rest.isEmpty() ? QStringList() : rest.split(QLatin1Char('.'));
            return;
        }
    }
    path = rest.split(QLatin1Char('.'));
    field = path.takeLast();
}

} // namespace

void vlGetDataSetAndField(const QString &name, Db::Dataset *&dataset, Db::Field *&field)
{
    QStringList path;
    QString fieldName;
    splitFieldName(name.trimmed(), path, fieldName);
    if (path.size() == 2)
        dataset = vlSourceDataSet(GlobalComponents::FindOwned(GlobalComponents::Find(path[0]), path[1]));
    else if (path.size() == 1)
        dataset = vlSourceDataSet(GlobalComponents::FindOwned(vlCurrentReportOwner(), path[0]));
    else if (!path.isEmpty())
        dataset = nullptr;
    field = dataset ? dataset->FindField(fieldName) : nullptr;
}
