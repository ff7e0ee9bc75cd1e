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
        : collection_(collection)
    {}

    QString Name() const { return name_; }
    // Raises EKitError "String list does not allow duplicates" for a name another item has.
    void SetName(const QString &value);
    QVariant Value;    // invalid QVariant = unassigned
    QString KeyString; // when set, the value is stored XorHex-encoded with this key
    TStoredValueEvent OnSave;
    TStoredValueEvent OnRestore;
    QString DisplayName() const { return name_; }

    void Save();
    void Restore();

private:
    TStoredValues *collection_;
    QString name_;
};

class TStoredValues
{
public:
    explicit TStoredValues(TFormStorage *storage)
        : storage_(storage)
    {}
    TFormStorage *Storage() const { return storage_; }

    TStoredValue *Add(const QString &name = {}, const QVariant &value = {});
    void Delete(int index);
    void Clear() { items_.clear(); }
    int Count() const { return int(items_.size()); }
    int IndexOf(const QString &name) const;
    TStoredValue *StoredValueAt(int index) const;
    TStoredValue *operator[](int index) const { return StoredValueAt(index); }
    void SaveAllValues();
    void RestoreAllValues();

private:
    TFormStorage *storage_;
    std::vector<std::unique_ptr<TStoredValue>> items_;
};

class TFormStorage : public TFormPlacement
{
    Q_OBJECT
    Q_PROPERTY(QStringList StoredProps READ StoredProps WRITE SetStoredProps)
public:
    explicit TFormStorage(QObject *owner);

    QStringList StoredProps() const;
    void SetStoredProps(const QStringList &lines);
    TStoredValues &StoredValues() { return storedValues_; }
    TStoredValue *StoredValueAt(int index) const { return storedValues_.StoredValueAt(index); }

    void Loaded() override;
    void SavePlacement() override;
    void RestorePlacement() override;
    virtual void SaveProperties();
    virtual void RestoreProperties();

private:
    std::unique_ptr<TPropsStorage> createWorker();

    QList<TStoredItem> storedProps_;
    TStoredValues storedValues_;
};

// Variant texts as the storage writes them: Booleans "True"/"False", floats with ".".
QString StoredValueText(const QVariant &value);
