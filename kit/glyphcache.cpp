#include "kit/glyphcache.h"

#include <algorithm>

int TKxGlyphList::Add(const QImage &image)
{
    ++occupied;
    const auto freeSlot = std::find(used.begin(), used.end(), false);
    if (freeSlot != used.end()) {
        const int index = int(freeSlot - used.begin());
        used[index] = true;
        images[index] = image;
        return index;
    }
    images.append(image);
    used.append(true);
    return int(images.size()) - 1;
}

void TKxGlyphList::Delete(int index)
{
    if (index < 0 || index >= used.size() || !used[index])
        return;
    used[index] = false;
    images[index] = QImage();
    --occupied;
}

QImage TKxGlyphList::image(int index) const
{
    if (index < 0 || index >= used.size() || !used[index])
        return QImage();
    return images[index];
}

TKxGlyphCache *TKxGlyphCache::current = nullptr;
int TKxGlyphCache::holders = 0;

void TKxGlyphCache::hold()
{
    ++holders;
    if (!current)
        current = new TKxGlyphCache;
}

void TKxGlyphCache::release()
{
    if (--holders > 0)
        return;
    delete current;
    current = nullptr;
}

TKxGlyphList *TKxGlyphCache::GetList(QSize size)
{
    for (auto it = lists.rbegin(); it != lists.rend(); ++it)
        if ((*it)->size() == size)
            return it->get();
    lists.push_back(std::make_unique<TKxGlyphList>(size));
    return lists.back().get();
}

void TKxGlyphCache::ReturnList(TKxGlyphList *list)
{
    if (!list || list->count() > 0)
        return;
    std::erase_if(lists, [list](const auto &owned) { return owned.get() == list; });
}

const TKxGlyphList *TKxGlyphCache::find(QSize size) const
{
    for (auto it = lists.rbegin(); it != lists.rend(); ++it)
        if ((*it)->size() == size)
            return it->get();
    return nullptr;
}

TKxButtonGlyph::TKxButtonGlyph()
{
    TKxGlyphCache::hold();
}

TKxButtonGlyph::~TKxButtonGlyph()
{
    invalidate();
    TKxGlyphCache::release();
}

QImage TKxButtonGlyph::image(int state) const
{
    return glyphList ? glyphList->image(indexes[state]) : QImage();
}

void TKxButtonGlyph::store(int state, const QImage &image)
{
    if (glyphList && glyphList->size() != image.size())
        invalidate(); // a glyph of another size: its images go to another list
    if (!glyphList)
        glyphList = TKxGlyphCache::instance()->GetList(image.size());
    if (indexes[state] >= 0)
        glyphList->Delete(indexes[state]);
    indexes[state] = glyphList->Add(image);
}

void TKxButtonGlyph::invalidate()
{
    if (!glyphList)
        return;
    for (int &index : indexes) {
        glyphList->Delete(index);
        index = -1;
    }
    TKxGlyphCache::instance()->ReturnList(glyphList);
    glyphList = nullptr;
}
