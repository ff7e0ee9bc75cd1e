#include "report/vlglyphcache.h"

#include <QApplication>
#include <QPalette>

namespace {

TvlGlyphCache *cache = nullptr;
int glyphCount = 0;

QImage transparentWhere(const QImage &image, QColor colour)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = colour.rgb() & 0xFFFFFF;
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0xFFFFFF) == key)
                line[x] = 0;
    }
    return out;
}

bool same(QRgb pixel, QColor colour)
{
    return (pixel & 0xFFFFFF) == (colour.rgb() & 0xFFFFFF);
}

} // namespace

int TvlGlyphList::Add(const QImage &stored)
{
    ++m_count;
    for (int i = 0; i < m_used.size(); ++i)
        if (!m_used[i]) {
            m_used[i] = true;
            m_images[i] = stored;
            return i;
        }
    m_used << true;
    m_images << stored;
    return int(m_images.size()) - 1;
}

void TvlGlyphList::Delete(int index)
{
    if (index < 0 || index >= m_used.size() || !m_used[index])
        return;
    m_used[index] = false;
    m_images[index] = QImage();
    --m_count;
}

TvlGlyphCache *TvlGlyphCache::Instance()
{
    return cache;
}

TvlGlyphList *TvlGlyphCache::GetList(int width, int height)
{
    for (auto it = m_lists.rbegin(); it != m_lists.rend(); ++it)
        if ((*it)->Width() == width && (*it)->Height() == height)
            return it->get();
    m_lists.push_back(std::make_unique<TvlGlyphList>(width, height));
    return m_lists.back().get();
}

void TvlGlyphCache::ReturnList(TvlGlyphList *list)
{
    if (!list || list->Count() > 0)
        return;
    std::erase_if(m_lists, [list](const auto &held) { return held.get() == list; });
}

TvlFaceColours TvlFaceColours::FromPalette()
{
    const QPalette palette = QApplication::palette();
    return {palette.color(QPalette::Button), palette.color(QPalette::Light), palette.color(QPalette::Dark)};
}

TvlButtonGlyph::TvlButtonGlyph()
{
    if (glyphCount++ == 0 && !cache)
        cache = new TvlGlyphCache;
}

TvlButtonGlyph::~TvlButtonGlyph()
{
    Invalidate();
    if (--glyphCount == 0 && cache && cache->ListCount() == 0) {
        delete cache;
        cache = nullptr;
    }
}

void TvlButtonGlyph::SetBitmap(const QImage &bitmap)
{
    Invalidate();
    m_bitmap = bitmap;
    if (!bitmap.isNull()) {
        m_transparent = QColor(bitmap.pixel(0, bitmap.height() - 1));
        if (bitmap.height() > 0 && bitmap.width() % bitmap.height() == 0) {
            const int count = bitmap.width() / bitmap.height();
            m_numGlyphs = count < 5 && count > 0 ? count : 1;
        }
    }
    if (OnChange)
        OnChange();
}

void TvlButtonGlyph::SetNumGlyphs(int count)
{
    count = qBound(1, count, 4);
    if (count == m_numGlyphs)
        return;
    Invalidate();
    m_numGlyphs = count;
    if (OnChange)
        OnChange();
}

QSize TvlButtonGlyph::ImageSize() const
{
    if (m_bitmap.isNull())
        return {0, 0};
    return {m_bitmap.width() / m_numGlyphs, m_bitmap.height()};
}

void TvlButtonGlyph::Invalidate()
{
    if (!m_list)
        return;
    for (int &index : m_indexes) {
        m_list->Delete(index);
        index = -1;
    }
    if (cache)
        cache->ReturnList(m_list);
    m_list = nullptr;
}

QImage TvlButtonGlyph::Image(TvlGlyphState state, const TvlFaceColours &colours)
{
    if (m_bitmap.isNull())
        return {};
    int &index = m_indexes[int(state)];
    if (index < 0) {
        const QSize size = ImageSize();
        if (!m_list) {
            if (!cache)
                cache = new TvlGlyphCache;
            m_list = cache->GetList(size.width(), size.height());
        }
        index = m_list->Add(BuildImage(m_bitmap, m_numGlyphs, state, m_transparent, colours));
    }
    return m_list->Image(index);
}

QImage TvlButtonGlyph::BuildImage(const QImage &bitmap, int numGlyphs, TvlGlyphState state, QColor transparent,
                                  const TvlFaceColours &colours)
{
    const int width = bitmap.width() / numGlyphs;
    const int height = bitmap.height();
    int image = int(state) < numGlyphs ? int(state) : 0;
    if (state == TvlGlyphState::Down && numGlyphs < 3)
        image = 0;
    if (state == TvlGlyphState::Grayed)
        image = 0;
    const QImage source = bitmap.copy(image * width, 0, width, height).convertToFormat(QImage::Format_RGB32);
    switch (state) {
    case TvlGlyphState::Up:
    case TvlGlyphState::Down:
    case TvlGlyphState::Exclusive:
        return transparentWhere(source, transparent);
    case TvlGlyphState::Disabled: {
        QImage out(width, height, QImage::Format_RGB32);
        out.fill(colours.Face);
        if (numGlyphs > 1) { // the bitmap's own disabled image, in the face colours
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    const QRgb p = source.pixel(x, y);
                    if (same(p, transparent))
                        continue;
                    if (same(p, Qt::white))
                        out.setPixelColor(x, y, colours.Highlight);
                    else if (same(p, QColor(0x80, 0x80, 0x80)))
                        out.setPixelColor(x, y, colours.Shadow);
                    else
                        out.setPixel(x, y, p);
                }
        } else { // embossed: highlight one pixel down and right, shadow in place
            for (int pass = 0; pass < 2; ++pass)
                for (int y = 0; y < height; ++y)
                    for (int x = 0; x < width; ++x)
                        if (!same(source.pixel(x, y), transparent)) {
                            const int dx = pass == 0 ? x + 1 : x, dy = pass == 0 ? y + 1 : y;
                            if (dx < width && dy < height)
                                out.setPixelColor(dx, dy, pass == 0 ? colours.Highlight : colours.Shadow);
                        }
        }
        return transparentWhere(out, colours.Face);
    }
    case TvlGlyphState::Grayed: {
        QImage out = source;
        for (int y = 0; y < height; ++y) {
            auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
            for (int x = 0; x < width; ++x) {
                const QRgb p = line[x];
                if (same(p, transparent) || same(p, colours.Face)) {
                    line[x] = colours.Face.rgb();
                    continue;
                }
                const int gray = (qRed(p) * 77 + qGreen(p) * 150 + qBlue(p) * 29) >> 8;
                line[x] = qRgb(gray, gray, gray);
            }
        }
        return transparentWhere(out, colours.Face);
    }
    }
    return {};
}
