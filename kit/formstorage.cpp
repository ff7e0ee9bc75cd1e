#include "kit/formstorage.h"

#include "kit/kxutils.h"

// ---------------------------------------------------------------- stored values

QString StoredValueText(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    switch (value.metaType().id()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
    case QMetaType::Float:
        return TPropsStorage::FloatText(value.toDouble(), 15);
    default:
        return value.toString();
    }
}

void TStoredValue::SetName(const QString &value)
{
    if (m_collection) {
        const int other = m_collection->IndexOf(value);
        if (other >= 0 && m_collection->StoredValueAt(other) != this)
            throw EKitError(QStringLiteral("String list does not allow duplicates"));
    }
    m_name = value;
}

void TStoredValue::Save()
{
    TFormStorage *storage = m_collection ? m_collection->Storage() : nullptr;
    if (!storage || m_name.isEmpty())
        return;
    QVariant v = Value;
    if (OnSave)
        OnSave(this, v);
    QString text = StoredValueText(v);
    if (!KeyString.isEmpty())
        text = XorHexEncode(KeyString, text);
    storage->WriteString(storage->IniSection(), m_name, text);
}

void TStoredValue::Restore()
{
    TFormStorage *storage = m_collection ? m_collection->Storage() : nullptr;
    if (!storage || m_name.isEmpty())
        return;
    QString fallback = StoredValueText(Value);
    if (!KeyString.isEmpty())
        fallback = XorHexEncode(KeyString, fallback);
    QString text = storage->ReadString(storage->IniSection(), m_name, fallback);
    if (!KeyString.isEmpty())
        text = XorHexDecode(KeyString, text);
    QVariant v(text);
    if (OnRestore)
        OnRestore(this, v);
    Value = v;
}

TStoredValue *TStoredValues::Add(const QString &name, const QVariant &value)
{
    auto item = std::make_unique<TStoredValue>(this);
    item->SetName(name);
    item->Value = value;
    m_items.push_back(std::move(item));
    return m_items.back().get();
}

void TStoredValues::Delete(int index)
{
    if (index >= 0 && index < Count())
        m_items.erase(m_items.begin() + index);
}

int TStoredValues::IndexOf(const QString &name) const
{
    for (int i = 0; i < Count(); ++i)
        if (!name.isEmpty() && m_items[i]->Name().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

TStoredValue *TStoredValues::StoredValueAt(int index) const
{
    return index >= 0 && index < Count() ? m_items[index].get() : nullptr;
}

void TStoredValues::SaveAllValues()
{
    for (const auto &item : m_items)
        item->Save();
}

void TStoredValues::RestoreAllValues()
{
    for (const auto &item : m_items)
        item->Restore();
}

// ---------------------------------------------------------------- TFormStorage

TFormStorage::TFormStorage(QObject *owner)
    : TFormPlacement(owner)
    , m_storedValues(this)
{}

QStringList TFormStorage::StoredProps() const
{
    QStringList lines;
    for (const TStoredItem &item : m_storedProps)
        lines.append(item.Line);
    return lines;
}

void TFormStorage::SetStoredProps(const QStringList &lines)
{
    m_storedProps.clear();
    for (const QString &line : lines)
        m_storedProps.append(TStoredItem{line, nullptr, false});
    if (IsLoaded())
        ResolveStoredList(parent(), m_storedProps, true);
}

void TFormStorage::Loaded()
{
    if (IsLoaded())
        return;
    TFormPlacement::Loaded();
    ResolveStoredList(parent(), m_storedProps, true);
}

void TFormStorage::SavePlacement()
{
    TFormPlacement::SavePlacement();
    SaveProperties();
    m_storedValues.SaveAllValues();
}

void TFormStorage::RestorePlacement()
{
    TFormPlacement::RestorePlacement();
    setRestored();
    RestoreProperties();
    m_storedValues.RestoreAllValues();
}

std::unique_ptr<TPropsStorage> TFormStorage::createWorker()
{
    auto worker = std::make_unique<TPropsStorage>(
        [this](const QString &s, const QString &i, const QString &d) { return ReadString(s, i, d); },
        [this](const QString &s, const QString &i, const QString &v) { WriteString(s, i, v); },
        [this](const QString &s) { EraseSection(s); });
    worker->Section = IniSection();
    return worker;
}

void TFormStorage::SaveProperties()
{
    std::unique_ptr<TPropsStorage> worker = createWorker();
    SaveStoredProps(*worker, parent(), m_storedProps);
}

void TFormStorage::RestoreProperties()
{
    std::unique_ptr<TPropsStorage> worker = createWorker();
    try {
        LoadStoredProps(*worker, parent(), m_storedProps);
    } catch (const std::exception &) {
        // Restoring is best effort: whatever could not be read keeps its value.
    }
}
