#pragma once
// Pictures: a holder for a bitmap, icon or metafile, and the picture object.
// Graphics keep the bytes they were read from, so records are written back
// byte for byte; metafiles are drawn through their SVG conversion, and one
// that cannot be converted shows as a placeholder.
#include "report/metafile/metafile.h"
#include "report/vlview.h"

#include <QByteArray>
#include <QImage>
#include <memory>

enum TvlGraphicKind : quint8 { gkNone = 0, gkBitmap = 1, gkMetafile = 2, gkIcon = 3 };

class TvlPicture
{
public:
    TvlGraphicKind Kind() const { return m_kind; }
    bool IsEmpty() const { return m_kind == gkNone; }
    const QImage &Image() const { return m_image; }   // bitmaps and icons
    const QByteArray &Data() const { return m_data; } // the graphic's stream
    // The drawable metafile, converted when first asked for; nullptr for
    // other graphics and refused metafiles.
    const TvlMetafile *Metafile() const;
    QSize Size() const;

    void Clear();
    // A bitmap from an image (stored in the bitmap file layout).
    void SetImage(const QImage &image);
    // A graphic of a kind from its stream; false when the bytes are no such
    // graphic (the picture is then empty).
    bool Load(TvlGraphicKind kind, const QByteArray &data);
    // Guesses the kind from the bytes (bitmap, icon, metafile, or any image Qt reads).
    bool LoadAny(const QByteArray &data);

private:
    TvlGraphicKind m_kind = gkNone;
    QImage m_image;
    QByteArray m_data;
    mutable std::shared_ptr<const TvlMetafile> m_metafile;
    mutable bool m_metafileTried = false;
};

// Picture Flags.
enum TvlPictureFlag : quint16 { pfStretched = 1, pfCentered = 2, pfKeepAspect = 4 };

class TvlPictureView : public TvlView
{
public:
    TvlPictureView();

    QString ClassName() const override { return QStringLiteral("TvlPictureView"); }
    void Assign(const TvlView &source) override;
    void Draw(TvlCanvas &canvas) override;
    QList<TvlMenuOption> FillPopupMenu() const override;
    void LoadBlob(const QByteArray &data, bool isNull) override;
    void LoadFromStream(ByteStream &stream, int version = vlCurrentVersion) override;
    void SaveToStream(ByteStream &stream) override;
    void WriteXmlElement(TvlXmlWriter &xml, const TvlXmlContext &context) override;

    // Where the picture goes inside the drawing rectangle.
    QRect PictureRect(const QRect &area) const;

    TvlPicture Picture;
};
