#pragma once
// State images of the kit's buttons, kept in image lists shared by every
// button whose images have the same size. A list lives while some button
// uses one of its slots; the cache of lists lives while a button glyph does.
#include <QImage>
#include <QList>
#include <QSize>

#include <memory>
#include <vector>

// An image list of one image size. Freed slots are reused, lowest first.
class TKxGlyphList
{
public:
    explicit TKxGlyphList(QSize size)
        : imageSize(size)
    {}

    QSize size() const { return imageSize; }
    // Puts the image into the lowest free slot, or a new one; returns the slot.
    int Add(const QImage &image);
    void Delete(int index);
    QImage image(int index) const;
    // Occupied slots.
    int count() const { return occupied; }
    // All slots, free ones included.
    int slotCount() const { return int(images.size()); }

private:
    QSize imageSize;
    QList<QImage> images;
    QList<bool> used;
    int occupied = 0;
};

// The lists of all button glyphs, one per image size.
class TKxGlyphCache
{
public:
    // The cache, or nullptr while no button glyph exists.
    static TKxGlyphCache *instance() { return current; }

    // The list for that size (the latest made first), made when missing.
    TKxGlyphList *GetList(QSize size);
    // Drops the list once none of its slots is used any more.
    void ReturnList(TKxGlyphList *list);
    // The list for that size, or nullptr; makes nothing.
    const TKxGlyphList *find(QSize size) const;
    int listCount() const { return int(lists.size()); }

private:
    friend class TKxButtonGlyph;
    static void hold();
    static void release();

    static TKxGlyphCache *current;
    static int holders;
    std::vector<std::unique_ptr<TKxGlyphList>> lists;
};

// The built state images of one button: slots in the shared list of their
// size, one per state, -1 while a state is not built.
class TKxButtonGlyph
{
public:
    static constexpr int StateCount = 5;

    TKxButtonGlyph();
    ~TKxButtonGlyph();
    TKxButtonGlyph(const TKxButtonGlyph &) = delete;
    TKxButtonGlyph &operator=(const TKxButtonGlyph &) = delete;

    bool isBuilt(int state) const { return indexes[state] >= 0; }
    QImage image(int state) const;
    // Keeps the image of a state (all states of a glyph have one size).
    void store(int state, const QImage &image);
    // Discards every built image and gives the slots back.
    void invalidate();
    int index(int state) const { return indexes[state]; }
    const TKxGlyphList *list() const { return glyphList; }

private:
    TKxGlyphList *glyphList = nullptr;
    int indexes[StateCount] = {-1, -1, -1, -1, -1};
};
