#include "kit/propsstorage.h"

#include "kit/kxutils.h"
#include "kit/storedcollection.h"
#include "platform/globalcomponents.h"
#include "platform/inifile.h"

#include <QApplication>
#include <QMetaEnum>
#include <QWidget>
#include <cmath>
#include <memory>

namespace {

enum class Kind { Integer, Int64, Char, Enum, Bool, Set, Float, String, Variant, StringList, Object, Other };

// A collection larger than this is a damaged file, not a setting.
constexpr int kMaxStoredItems = 10000;

Kind kindOf(const QMetaProperty &property)
{
    if (property.isEnumType())
        return property.isFlagType() ? Kind::Set : Kind::Enum;
    const QMetaType type = property.metaType();
    if (type.flags() & QMetaType::PointerToQObject)
        return Kind::Object;
    switch (type.id()) {
    case QMetaType::Bool:
        return Kind::Bool;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::UChar:
    case QMetaType::SChar:
        return Kind::Integer;
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return Kind::Int64;
    case QMetaType::QChar:
    case QMetaType::Char:
    case QMetaType::Char16:
        return Kind::Char;
    case QMetaType::Double:
    case QMetaType::Float:
        return Kind::Float;
    case QMetaType::QString:
    case QMetaType::QByteArray:
        return Kind::String;
    case QMetaType::QVariant:
        return Kind::Variant;
    case QMetaType::QStringList:
        return Kind::StringList;
    default:
        return Kind::Other;
    }
}

bool isTextKind(Kind kind)
{
    return kind == Kind::String || kind == Kind::Char;
}

// Trim as the framework does: every character up to the blank, at both ends.
QString trimText(const QString &text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && text.at(begin) <= QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) <= QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

QString setText(const QMetaEnum &e, uint value)
{
    QStringList names;
    for (int bit = 0; bit < 32; ++bit) {
        const uint flag = 1u << bit;
        if (!(value & flag))
            continue;
        if (const char *key = e.valueToKey(int(flag)))
            names.append(QString::fromLatin1(key));
    }
    return QLatin1Char('[') + names.join(QLatin1Char(',')) + QLatin1Char(']');
}

int enumValueByName(const QMetaEnum &e, const QString &name, bool &found)
{
    for (int i = 0; i < e.keyCount(); ++i) {
        if (QString::fromLatin1(e.key(i)).compare(name, Qt::CaseInsensitive) == 0) {
            found = true;
            return e.value(i);
        }
    }
    found = false;
    return 0;
}

QObject *objectValue(const QObject *object, const QMetaProperty &property)
{
    return property.read(object).value<QObject *>();
}

bool isComponent(const QObject *object)
{
    return object->isWidgetType() || !object->objectName().isEmpty();
}

// The form or data module a component belongs to.
QObject *ownerOf(QObject *component)
{
    if (component->isWidgetType()) {
        QWidget *form = static_cast<QWidget *>(component)->window();
        return form == component ? nullptr : form;
    }
    QObject *owner = component->parent();
    while (owner && owner->parent() && !owner->isWidgetType())
        owner = owner->parent();
    if (owner && owner->isWidgetType())
        return static_cast<QWidget *>(owner)->window();
    return owner;
}

QString ownerName(const QObject *owner)
{
    if (!owner->objectName().isEmpty())
        return owner->objectName();
    QString name = QString::fromLatin1(owner->metaObject()->className());
    if (name.startsWith(QLatin1Char('T')) || name.startsWith(QLatin1Char('t')))
        name.remove(0, 1);
    return name;
}

} // namespace

// ---------------------------------------------------------------- lookups

