#include "report/metafile/metafile.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>
#include <cmath>
#include <cstring>

#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>

namespace {

constexpr quint32 placeableKey = 0x9AC6CDD7;
constexpr quint32 emfSignature = 0x464D4520; // " EMF"
constexpr int placeableSize = 22;

quint32 u32(const QByteArray &data, int offset)
{
    return qFromLittleEndian<quint32>(data.constData() + offset);
}

qint32 i32(const QByteArray &data, int offset)
{
    return qFromLittleEndian<qint32>(data.constData() + offset);
}

quint16 u16(const QByteArray &data, int offset)
{
    return qFromLittleEndian<quint16>(data.constData() + offset);
}

qint16 i16(const QByteArray &data, int offset)
{
    return qFromLittleEndian<qint16>(data.constData() + offset);
}

// The standard metafile header: type 1 or 2, nine words long.
bool wmfHeaderAt(const QByteArray &data, int offset)
{
    return data.size() >= offset + 18 && (u16(data, offset) == 1 || u16(data, offset) == 2) &&
           u16(data, offset + 2) == 9;
}

// The records of an enhanced metafile lie end to end within the bytes and
// end with the end-of-file record: the converter gets nothing else.
bool emfRecordsWhole(const QByteArray &data)
{
    qsizetype offset = 0;
    while (offset + 8 <= data.size()) {
        const quint32 type = u32(data, int(offset));
        const quint32 size = u32(data, int(offset) + 4);
        if (size < 8 || size % 4 != 0 || size > quint32(data.size() - offset))
            return false;
        if (type == 14) // EOF
            return true;
        offset += size;
    }
    return false;
}

// The same for a Windows metafile's records after its header.
bool wmfRecordsWhole(const QByteArray &data, int header)
{
    qsizetype offset = header + 18;
    while (offset + 6 <= data.size()) {
        const quint32 words = u32(data, int(offset));
        const quint16 function = u16(data, int(offset) + 4);
        if (words < 3 || words > quint32((data.size() - offset) / 2))
            return false;
        if (function == 0) // EOF
            return true;
        offset += qsizetype(words) * 2;
    }
    return false;
}

QByteArray emfToSvg(const QByteArray &data)
{
    QByteArray input = data; // the converter takes a writable buffer
    generatorOptions options{};
    char ns[] = "";
    options.nameSpace = ns;
    options.svgDelimiter = true;
    options.emfplus = true;
    char *out = nullptr;
    size_t length = 0;
    const int ok = emf2svg(input.data(), size_t(input.size()), &out, &length, &options);
    QByteArray svg;
    if (ok && out && length > 0)
        svg = QByteArray(out, qsizetype(length));
    free(out);
    return svg;
}

QByteArray wmfToSvg(const QByteArray &data, bool placeable)
{
    wmfAPI *api = nullptr;
    wmfAPI_Options options;
    std::memset(&options, 0, sizeof options);
    options.function = wmf_svg_function;
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf_api_create(&api, flags, &options) != wmf_E_None) {
        if (api)
            wmf_api_destroy(api);
        return {};
    }
    QByteArray input = data;
    QByteArray svg;
    wmf_svg_t *device = WMF_SVG_GetData(api);
    wmfD_Rect box;
    if (wmf_mem_open(api, reinterpret_cast<unsigned char *>(input.data()), long(input.size())) == wmf_E_None) {
        if (wmf_scan(api, 0, &box) == wmf_E_None) {
            if (placeable) {
                // The whole frame of the header, in points as the player counts.
                const double inch = u16(data, 14) ? u16(data, 14) : 1440;
                box.TL.x = 0;
                box.TL.y = 0;
                box.BR.x = float((i16(data, 10) - i16(data, 6)) / inch * 72.0);
                box.BR.y = float((i16(data, 12) - i16(data, 8)) / inch * 72.0);
            }
            device->bbox = box;
            unsigned int width = 0, height = 0;
            wmf_display_size(api, &width, &height, 96, 96);
            device->width = std::max(width, 1u);
            device->height = std::max(height, 1u);
            device->out = wmf_stream_create(api, nullptr);
            device->flags |= WMF_SVG_INLINE_IMAGES;
            if (device->out && wmf_play(api, 0, &box) == wmf_E_None) {
                char *out = nullptr;
                unsigned long length = 0;
                wmf_stream_destroy(api, device->out, &out, &length);
                if (out && length > 0)
                    svg = QByteArray(out, qsizetype(length)); // copied before the player frees it
            }
        }
        wmf_mem_close(api);
    }
    wmf_api_destroy(api);
    return svg;
}

} // namespace

TvlMetafile::TvlMetafile() = default;
TvlMetafile::~TvlMetafile() = default;

TvlMetafileKind TvlMetafile::KindOf(const QByteArray &data)
{
    if (data.size() >= placeableSize && u32(data, 0) == placeableKey && wmfHeaderAt(data, placeableSize))
        return wmfRecordsWhole(data, placeableSize) ? TvlMetafileKind::PlaceableWmf : TvlMetafileKind::None;
    if (data.size() >= 88 && u32(data, 0) == 1 && u32(data, 40) == emfSignature)
        return emfRecordsWhole(data) ? TvlMetafileKind::Emf : TvlMetafileKind::None;
    if (wmfHeaderAt(data, 0))
        return wmfRecordsWhole(data, 0) ? TvlMetafileKind::Wmf : TvlMetafileKind::None;
    return TvlMetafileKind::None;
}

QByteArray TvlMetafile::ToSvg(const QByteArray &data)
{
    switch (KindOf(data)) {
    case TvlMetafileKind::Emf:
        return emfToSvg(data);
    case TvlMetafileKind::PlaceableWmf:
        return wmfToSvg(data, true);
    case TvlMetafileKind::Wmf:
        return wmfToSvg(data, false);
    default:
        return {};
    }
}

bool TvlMetafile::Load(const QByteArray &data)
{
    m_renderer.reset();
    m_size = {};
    const QByteArray svg = ToSvg(data);
    if (svg.isEmpty())
        return false;
    auto renderer = std::make_unique<QSvgRenderer>(svg);
    if (!renderer->isValid())
        return false;
    m_renderer = std::move(renderer);
    m_size = m_renderer->defaultSize();
    // The frame the metafile declares, where it declares one.
    if (KindOf(data) == TvlMetafileKind::Emf) {
        const double width = (i32(data, 32) - i32(data, 24)) / 100.0 / 25.4 * 96.0;
        const double height = (i32(data, 36) - i32(data, 28)) / 100.0 / 25.4 * 96.0;
        if (width >= 1 && height >= 1)
            m_size = QSize(int(std::lround(width)), int(std::lround(height)));
    } else if (KindOf(data) == TvlMetafileKind::PlaceableWmf && u16(data, 14)) {
        const double inch = u16(data, 14);
        const double width = (i16(data, 10) - i16(data, 6)) / inch * 96.0;
        const double height = (i16(data, 12) - i16(data, 8)) / inch * 96.0;
        if (width >= 1 && height >= 1)
            m_size = QSize(int(std::lround(width)), int(std::lround(height)));
    }
    return true;
}

bool TvlMetafile::IsValid() const
{
    return m_renderer != nullptr;
}

void TvlMetafile::Render(QPainter &painter, const QRectF &target) const
{
    if (m_renderer)
        m_renderer->render(&painter, target);
}

QImage TvlMetafile::ToImage(QSize size) const
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (m_renderer) {
        QPainter painter(&image);
        m_renderer->render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    return image;
}
