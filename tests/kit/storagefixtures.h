#pragma once
// Components with one property of every kind the form storage handles.
#include "kit/storedcollection.h"

#include <QCloseEvent>
#include <QFile>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <QWidget>
#include <memory>
#include <vector>

class Sample : public QObject
{
    Q_OBJECT
public:
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)
    enum TGridOption { dgEditing = 0x1, dgTitles = 0x2, dgIndicator = 0x4, dgColLines = 0x8 };
    Q_DECLARE_FLAGS(TGridOptions, TGridOption)
    Q_FLAG(TGridOptions)

    Q_PROPERTY(int Number MEMBER Number)
    Q_PROPERTY(qlonglong Big MEMBER Big)
    Q_PROPERTY(QChar Letter MEMBER Letter)
    Q_PROPERTY(bool Checked MEMBER Checked)
    Q_PROPERTY(TAlignment Alignment MEMBER Alignment)
    Q_PROPERTY(TGridOptions Options READ options WRITE setOptions)
    Q_PROPERTY(double Ratio MEMBER Ratio)
    Q_PROPERTY(float Small MEMBER Small)
    Q_PROPERTY(QString Text MEMBER Text)
    Q_PROPERTY(QStringList Lines MEMBER Lines)
    Q_PROPERTY(QVariant Data MEMBER Data)
    Q_PROPERTY(QWidget *ActivePage MEMBER ActivePage)
    Q_PROPERTY(QObject *Font READ Font)

public:
    explicit Sample(const QString &name, QObject *parent)
        : QObject(parent)
    {
        setObjectName(name);
    }
    QObject *Font() const { return nested; }
    TGridOptions options() const { return Options; }
    void setOptions(TGridOptions value) { Options = value; }

    int Number = 7;
    qlonglong Big = 0;
    QChar Letter = QLatin1Char('x');
    bool Checked = false;
    TAlignment Alignment = taLeftJustify;
    TGridOptions Options = TGridOptions(dgTitles);
    double Ratio = 0.5;
    float Small = 0.25f;
    QString Text;
    QStringList Lines;
    QVariant Data;
    QWidget *ActivePage = nullptr;
    QObject *nested = nullptr;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(Sample::TGridOptions)

// A nested persistent object: its own properties are stored under the owner's key.
class FontLike : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Size MEMBER Size)
    Q_PROPERTY(QString Name MEMBER Name)
public:
    using QObject::QObject;
    int Size = 8;
    QString Name = "Arial";
};

class Parameter : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Name MEMBER Name)
    Q_PROPERTY(QString Value MEMBER Value)
public:
    using QObject::QObject;
    QString Name;
    QString Value;
};

// A collection as the data layer's format parameters offer it.
class Parameters : public QObject, public TStoredCollection
{
    Q_OBJECT
public:
    using QObject::QObject;
    int StoredCount() const override { return int(items.size()); }
    QObject *StoredItem(int i) override { return items.at(i).get(); }
    void StoredResize(int count) override
    {
        ++rebuilds;
        items.clear();
        for (int i = 0; i < count; ++i)
            items.push_back(std::make_unique<Parameter>());
    }
    void StoredBeginUpdate() override { ++updates; }
    void StoredEndUpdate() override { --updates; }
    void add(const QString &name, const QString &value)
    {
        items.push_back(std::make_unique<Parameter>());
        items.back()->Name = name;
        items.back()->Value = value;
    }
    std::vector<std::unique_ptr<Parameter>> items;
    int rebuilds = 0;
    int updates = 0;
};

class Query : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QObject *FormatParameters READ FormatParameters)
public:
    Query(const QString &name, QObject *parent)
        : QObject(parent)
        , params(new Parameters(this))
    {
        setObjectName(name);
    }
    QObject *FormatParameters() const { return params; }
    Parameters *params;
};

// A form that may refuse to close, as a form's close query can.
class TForm_Test : public QWidget
{
    Q_OBJECT
public:
    bool mayClose = true;

protected:
    void closeEvent(QCloseEvent *e) override
    {
        if (mayClose)
            e->accept();
        else
            e->ignore();
    }
};

// A settings file in a temporary folder, read and written whole.
class IniFixture
{
public:
    QString path() const { return dir.filePath("Tarmil5.ini"); }
    QByteArray content() const
    {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void put(const QByteArray &text)
    {
        QFile f(path());
        if (f.open(QIODevice::WriteOnly))
            f.write(text);
    }
    QTemporaryDir dir;
};
