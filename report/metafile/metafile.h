#pragma once
// Windows metafiles (WMF, with or without the placeable header, and EMF)
// drawn through Debian's converters: each is turned into SVG once and then
// drawn with Qt SVG on any painter. A file the converters refuse draws
// nothing; the caller shows its placeholder instead.
#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <memory>

class QPainter;
class QSvgRenderer;

enum class TvlMetafileKind { None, Wmf, PlaceableWmf, Emf };

class TvlMetafile
{
public:
    TvlMetafile();
    ~TvlMetafile();
    TvlMetafile(const TvlMetafile &) = delete;
    TvlMetafile &operator=(const TvlMetafile &) = delete;

    // The kind by the header; None as well when the records do not lie
    // whole within the bytes.
    static TvlMetafileKind KindOf(const QByteArray &data);
    // The metafile as an SVG document; empty when it cannot be converted.
    static QByteArray ToSvg(const QByteArray &data);

    // Converts the metafile; false (and nothing to draw) when refused.
    bool Load(const QByteArray &data);
    bool IsValid() const;
    // The size the metafile was made for, in layout pixels (96 per inch).
    QSize Size() const { return m_size; }
    void Render(QPainter &painter, const QRectF &target) const;
    // The picture drawn on a transparent image of that size.
    QImage ToImage(QSize size) const;

private:
    std::unique_ptr<QSvgRenderer> m_renderer;
    QSize m_size;
};
