#include "data/formatparameters.h"

#include "platform/messages.h"

TFormatParameter::TFormatParameter(TFormatParameters *collection)
    : QObject(collection)
    , m_collection(collection)
{}

void TFormatParameter::Assign(const TFormatParameter &source)
{
    m_name = source.m_name;
    m_value = source.m_value;
}

QString TFormatParameter::DisplayName() const
{
    return m_name.isEmpty() ? QString::fromLatin1(metaObject()->className()) : m_name;
}

TFormatParameters::TFormatParameters(QObject *owner)
    : QObject(owner)
    , m_owner(owner)
{}

TFormatParameters::~TFormatParameters()
{
    Clear();
}

TFormatParameter *TFormatParameters::Add()
{
    auto *item = new TFormatParameter(this);
    m_items.append(item);
    return item;
}

void TFormatParameters::Clear()
{
    qDeleteAll(m_items);
    m_items.clear();
}

void TFormatParameters::Assign(const TFormatParameters &source)
{
    if (&source == this)
        return;
    Clear();
    for (const TFormatParameter *item : source.m_items)
        Add()->Assign(*item);
}

TFormatParameter *TFormatParameters::FindParameter(const QString &name) const
{
    for (TFormatParameter *item : m_items) {
        if (item->Name().compare(name, Qt::CaseInsensitive) == 0)
            return item;
    }
    return nullptr;
}

TFormatParameter *TFormatParameters::ParamByName(const QString &name) const
{
    TFormatParameter *item = FindParameter(name);
    if (!item)
        ShowWarning(QStringLiteral("Format parameter \"%1\" not found.").arg(name), QString());
    return item;
}

QString TFormatParameters::GetAttr(int index)
{
    switch (index) {
    case 0:
        return QStringLiteral("Name");
    case 1:
        return QStringLiteral("Value");
    default:
        return QString();
    }
}

QString TFormatParameters::GetItemAttr(int index, int itemIndex) const
{
    const TFormatParameter *item = Items(itemIndex);
    if (!item)
        return QString();
    switch (index) {
    case 0:
        return item->Name().isEmpty() ? QString::number(itemIndex) : item->Name();
    case 1:
        return item->Value();
    default:
        return QString();
    }
}

void TFormatParameters::StoredResize(int count)
{
    Clear();
    for (int i = 0; i < count; ++i)
        Add();
}
