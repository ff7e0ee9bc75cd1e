#include "report/vlreportlayout.h"

#include "report/vlregistry.h"

#include <QBuffer>

const QString TvlReportLayout::UnsupportedFormat = QStringLiteral("Nepodporovaný VLF formát");

namespace {

// Item bytes of the body after the printer name.
constexpr quint8 itemPage = 255;
constexpr quint8 itemValues = 254;
constexpr quint8 itemEnd = 253;

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

} // namespace

bool vlWriteFile(const QString &path, const std::function<void(ByteStream &)> &write, QString *error)
{
    try {
        MemoryStream memory;
        write(memory);
        FileStream file(path, FileStream::Create);
        file.writeBytes(memory.data());
        file.close();
        return true;
    } catch (const StreamError &e) {
        setError(error, QString::fromUtf8(e.what()));
    } catch (const EReportFormatError &e) {
        setError(error, e.text());
    }
    return false;
}

TvlReportLayout::TvlReportLayout()
    : m_values(std::make_unique<TvlValues>())
{}

TvlReportLayout::~TvlReportLayout() = default;

TvlView *TvlReportLayout::FindObject(const QString &name) const
{
    for (int i = 0; i < Pages.Count(); ++i)
        if (TvlView *view = Pages[i]->FindObject(name))
            return view;
    return nullptr;
}

void TvlReportLayout::CreateUniqueName(TvlView &view) const
{
    view.CreateUniqueName([this](const QString &name) { return FindObject(name) != nullptr; });
}

void TvlReportLayout::Clear()
{
    Pages.Clear();
    m_values->Clear();
    Variables.clear();
}

void TvlReportLayout::Swap(TvlReportLayout &other)
{
    Pages.Swap(other.Pages);
    std::swap(m_values, other.m_values);
    std::swap(Variables, other.Variables);
    std::swap(KeepCurrentPrinter, other.KeepCurrentPrinter);
    std::swap(TwoPass, other.TwoPass);
}

// --- body --------------------------------------------------------------------

void TvlReportLayout::SaveBody(ByteStream &stream) const
{
    stream.writeUInt16(KeepCurrentPrinter);
    stream.writeUInt16(TwoPass);
    WriteString(stream, vlPrinter().PrinterName());
    for (int p = 0; p < Pages.Count(); ++p) {
        stream.writeUInt8(itemPage);
        Pages[p]->SaveToStream(stream);
    }
    if (Pages.Count() > 255)
        throw EReportFormatError(QStringLiteral("Sestava může mít nejvýše 255 stran."));
    for (int p = 0; p < Pages.Count(); ++p) {
        for (const auto &view : Pages[p]->Objects) {
            stream.writeUInt8(view->ObjectType);
            if (view->ObjectType == otAddIn)
                WriteString(stream, view->ClassName());
            stream.writeUInt8(quint8(p));
            const quint8 mode = view->StorageMode;
            view->StorageMode = smDesign;
            view->SaveToStream(stream);
            view->StorageMode = mode;
        }
    }
    stream.writeUInt8(itemValues);
    m_values->WriteBinaryData(stream);
    WriteMemo(stream, Variables);
}

void TvlReportLayout::LoadBody(ByteStream &stream, int version)
{
    Clear();
    KeepCurrentPrinter = stream.readUInt16();
    TwoPass = stream.readUInt16();
    const QString printerName = vlReadVersionedString(stream, version);
    if (!KeepCurrentPrinter)
        vlSelectPrinter(printerName);
    while (stream.position() < stream.size()) {
        const quint8 item = stream.readUInt8();
        if (item == itemPage) {
            Pages.Add()->LoadFromStream(stream, version);
        } else if (item == itemValues) {
            m_values->ReadBinaryData(stream);
            vlReadVersionedMemo(stream, version, Variables);
        } else if (item == itemEnd) {
            return;
        } else if (item > otAddIn) {
            throw StreamError("unknown item in the layout");
        } else {
            const QString className = item == otAddIn ? vlReadVersionedString(stream, version) : QString();
            const int pageIndex = stream.readUInt8();
            if (pageIndex >= Pages.Count())
                throw StreamError("object of a missing page");
            const bool framedMemo = className.toUpper() == QLatin1String("TVLFRAMEDMEMOVIEW");
            std::unique_ptr<TvlView> view = vlCreateView(framedMemo ? int(otMemo) : int(item), className);
            if (!view)
                throw StreamError("unknown object type");
            view->LoadFromStream(stream, version);
            if (framedMemo)
                stream.readBytes(8);
            if (version < vlCurrentVersion)
                CreateUniqueName(*view);
            Pages[pageIndex]->Add(std::move(view));
        }
    }
}

