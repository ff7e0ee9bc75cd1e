#include "report/vltextwidths.h"

#include "report/vlcanvas.h"

#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <unordered_map>

namespace {

// Lines longer than this are shaped in more than one run; they are measured whole.
constexpr qsizetype maxSummedLength = 1000;

// Latin letters, digits, punctuation and the common typographic signs: one
// script and left-to-right, so a line of them is shaped in runs split only
// at blanks, the same way for a pair as for a whole line. (A soft hyphen
// shows only at a line's end, so it is left out.)
bool summable(char16_t c)
{
    return (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c < 0x250 && c != 0xAD) || (c >= 0x2010 && c <= 0x2027) ||
           (c >= 0x2030 && c <= 0x203A) || c == 0x20AC;
}

} // namespace

QFont vlMemoFont(const QString &family, int pixelHeight, TFontStyles styles)
{
    QFont font(family);
    font.setPixelSize(std::max(1, pixelHeight));
    applyFontStyles(font, styles);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

TvlTextWidths::TvlTextWidths(const QFont &font)
    : m_font(font)
    , m_metrics(font, &TvlCanvas::ReferenceImage())
    , m_charTable(tableSize, std::numeric_limits<double>::quiet_NaN())
    , m_plainPairs(size_t(tableSize) * tableSize)
{}

TvlTextWidths &TvlTextWidths::For(const QString &family, int pixelHeight, TFontStyles styles)
{
    struct Key
    {
        QString family;
        int pixelHeight;
        int styles;
        bool operator==(const Key &other) const
        {
            return pixelHeight == other.pixelHeight && styles == other.styles && family == other.family;
        }
    };
    struct KeyHash
    {
        size_t operator()(const Key &key) const
        {
            return qHash(key.family) ^ size_t(key.pixelHeight * 31 + key.styles);
        }
    };
    static std::unordered_map<Key, std::unique_ptr<TvlTextWidths>, KeyHash> measurers;
    // Memos mostly share their font: the one asked for last is tried first.
    static const Key *lastKey = nullptr;
    static TvlTextWidths *last = nullptr;
    if (last && lastKey->pixelHeight == pixelHeight && lastKey->styles == int(styles.toInt()) &&
        lastKey->family == family)
        return *last;
    Key key{family, pixelHeight, int(styles.toInt())};
    auto found = measurers.find(key);
    if (found == measurers.end()) {
        if (measurers.size() >= 256)
            measurers.clear(); // no caller keeps a measurer beyond one line's measuring
        found = measurers.emplace(key, std::make_unique<TvlTextWidths>(vlMemoFont(family, pixelHeight, styles))).first;
    }
    lastKey = &found->first;
    last = found->second.get();
    return *last;
}

TvlTextWidths &TvlTextWidths::For(const QFont &font)
{
    static QHash<QFont, std::shared_ptr<TvlTextWidths>> measurers;
    static std::shared_ptr<TvlTextWidths> last;
    if (last && last->m_font == font)
        return *last;
    auto found = measurers.find(font);
    if (found == measurers.end()) {
        if (measurers.size() >= 256)
            measurers.clear();
        found = measurers.insert(font, std::make_shared<TvlTextWidths>(font));
    }
    last = *found;
    return *last;
}

QList<QGlyphRun> TvlTextWidths::GlyphRuns(const QString &text) const
{
    QTextLayout layout(text, m_font, &TvlCanvas::ReferenceImage());
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e9);
    layout.endLayout();
    return line.glyphRuns();
}

int TvlTextWidths::GlyphCount(const QString &text) const
{
    int count = 0;
    for (const QGlyphRun &run : GlyphRuns(text))
        count += int(run.glyphIndexes().size());
    return count;
}

double TvlTextWidths::CharWidth(char16_t c)
{
    if (c < tableSize && !std::isnan(m_charTable[c]))
        return m_charTable[c];
    const auto found = m_chars.constFind(c);
    if (found != m_chars.cend())
        return *found;
    double width = -1;
    const QString text(QChar{c});
    if (summable(c) && m_metrics.inFont(QChar(c)) && GlyphCount(text) == 1)
        width = m_metrics.horizontalAdvance(text);
    m_chars.insert(c, width);
    if (c < tableSize)
        m_charTable[c] = width;
    return width;
}

double TvlTextWidths::PairExtra(char16_t a, char16_t b)
{
    const size_t bit = a < tableSize && b < tableSize ? size_t(a) * tableSize + b : size_t(-1);
    if (bit != size_t(-1) && m_plainPairs[bit])
        return 0;
    const quint32 key = (quint32(a) << 16) | b;
    const auto found = m_pairs.constFind(key);
    if (found != m_pairs.cend())
        return *found;
    double extra = std::numeric_limits<double>::quiet_NaN();
    const QString text = QString(QChar{a}) + QChar{b};
    if (GlyphCount(text) == 2)
        extra = m_metrics.horizontalAdvance(text) - CharWidth(a) - CharWidth(b);
    m_pairs.insert(key, extra);
    if (bit != size_t(-1) && extra == 0)
        m_plainPairs[bit] = true;
    return extra;
}

double TvlTextWidths::Width(const QString &text)
{
    const qsizetype size = text.size();
    if (size < 2 || size > maxSummedLength)
        return m_metrics.horizontalAdvance(text);
    double width = 0;
    char16_t previous = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text.at(i).unicode();
        // The tables first: every line of a report goes through here.
        double w = c < tableSize ? m_charTable[c] : -1;
        if (!(w >= 0))
            w = CharWidth(c);
        if (w < 0)
            return m_metrics.horizontalAdvance(text);
        width += w;
        if (i > 0 && !(previous < tableSize && c < tableSize && m_plainPairs[size_t(previous) * tableSize + c])) {
            const double extra = PairExtra(previous, c);
            if (std::isnan(extra))
                return m_metrics.horizontalAdvance(text);
            width += extra;
        }
        previous = c;
    }
    return width;
}

QList<qreal> TvlTextWidths::Offsets(const QString &text)
{
    const qsizetype size = text.size();
    QList<qreal> offsets(size);
    if (size < 2)
        return offsets;
    // One layout of the whole text: with one glyph for each character (no
    // ligature, one script, left to right), a glyph's position is the width
    // of the text before it.
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return summable(c.unicode()); })) {
        const QList<QGlyphRun> runs = GlyphRuns(text);
        qsizetype glyph = 0;
        for (const QGlyphRun &run : runs)
            glyph += run.glyphIndexes().size();
        if (glyph == size) {
            glyph = 0;
            for (const QGlyphRun &run : runs)
                for (const QPointF &position : run.positions())
                    offsets[glyph++] = position.x();
            return offsets;
        }
    }
    // Otherwise the text before each character is measured, a stretch at a
    // time, so a long text never has every prefix shaped again.
    constexpr qsizetype stretch = 256;
    qsizetype from = 0;
    double base = 0;
    for (qsizetype i = 1; i < size; ++i) {
        if (i - from >= stretch) {
            base = offsets[i - 1] + m_metrics.horizontalAdvance(text.mid(i - 1, 1));
            from = i;
        }
        offsets[i] = base + m_metrics.horizontalAdvance(text.mid(from, i - from));
    }
    return offsets;
}
