#pragma once
// Named placeholders of a query's SQL template ("%ORDER_BY", "%WHERE_FILTER")
// with the raw SQL put in their place. The collection is stored by the data
// module's form storage, so a user's sort order and filter survive a restart.
#include "platform/storedcollection.h"

#include <QList>
#include <QObject>
#include <QString>

class TFormatParameters;

class TFormatParameter : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QString Value READ Value WRITE SetFormatParameterValue)
public:
    explicit TFormatParameter(TFormatParameters *collection);

    const QString &Name() const { return m_name; }
    void SetName(const QString &name) { m_name = name; }
    // Raw SQL, inserted as it stands.
    const QString &Value() const { return m_value; }
    void SetFormatParameterValue(const QString &value) { m_value = value; }

    void Assign(const TFormatParameter &source);
    QString DisplayName() const;
    TFormatParameters *Collection() const { return m_collection; }

private:
    TFormatParameters *m_collection;
    QString m_name;
    QString m_value;
};

class TFormatParameters : public QObject, public TStoredCollection
{
    Q_OBJECT
public:
    // The owner is the query (returned by GetOwner for storage paths).
    explicit TFormatParameters(QObject *owner);
    ~TFormatParameters() override;

    TFormatParameter *Add();
    int Count() const { return int(m_items.size()); }
    TFormatParameter *Items(int index) const { return m_items.value(index); }
    void Clear();
    // Copies the items (names and values); never takes the other's items.
    void Assign(const TFormatParameters &source);
    QObject *GetOwner() const { return m_owner; }

    // The first item of that name without regard to case, or none.
    TFormatParameter *FindParameter(const QString &name) const;
    // As FindParameter; a missing name is reported to the user in a modal
    // message, and none is returned.
    TFormatParameter *ParamByName(const QString &name) const;

    // Attributes shown by collection editors: 0 "Name", 1 "Value".
    static int GetAttrCount() { return 2; }
    static QString GetAttr(int index);
    QString GetItemAttr(int index, int itemIndex) const;

    int StoredCount() const override { return Count(); }
    QObject *StoredItem(int index) override { return Items(index); }
    void StoredResize(int count) override;

private:
    QObject *m_owner;
    QList<TFormatParameter *> m_items;
};