QObject *FindFormByName(const QString &name)
{
    for (QWidget *form : QApplication::topLevelWidgets())
        if (form->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return form;
    return GlobalComponents::Find(name);
}

QObject *TPropsStorage::FindComponent(QObject *root, const QString &name)
{
    return GlobalComponents::FindOwned(root, name);
}

QMetaProperty TPropsStorage::FindProperty(const QObject *object, const QString &name)
{
    const QMetaObject *meta = object->metaObject();
    for (int i = meta->propertyCount() - 1; i >= 0; --i)
        if (QLatin1String(meta->property(i).name()) == name)
            return meta->property(i);
    for (int i = meta->propertyCount() - 1; i >= 0; --i)
        if (QString::fromLatin1(meta->property(i).name()).compare(name, Qt::CaseInsensitive) == 0)
            return meta->property(i);
    return QMetaProperty();
}

// ---------------------------------------------------------------- texts

QString TPropsStorage::FloatText(double value, int digits)
{
    if (!std::isfinite(value))
        return QString();
    QString text = QString::number(value, 'g', digits);
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    if (e < 0)
        return text;
    // "1.5e-07" → "1.5E-7", as the framework writes exponents.
    QString exponent = text.mid(e + 1);
    const bool negative = exponent.startsWith(QLatin1Char('-'));
    exponent.remove(0, 1);
    while (exponent.size() > 1 && exponent.startsWith(QLatin1Char('0')))
        exponent.remove(0, 1);
    return text.left(e) + QLatin1Char('E') + (negative ? QStringLiteral("-") : QString()) + exponent;
}

QString TPropsStorage::PropertyText(const QObject *object, const QMetaProperty &property, bool *ok)
{
    if (ok)
        *ok = true;
    const QVariant value = property.read(object);
    switch (kindOf(property)) {
    case Kind::Integer:
        return QString::number(value.toLongLong());
    case Kind::Int64:
        return property.metaType().id() == QMetaType::ULongLong ? QString::number(value.toULongLong())
                                                                : QString::number(value.toLongLong());
    case Kind::Char: {
        const QString text = value.metaType().id() == QMetaType::Char ? QString(QLatin1Char(value.value<char>()))
                                                                      : QString(value.toChar());
        return text == QString(QChar(0)) ? QString() : text;
    }
    case Kind::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case Kind::Enum:
        return QString::fromLatin1(property.enumerator().valueToKey(value.toInt()));
    case Kind::Set:
        return setText(property.enumerator(), uint(value.toInt()));
    case Kind::Float:
        return FloatText(value.toDouble(), property.metaType().id() == QMetaType::Float ? 7 : 15);
    case Kind::String:
        return value.toString();
    case Kind::Variant: {
        const QVariant inner = value.value<QVariant>();
        if (inner.metaType().id() == QMetaType::Bool)
            return inner.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        if (inner.metaType().id() == QMetaType::Double)
            return FloatText(inner.toDouble(), 15);
        return inner.toString();
    }
    case Kind::StringList:
    case Kind::Object:
        return QString();
    case Kind::Other:
        break;
    }
    if (ok)
        *ok = false;
    return QString();
}

// ---------------------------------------------------------------- the worker

TPropsStorage::TPropsStorage(ReadFunc read, WriteFunc write, EraseFunc erase)
    : m_read(std::move(read))
    , m_write(std::move(write))
    , m_erase(std::move(erase))
{}

QString TPropsStorage::ReadString(const QString &ASection, const QString &Item, const QString &Default)
{
    return m_read ? m_read(ASection, Item, Default) : Default;
}

void TPropsStorage::WriteString(const QString &ASection, const QString &Item, const QString &Value)
{
    if (m_write)
        m_write(ASection, Item, Value);
}

void TPropsStorage::EraseSection(const QString &ASection)
{
    if (m_erase)
        m_erase(ASection);
}

TPropsStorage *TPropsStorage::CreateStorage() const
{
    return new TPropsStorage(m_read, m_write, m_erase);
}

void TPropsStorage::StoreProperties(bool ownOnly)
{
    const QMetaObject *meta = AObject->metaObject();
    for (int i = ownOnly ? QObject::staticMetaObject.propertyCount() : 0; i < meta->propertyCount(); ++i)
        StoreAnyProperty(meta->property(i), QString::fromLatin1(meta->property(i).name()));
}

void TPropsStorage::LoadProperties(bool ownOnly)
{
    const QMetaObject *meta = AObject->metaObject();
    for (int i = ownOnly ? QObject::staticMetaObject.propertyCount() : 0; i < meta->propertyCount(); ++i)
        LoadAnyProperty(meta->property(i), QString::fromLatin1(meta->property(i).name()));
}

void TPropsStorage::StoreAnyProperty(const QMetaProperty &property, const QString &name)
{
    if (!property.isValid() || !property.isReadable())
        return;
    const Kind kind = kindOf(property);
    if (kind == Kind::StringList) {
        storeStringList(property.read(AObject).toStringList(), name);
        return;
    }
    if (kind == Kind::Object) {
        storeObjectProperty(property, name);
        return;
    }
    bool ok = false;
    const QString text = trimText(PropertyText(AObject, property, &ok));
    if (ok && (!text.isEmpty() || isTextKind(kind)))
        WriteString(Section, GetItemName(name), text);
}

void TPropsStorage::LoadAnyProperty(const QMetaProperty &property, const QString &name)
{
    if (!property.isValid() || !property.isReadable())
        return;
    try {
        const Kind kind = kindOf(property);
        if (kind == Kind::StringList) {
            loadStringList(property, name);
            return;
        }
        if (kind == Kind::Object) {
            loadObjectProperty(property, name, objectValue(AObject, property));
            return;
        }
        bool ok = false;
        const QString current = trimText(PropertyText(AObject, property, &ok));
        if (!ok || (current.isEmpty() && !isTextKind(kind)))
            return;
        loadSimpleProperty(property, trimText(ReadString(Section, GetItemName(name), current)));
    } catch (const std::exception &) {
        // A value that does not fit leaves the property as it was.
    }
}

bool TPropsStorage::loadSimpleProperty(const QMetaProperty &property, const QString &text)
{
    if (!property.isWritable())
        return false;
    QVariant value;
    switch (kindOf(property)) {
    case Kind::Integer: {
        int n = 0;
        if (!IniFile::parseInteger(text, n))
            return false;
        value = n;
        break;
    }
    case Kind::Int64: {
        bool ok = false;
        value = property.metaType().id() == QMetaType::ULongLong ? QVariant(text.toULongLong(&ok))
                                                                 : QVariant(text.toLongLong(&ok));
        if (!ok)
            return false;
        break;
    }
    case Kind::Char:
        if (text.isEmpty())
            return false;
        value = property.metaType().id() == QMetaType::Char ? QVariant::fromValue(text.at(0).toLatin1())
                                                            : QVariant(text.at(0));
        break;
    case Kind::Bool:
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            value = true;
        else if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            value = false;
        else
            return false;
        break;
    case Kind::Enum: {
        bool found = false;
        const int n = enumValueByName(property.enumerator(), text, found);
        if (!found)
            return false;
        value = n;
        break;
    }
    case Kind::Set: {
        const QMetaEnum e = property.enumerator();
        int flags = 0;
        const QString delimiters = QStringLiteral(" ,[]");
        for (int i = 1; i <= CountWords(text, delimiters); ++i) {
            bool found = false;
            const int n = enumValueByName(e, WordAt(i, text, delimiters), found);
            if (found)
                flags |= n;
        }
        value = flags;
        break;
    }
    case Kind::Float: {
        double d = 0;
        if (!IniFile::parseFloat(text, d))
            return false;
        value = d;
        break;
    }
    case Kind::String:
        value = text;
        break;
    case Kind::Variant:
        value = QVariant::fromValue(QVariant(text));
        break;
    default:
        return false;
    }
    if (property.isEnumType() && !value.convert(property.metaType()))
        return false;
    return property.write(AObject, value);
}

// ---------------------------------------------------------------- class kinds

void TPropsStorage::storeObjectProperty(const QMetaProperty &property, const QString &name)
{
    QObject *value = objectValue(AObject, property);
    if (!value)
        return;
    if (dynamic_cast<TStoredCollection *>(value)) {
        storeCollection(value, name);
        return;
    }
    if (isComponent(value)) {
        QObject *owner = ownerOf(value);
        const QString text =
            !owner || owner == Root ? value->objectName() : ownerName(owner) + QLatin1Char('.') + value->objectName();
        if (!text.isEmpty())
            WriteString(Section, GetItemName(name), text);
        return;
    }
    storeNested(value, name);
}

void TPropsStorage::loadObjectProperty(const QMetaProperty &property, const QString &name, QObject *value)
{
    if (value && dynamic_cast<TStoredCollection *>(value)) {
        loadCollection(value, name);
        return;
    }
    if (!value || isComponent(value)) {
        loadComponentReference(property, trimText(ReadString(Section, GetItemName(name), QString())));
        return;
    }
    loadNested(value, name);
}

void TPropsStorage::storeStringList(const QStringList &lines, const QString &name)
{
    const QString sub = Section + QLatin1Char('.') + GetItemName(name);
    EraseSection(sub);
    if (lines.isEmpty())
        return;
    WriteString(sub, QStringLiteral("Count"), QString::number(lines.size()));
    for (int i = 0; i < lines.size(); ++i)
        WriteString(sub, QStringLiteral("Item%1").arg(i), lines.at(i));
}

void TPropsStorage::loadStringList(const QMetaProperty &property, const QString &name)
{
    const QString sub = Section + QLatin1Char('.') + GetItemName(name);
    int count = 0;
    if (!IniFile::parseInteger(trimText(ReadString(sub, QStringLiteral("Count"), QStringLiteral("0"))), count) ||
        count <= 0 || count > kMaxStoredItems * 10)
        return;
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines.append(ReadString(sub, QStringLiteral("Item%1").arg(i), QString()));
    if (property.isWritable())
        property.write(AObject, lines);
}

void TPropsStorage::storeCollection(QObject *collection, const QString &name)
{
    auto *items = dynamic_cast<TStoredCollection *>(collection);
    const QString sub = Section + QLatin1Char('.') + GetItemName(name);
    EraseSection(sub);
    WriteString(Section, GetItemName(name) + QStringLiteral(".Count"), QString::number(items->StoredCount()));
    for (int i = 0; i < items->StoredCount(); ++i) {
        QObject *item = items->StoredItem(i);
        if (!item)
            continue;
        subWorker(item, sub, QStringLiteral("Item%1_").arg(i))->StoreProperties(true);
    }
}

void TPropsStorage::loadCollection(QObject *collection, const QString &name)
{
    auto *items = dynamic_cast<TStoredCollection *>(collection);
    const QString sub = Section + QLatin1Char('.') + GetItemName(name);
    int count = items->StoredCount();
    int stored = count;
    if (IniFile::parseInteger(ReadString(Section, GetItemName(name) + QStringLiteral(".Count"), QString::number(count)),
                              stored) &&
        stored >= 0 && stored <= kMaxStoredItems)
        count = stored;
    TStoredCollectionUpdate update(*items);
    if (count != items->StoredCount())
        items->StoredResize(count);
    for (int i = 0; i < items->StoredCount(); ++i) {
        QObject *item = items->StoredItem(i);
        if (!item)
            continue;
        subWorker(item, sub, QStringLiteral("Item%1_").arg(i))->LoadProperties(true);
    }
}

void TPropsStorage::loadComponentReference(const QMetaProperty &property, const QString &text)
{
    if (text.isEmpty() || !property.isWritable())
        return;
    QObject *target = nullptr;
    if (text.compare(QLatin1String("(null)"), Qt::CaseInsensitive) != 0) {
        const qsizetype dot = text.indexOf(QLatin1Char('.'));
        if (dot < 0) {
            target = FindComponent(Root, text);
        } else if (QObject *owner = FindFormByName(text.left(dot).trimmed())) {
            target = FindComponent(owner, text.mid(dot + 1).trimmed());
        }
        // A name that is not there (any more) leaves the reference as it is.
        if (!target)
            return;
        const QMetaObject *wanted = property.metaType().metaObject();
        if (wanted && !target->metaObject()->inherits(wanted))
            return;
    }
    property.write(AObject, QVariant(property.metaType(), &target));
}

std::unique_ptr<TPropsStorage> TPropsStorage::subWorker(QObject *object, const QString &section,
                                                        const QString &prefix) const
{
    std::unique_ptr<TPropsStorage> worker(CreateStorage());
    worker->AObject = object;
    worker->Root = Root;
    worker->Section = section;
    worker->Prefix = prefix;
    return worker;
}

void TPropsStorage::storeNested(QObject *object, const QString &name)
{
    subWorker(object, Section, Prefix + name)->StoreProperties(true);
}

void TPropsStorage::loadNested(QObject *object, const QString &name)
{
    subWorker(object, Section, Prefix + name)->LoadProperties(true);
}

// ---------------------------------------------------------------- stored lists

bool SplitStoredItem(const QString &Line, QString &AComponent, QString &AProperty)
{
    const qsizetype dot = Line.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    AComponent = Line.left(dot).trimmed();
    AProperty = Line.mid(dot + 1).trimmed();
    return !AComponent.isEmpty() && !AProperty.isEmpty();
}

void ResolveStoredList(QObject *Root, QList<TStoredItem> &List, bool FromForm)
{
    for (qsizetype i = List.size() - 1; i >= 0; --i) {
        TStoredItem &item = List[i];
        QString component, property;
        if (!SplitStoredItem(item.Line, component, property)) {
            List.removeAt(i);
            continue;
        }
        if (FromForm) {
            item.Component = TPropsStorage::FindComponent(Root, component);
            item.Attached = !item.Component.isNull();
            if (!item.Attached)
                List.removeAt(i);
        } else if (!item.Attached || !item.Component) {
            List.removeAt(i);
        } else {
            item.Line = item.Component->objectName() + QLatin1Char('.') + property;
        }
    }
}

namespace {

template <typename Pass>
void forEachStoredProperty(TPropsStorage &Storage, QObject *Root, QList<TStoredItem> &List, Pass pass)
{
    ResolveStoredList(Root, List, false);
    Storage.Root = Root;
    for (const TStoredItem &item : std::as_const(List)) {
        QString component, name;
        SplitStoredItem(item.Line, component, name);
        QObject *object = item.Component;
        const QMetaProperty property = TPropsStorage::FindProperty(object, name);
        if (!property.isValid())
            continue;
        Storage.AObject = object;
        Storage.Prefix = object->objectName() + QLatin1Char('_');
        pass(property, name);
    }
    Storage.Root = nullptr;
    Storage.AObject = nullptr;
}

} // namespace

void SaveStoredProps(TPropsStorage &Storage, QObject *Root, QList<TStoredItem> &List)
{
    forEachStoredProperty(Storage, Root, List,
                          [&](const QMetaProperty &p, const QString &name) { Storage.StoreAnyProperty(p, name); });
}

void LoadStoredProps(TPropsStorage &Storage, QObject *Root, QList<TStoredItem> &List)
{
    forEachStoredProperty(Storage, Root, List,
                          [&](const QMetaProperty &p, const QString &name) { Storage.LoadAnyProperty(p, name); });
}
