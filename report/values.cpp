#include "report/values.h"

#include "report/components.h"
#include "report/vlstreams.h"

#include <algorithm>

const QStringList vlSpecialValueNames = {
    QStringLiteral("PAGE#"),      QString(),
    QStringLiteral("DATE"),       QStringLiteral("TIME"),
    QStringLiteral("LINE#"),      QStringLiteral("LINETHROUGH#"),
    QStringLiteral("COLUMN#"),    QStringLiteral("CURRENT#"),
    QStringLiteral("TOTALPAGES"),
};

TvlValues::TvlValues() = default;
TvlValues::~TvlValues() = default;

int TvlValues::AddValue()
{
    m_items.push_back({QString(), std::make_unique<TvlValue>()});
    return Count() - 1;
}

TvlValue *TvlValues::GetItem(int index) const
{
    return m_items.at(size_t(index)).value.get();
}

const QString &TvlValues::Name(int index) const
{
    return m_items.at(size_t(index)).name;
}

void TvlValues::SetName(int index, const QString &name)
{
    m_items.at(size_t(index)).name = name;
}

void TvlValues::Delete(int index)
{
    m_items.at(size_t(index)); // range check
    m_items.erase(m_items.begin() + index);
}

void TvlValues::Clear()
{
    m_items.clear();
}

TvlValue *TvlValues::FindVariable(const QString &name) const
{
    for (const Entry &e : m_items)
        if (e.name.compare(name, Qt::CaseInsensitive) == 0)
            return e.value.get();
    return nullptr;
}

void TvlValues::Sort()
{
    std::stable_sort(m_items.begin(), m_items.end(),
                     [](const Entry &a, const Entry &b) { return a.name.compare(b.name, Qt::CaseInsensitive) < 0; });
}

void TvlValues::BindDataSets()
{
    for (const Entry &e : m_items)
        e.value->ResolvedDataSet = e.value->Kind == vkDataField ? vlFindComponent(e.value->DataSet) : nullptr;
}

void TvlValues::WriteBinaryData(ByteStream &stream) const
{
    // Encoded in memory first, so a text that does not fit leaves the target untouched.
    MemoryStream block;
    block.writeInt32(qint32(m_items.size()));
    for (const Entry &e : m_items) {
        try {
            block.writeUInt8(e.value->Kind);
            block.writeInt32(e.value->OtherKind);
            WriteShortString(block, e.value->DataSet);
            WriteShortString(block, e.value->Field);
            WriteShortString(block, e.name);
        } catch (const EReportFormatError &error) {
            throw EReportFormatError(QStringLiteral("Hodnotu „%1“ nelze uložit. %2").arg(e.name, error.text()));
        }
    }
    stream.writeBytes(block.data());
}

void TvlValues::ReadBinaryData(ByteStream &stream)
{
    const qint32 count = stream.readInt32();
    // Each entry takes at least 8 bytes; a count beyond that is not a values block.
    if (count < 0 || count > stream.remaining() / 8)
        throw StreamError(QStringLiteral("Chybný počet hodnot sestavy: %1.").arg(count).toStdString());
    std::vector<Entry> items;
    items.reserve(size_t(count));
    for (qint32 i = 0; i < count; ++i) {
        auto value = std::make_unique<TvlValue>();
        value->Kind = TvlValueKind(stream.readUInt8());
        value->OtherKind = stream.readInt32();
        value->DataSet = ReadShortString(stream);
        value->Field = ReadShortString(stream);
        items.push_back({ReadShortString(stream), std::move(value)});
    }
    m_items = std::move(items);
}
