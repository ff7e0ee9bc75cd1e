#pragma once
// Saving and restoring named Qt properties of a form's components as INI text.
// A property's key is the component's name, "_" and the property name; the text
// follows the property's kind: integers in decimal, Booleans and enumerations by
// their value names ("True", "dgTitles"), sets as "[a,b]", floats in general
// format with ".", strings trimmed, string lists and collections in a
// sub-section "<Section>.<Key>" with "Count" and "Item%d", component references
// by name ("Form.Name" for a component of another form).
#include <QMetaProperty>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class TPropsStorage
{
public:
    using ReadFunc = std::function<QString(const QString &Section, const QString &Ident, const QString &Default)>;
    using WriteFunc = std::function<void(const QString &Section, const QString &Ident, const QString &Value)>;
    using EraseFunc = std::function<void(const QString &Section)>;

    TPropsStorage(ReadFunc read, WriteFunc write, EraseFunc erase);
    virtual ~TPropsStorage() = default;

    QObject *AObject = nullptr;
    QObject *Root = nullptr;
    QString Prefix;
    QString Section;

    // Every property of AObject, in declaration order.
    void StoreProperties(bool ownOnly);
    void LoadProperties(bool ownOnly);
    // One property; `name` is the spelling used in the key.
    void StoreAnyProperty(const QMetaProperty &property, const QString &name);
    void LoadAnyProperty(const QMetaProperty &property, const QString &name);

    virtual QString ReadString(const QString &ASection, const QString &Item, const QString &Default);
    virtual void WriteString(const QString &ASection, const QString &Item, const QString &Value);
    virtual void EraseSection(const QString &ASection);
    virtual QString GetItemName(const QString &APropName) const { return Prefix + APropName; }
    virtual TPropsStorage *CreateStorage() const;

    // The value's text by kind; `ok` false for kinds that are never written.
    static QString PropertyText(const QObject *object, const QMetaProperty &property, bool *ok = nullptr);
    static QString FloatText(double value, int digits);
    // Looks up a property without regard to case; an exact spelling wins, then the most derived class.
    static QMetaProperty FindProperty(const QObject *object, const QString &name);
    // A component of `root` (searched among all its descendants) by name, without regard to case.
    static QObject *FindComponent(QObject *root, const QString &name);

private:
    void storeObjectProperty(const QMetaProperty &property, const QString &name);
    void loadObjectProperty(const QMetaProperty &property, const QString &name, QObject *value);
    void storeStringList(const QStringList &lines, const QString &name);
    void loadStringList(const QMetaProperty &property, const QString &name);
    void storeCollection(QObject *collection, const QString &name);
    void loadCollection(QObject *collection, const QString &name);
    void loadComponentReference(const QMetaProperty &property, const QString &text);
    // A fresh worker of the same kind for an item or a nested object.
    std::unique_ptr<TPropsStorage> subWorker(QObject *object, const QString &section, const QString &prefix) const;
    void storeNested(QObject *object, const QString &name);
    void loadNested(QObject *object, const QString &name);
    bool loadSimpleProperty(const QMetaProperty &property, const QString &text);

    ReadFunc m_read;
    WriteFunc m_write;
    EraseFunc m_erase;
};

// The form or data module a component reference "Owner.Name" names: a
// top-level window of that name, else a registered form or data module.
QObject *FindFormByName(const QString &name);

// One "Component.Property" line of a storage's list, attached to its component.
struct TStoredItem
{
    QString Line;
    QPointer<QObject> Component;
    bool Attached = false;
};

// Splits at the first "."; both parts trimmed and non-empty.
bool SplitStoredItem(const QString &Line, QString &AComponent, QString &AProperty);
// From the form: attaches components by name and drops lines naming none.
// Back to the form: drops lines whose component is gone and rewrites the rest
// with the component's current name.
void ResolveStoredList(QObject *Root, QList<TStoredItem> &List, bool FromForm);
void SaveStoredProps(TPropsStorage &Storage, QObject *Root, QList<TStoredItem> &List);
void LoadStoredProps(TPropsStorage &Storage, QObject *Root, QList<TStoredItem> &List);
