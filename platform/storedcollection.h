#pragma once
// A collection whose items the form storage can save and restore, such as a
// query's format parameters. The object a Q_PROPERTY of type QObject* returns
// implements this interface (multiple inheritance: QObject first); each item is
// a QObject whose own Q_PROPERTYs (e.g. Name and Value) are stored as
// "Item<i>_<Property>" in the collection's sub-section.
#include "platform/db/cleanup.h"

#include <QObject>

class TStoredCollection
{
public:
    virtual ~TStoredCollection() = default;
    virtual int StoredCount() const = 0;
    virtual QObject *StoredItem(int index) = 0;
    // Removes every item, then adds `count` items with default values.
    virtual void StoredResize(int count) = 0;
    // Brackets a restore, so the owner can apply the result once.
    virtual void StoredBeginUpdate() {}
    virtual void StoredEndUpdate() {}
};

// Brackets a restore of a collection for a scope, also when it throws.
class TStoredCollectionUpdate
{
public:
    explicit TStoredCollectionUpdate(TStoredCollection &collection)
        : m_collection(collection)
    {
        m_collection.StoredBeginUpdate();
    }
    ~TStoredCollectionUpdate() noexcept(false)
    {
        Db::RunCleanUp(m_exceptions, [this] { m_collection.StoredEndUpdate(); });
    }
    TStoredCollectionUpdate(const TStoredCollectionUpdate &) = delete;
    TStoredCollectionUpdate &operator=(const TStoredCollectionUpdate &) = delete;

private:
    TStoredCollection &m_collection;
    int m_exceptions = std::uncaught_exceptions();
};
