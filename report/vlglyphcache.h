#pragma once
// State images of the engine's tool buttons. Each state of a glyph is built
// once from the glyph bitmap and kept in an image list shared by every glyph
// of that size; the cache of lists lives while some button glyph does.
#include <QColor>
#include <QImage>
#include <QList>
#include <functional>
#include <memory>
#include <vector>

// In the order of the images in a glyph bitmap.
enum class TvlGlyphState { Up = 0, Disabled = 1, Down = 2, Exclusive = 3, Grayed = 4 };
constexpr int vlGlyphStateCount = 5;

// An image list of one size: a freed slot is reused, lowest first.
class TvlGlyphList
{
public:
    TvlGlyphList(int width, int height)
        : m_width(width)
        , m_height(height)
    {}
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Stores a state image (already transparent where it is not drawn); the slot.
    int Add(const QImage &image);
    void Delete(int index);
    const QImage &Image(int index) const { return m_images[index]; }
    int Count() const { return m_count; }
    int SlotCount() const { return int(m_images.size()); }

private:
    int m_width, m_height;
    QList<QImage> m_images;
    QList<bool> m_used;
    int m_count = 0;
};

class TvlGlyphCache
{
public:
    // The cache while a button glyph exists; nullptr otherwise.
    static TvlGlyphCache *Instance();
    // The list of that size, the latest made first; made when missing.
    TvlGlyphList *GetList(int width, int height);
    // Frees the list once none of its slots is in use.
    void ReturnList(TvlGlyphList *list);
    int ListCount() const { return int(m_lists.size()); }

private:
    friend class TvlButtonGlyph;
    std::vector<std::unique_ptr<TvlGlyphList>> m_lists;
};

// The colours state images are built with (the button face and its 3-D edges).
struct TvlFaceColours
{
    QColor Face;
    QColor Highlight;
    QColor Shadow;
    static TvlFaceColours FromPalette();
};

// One button's glyph: the bitmap and its built state images.
class TvlButtonGlyph
{
public:
    static constexpr QRgb DefaultTransparent = 0x808000; // olive

    TvlButtonGlyph();
    ~TvlButtonGlyph();
    TvlButtonGlyph(const TvlButtonGlyph &) = delete;
    TvlButtonGlyph &operator=(const TvlButtonGlyph &) = delete;

    const QImage &Bitmap() const { return m_bitmap; }
    // Takes the bitmap's transparent colour (its bottom left pixel) and drops
    // the built images; a strip of square images sets NumGlyphs (below 5).
    void SetBitmap(const QImage &bitmap);
    int NumGlyphs() const { return m_numGlyphs; }
    void SetNumGlyphs(int count); // 1-4; more is taken as 4
    QColor TransparentColour() const { return m_transparent; }
    QSize ImageSize() const;

    // The state's image, built on first use; null without a bitmap.
    QImage Image(TvlGlyphState state, const TvlFaceColours &colours = TvlFaceColours::FromPalette());
    bool IsBuilt(TvlGlyphState state) const { return m_indexes[int(state)] >= 0; }
    // Frees every built image.
    void Invalidate();
    const TvlGlyphList *List() const { return m_list; }

    std::function<void()> OnChange;

    // A state image made from the bitmap, with the transparent colour (or,
    // for the grayed image, the face colour) already made transparent.
    static QImage BuildImage(const QImage &bitmap, int numGlyphs, TvlGlyphState state, QColor transparent,
                             const TvlFaceColours &colours);

private:
    QImage m_bitmap;
    QColor m_transparent = QColor(DefaultTransparent);
    int m_numGlyphs = 1;
    TvlGlyphList *m_list = nullptr;
    int m_indexes[vlGlyphStateCount] = {-1, -1, -1, -1, -1};
};
