#include "platform/db/datasource.h"

#include <algorithm>

namespace Db {

DataSource::DataSource(QObject *parent)
    : QObject(parent)
{}

DataSource::~DataSource()
{
    SetDataSet(nullptr);
    for (DataLink *link : m_links)
        link->m_source = nullptr;
}

void DataSource::SetDataSet(Dataset *dataset)
{
    if (dataset == m_dataset)
        return;
    if (m_dataset) {
        auto &sources = m_dataset->m_sources;
        sources.erase(std::remove(sources.begin(), sources.end(), this), sources.end());
    }
    m_dataset = dataset;
    if (m_dataset)
        m_dataset->m_sources.push_back(this);
    notifyLinks(DataEvent::ActiveChanged, nullptr);
}

void DataSource::notifyLinks(DataEvent event, Field *field)
{
    const std::vector<DataLink *> links = m_links; // a handler may re-bind a link
    for (DataLink *link : links) {
        if (std::find(m_links.begin(), m_links.end(), link) == m_links.end())
            continue;
        switch (event) {
        case DataEvent::ActiveChanged:
            link->ActiveChanged();
            break;
        case DataEvent::DataSetChanged:
            link->DataSetChanged();
            break;
        case DataEvent::DataSetScroll:
            link->DataSetScrolled();
            break;
        case DataEvent::RecordChanged:
            link->RecordChanged(field);
            break;
        case DataEvent::LayoutChanged:
            link->LayoutChanged();
            break;
        }
    }
    if (event == DataEvent::ActiveChanged)
        emit activeChange(m_dataset && m_dataset->Active());
    else
        emit dataChange(field);
}

DataLink::~DataLink()
{
    SetDataSource(nullptr);
}

void DataLink::SetDataSource(DataSource *source)
{
    if (source == m_source)
        return;
    if (m_source) {
        auto &links = m_source->m_links;
        links.erase(std::remove(links.begin(), links.end(), this), links.end());
    }
    m_source = source;
    if (m_source)
        m_source->m_links.push_back(this);
    ActiveChanged();
}

} // namespace Db
