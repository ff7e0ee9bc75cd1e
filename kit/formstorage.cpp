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
    if (collection_) {
        const int other = collection_->IndexOf(value);
        if (other >= 0 && collection_->StoredValueAt(other) != this)
            throw EKitError(QStringLiteral("String list does not allow duplicates"));
    }
    name_ = value;
}

void TStoredValue::Save()
{
    TFormStorage *storage = collection_ ? collection_->Storage() : nullptr;
    if (!storage || name_.isEmpty())
        return;
    QVariant v = Value;
    if (OnSave)
        OnSave(this, v);
    QString text = StoredValueText(v);
    if (!KeyString.isEmpty())
        text = XorHexEncode(KeyString, text);
    storage->WriteString(storage->IniSection(), name_, text);
}

void TStoredValue::Restore()
{
    TFormStorage *storage = collection_ ? collection_->Storage() : nullptr;
    if (!storage || name_.isEmpty())
        return;
    QString fallback = StoredValueText(Value);
    if (!KeyString.isEmpty())
        fallback = XorHexEncode(KeyString, fallback);
    QString text = storage->ReadString(storage->IniSection(), name_, fallback);
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
    items_.push_back(std::move(item));
    return items_.back().get();
}

void TStoredValues::Delete(int index)
{
    if (index >= 0 && index < Count())
        items_.erase(items_.begin() + index);
}

int TStoredValues::IndexOf(const QString &name) const
{
    for (int i = 0; i < Count(); ++i)
        if (!name.isEmpty() && items_[i]->Name().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

TStoredValue *TStoredValues::StoredValueAt(int index) const
{
    return index >= 0 && index < Count() ? items_[index].get() : nullptr;
}

void TStoredValues::SaveAllValues()
{
    for (const auto &item : items_)
        item->Save();
}

void TStoredValues::RestoreAllValues()
{
    for (const auto &item : items_)
        item->Restore();
}

// ---------------------------------------------------------------- TFormStorage

TFormStorage::TFormStorage(QObject *owner)
    : TFormPlacement(owner)
    , storedValues_(this)
{}

QStringList TFormStorage::StoredProps() const
{
    QStringList lines;
    for (const TStoredItem &item : storedProps_)
        lines.append(item.Line);
    return lines;
}

void TFormStorage::SetStoredProps(const QStringList &lines)
{
    storedProps_.clear();
    for (const QString &line : lines)
        storedProps_.append(TStoredItem{line, nullptr, false});
    if (IsLoaded())
        ResolveStoredList(parent(), storedProps_, true);
}

void TFormStorage::Loaded()
{
    if (IsLoaded())
        return;
    TFormPlacement::Loaded();
    ResolveStoredList(parent(), storedProps_, true);
}

void TFormStorage::SavePlacement()
{
    TFormPlacement::SavePlacement();
    SaveProperties();
    storedValues_.SaveAllValues();
}

void TFormStorage::RestorePlacement()
{
    TFormPlacement::RestorePlacement();
    setRestored();
    RestoreProperties();
    storedValues_.RestoreAllValues();
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
    SaveStoredProps(*worker, parent(), storedProps_);
}

void TFormStorage::RestoreProperties()
{
    std::unique_ptr<TPropsStorage> worker = createWorker();
    try {
        LoadStoredProps(*worker, parent(), storedProps_);
    } catch (const std::exception &) {
        // Restoring is best effort: whatever could not be read keeps its value.
    }
}
