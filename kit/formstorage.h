#pragma once
// A form placement that also keeps named properties of the owner's components
// ("Component.Property" lines of StoredProps) and a list of named values.
#include "kit/formplacement.h"
#include "kit/propsstorage.h"

#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class TFormStorage;
class TStoredValues;

class TStoredValue
{
public:
    using TStoredValueEvent = std::function<void(TStoredValue *Sender, QVariant &Value)>;

    explicit TStoredValue(TStoredValues *collection)
        : m_collection(collection)
    {}

    QString Name() const { return m_name; }
    // Raises EKitError "String list does not allow duplicates" for a name another item has.
    void SetName(const QString &value);
    QVariant Value;    // invalid QVariant = unassigned
    QString KeyString; // when set, the value is stored XorHex-encoded with this key
    TStoredValueEvent OnSave;
    TStoredValueEvent OnRestore;
    QString DisplayName() const { return m_name; }

    void Save();
    void Restore();

private:
    TStoredValues *m_collection;
    QString m_name;
};

class TStoredValues
{
public:
    explicit TStoredValues(TFormStorage *storage)
        : m_storage(storage)
    {}
    TFormStorage *Storage() const { return m_storage; }

    TStoredValue *Add(const QString &name = {}, const QVariant &value = {});
    void Delete(int index);
    void Clear() { m_items.clear(); }
    int Count() const { return int(m_items.size()); }
    int IndexOf(const QString &name) const;
    TStoredValue *StoredValueAt(int index) const;
    TStoredValue *operator[](int index) const { return StoredValueAt(index); }
    void SaveAllValues();
    void RestoreAllValues();

private:
    TFormStorage *m_storage;
    std::vector<std::unique_ptr<TStoredValue>> m_items;
};

class TFormStorage : public TFormPlacement
{
    Q_OBJECT
    Q_PROPERTY(QStringList StoredProps READ StoredProps WRITE SetStoredProps)
public:
    explicit TFormStorage(QObject *owner);

    QStringList StoredProps() const;
    void SetStoredProps(const QStringList &lines);
    TStoredValues &StoredValues() { return m_storedValues; }
    TStoredValue *StoredValueAt(int index) const { return m_storedValues.StoredValueAt(index); }

    void Loaded() override;
    void SavePlacement() override;
    void RestorePlacement() override;
    virtual void SaveProperties();
    virtual void RestoreProperties();

private:
    std::unique_ptr<TPropsStorage> createWorker();

    QList<TStoredItem> m_storedProps;
    TStoredValues m_storedValues;
};

// Variant texts as the storage writes them: Booleans "True"/"False", floats with ".".
QString StoredValueText(const QVariant &value);