// --- streams and files ---------------------------------------------------------

void TvlReportLayout::SaveToStream(ByteStream &stream) const
{
    stream.writeUInt8(vlCurrentVersion);
    SaveBody(stream);
}

bool TvlReportLayout::LoadFromStream(ByteStream &stream, QString *error)
{
    try {
        const qint64 start = stream.position();
        int version = stream.readUInt8();
        if (version < 21) {
            version = 21; // no version byte: the body starts at once
            stream.seek(start);
        } else if (version > vlCurrentVersion) {
            setError(error, UnsupportedFormat);
            return false;
        }
        TvlReportLayout loaded;
        loaded.LoadBody(stream, version);
        Swap(loaded);
        return true;
    } catch (const EReportFormatError &e) {
        setError(error, e.text());
        return false;
    } catch (const std::exception &) {
        setError(error, UnsupportedFormat);
        return false;
    }
}

bool TvlReportLayout::LoadFromFile(const QString &path, QString *error)
{
    try {
        FileStream file(path, FileStream::Read);
        if (!LoadFromStream(file, error))
            return false;
    } catch (const StreamError &e) {
        setError(error, QString::fromUtf8(e.what()));
        return false;
    }
    FileName = path;
    return true;
}

bool TvlReportLayout::SaveToFile(const QString &path, QString *error) const
{
    return vlWriteFile(
        path, [this](ByteStream &stream) { SaveToStream(stream); }, error);
}

void TvlReportLayout::WriteReportForm(ByteStream &stream, bool storeInForm) const
{
    stream.writeInt32(vlCurrentVersion);
    if (!storeInForm)
        return;
    MemoryStream memory;
    SaveToStream(memory);
    stream.writeInt32(qint32(memory.data().size()));
    stream.writeBytes(memory.data());
}

bool TvlReportLayout::ReadReportForm(ByteStream &stream, bool storeInForm, QString *error)
{
    try {
        stream.readInt32();
        if (!storeInForm)
            return true;
        const qint32 length = stream.readInt32();
        if (length < 0)
            throw StreamError("negative length");
        MemoryStream memory(stream.readBytes(length));
        return LoadFromStream(memory, error);
    } catch (const StreamError &) {
        setError(error, UnsupportedFormat);
        return false;
    }
}

// --- templates -------------------------------------------------------------------

bool TvlReportLayout::SaveTemplate(const QString &path, const QStringList &description, const QImage &bitmap,
                                   QString *error) const
{
    return vlWriteFile(
        path,
        [&](ByteStream &stream) {
            WriteMemo(stream, description);
            const ByteStream::Placeholder body = stream.writePlaceholder(4);
            QByteArray bytes;
            if (!bitmap.isNull()) {
                QBuffer buffer(&bytes);
                buffer.open(QIODevice::WriteOnly);
                bitmap.save(&buffer, "BMP");
            }
            stream.writeUInt8(bytes.isEmpty() ? 0 : 1);
            stream.writeBytes(bytes);
            stream.patch(body, stream.position());
            SaveBody(stream);
        },
        error);
}

bool TvlReportLayout::LoadTemplate(const QString &path, QStringList *description, QImage *bitmap, bool loadBody,
                                   QString *error)
{
    try {
        FileStream file(path, FileStream::Read);
        QStringList text;
        ReadMemo(file, text);
        const qint64 body = file.readInt32();
        if (body < file.position() || body > file.size())
            throw StreamError("template body outside the file");
        QImage image;
        if (file.readUInt8() != 0)
            image = QImage::fromData(file.readBytes(body - file.position()), "BMP");
        if (description)
            *description = text;
        if (bitmap)
            *bitmap = image;
        if (!loadBody)
            return true;
        file.seek(body);
        TvlReportLayout loaded;
        loaded.LoadBody(file, vlCurrentVersion);
        Swap(loaded);
        return true;
    } catch (const EReportFormatError &e) {
        setError(error, e.text());
        return false;
    } catch (const std::exception &) {
        setError(error, UnsupportedFormat);
        return false;
    }
}
