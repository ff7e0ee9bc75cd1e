#pragma once
// A report's values: names used in bracket expressions, each mapped to a field
// of a data set, a special engine value or an expression. Stored in the layout
// file as the values block.
#include "platform/bytestream.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

enum TvlValueKind : quint8 {
    vkNotAssigned = 0, // gives an empty text
    vkDataField = 1,
    vkSpecial = 2,
    vkExpression = 3,
};

// Special values by OtherKind; index 1 stands for an expression held in Field.
extern const QStringList vlSpecialValueNames;
constexpr int vlSpecialExpression = 1;

struct TvlValue
{
    TvlValueKind Kind = vkNotAssigned;
    qint32 OtherKind = 0;
    QString DataSet; // data field: the data set component's name
    QString Field;   // data field: the field; expression: the expression
    // Data field: the data set found by DataSet when a build starts.
    QPointer<QObject> ResolvedDataSet;
};

class TvlValues
{
public:
    TvlValues();
    ~TvlValues();
    TvlValues(const TvlValues &) = delete;
    TvlValues &operator=(const TvlValues &) = delete;

    int Count() const { return int(m_items.size()); }
    // Appends an entry with an empty name and kind 0; returns its index.
    int AddValue();
    TvlValue *GetItem(int index) const;
    const QString &Name(int index) const;
    void SetName(int index, const QString &name);
    void Delete(int index);
    void Clear();
    // The entry of that name (without regard to case); nullptr when absent.
    TvlValue *FindVariable(const QString &name) const;
    // Orders the entries by name (without regard to case), as a build does.
    void Sort();
    // Finds the data set of every data-field value by its component name
    // (vlFindComponent), as a build does when it starts.
    void BindDataSets();

    // The values block. Writing refuses (EReportFormatError, nothing written)
    // a text longer than the block can hold; reading replaces the list.
    void WriteBinaryData(ByteStream &stream) const;
    void ReadBinaryData(ByteStream &stream);

private:
    struct Entry
    {
        QString name;
        std::unique_ptr<TvlValue> value;
    };
    std::vector<Entry> m_items;
};
