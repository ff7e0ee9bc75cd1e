#include "report/vlmemotext.h"

#include "platform/cp1250.h"
#include "report/vlstreams.h"

QString vlEncodeTextLine(const TvlTextLine &line)
{
    const int width = std::clamp(line.Width, 0, 0xFFFF);
    QString text(line.Text.size() + 2 + (line.ParagraphEnd ? 1 : 0), Qt::Uninitialized);
    QChar *out = text.data();
    *out++ = QChar(width >> 8);
    *out++ = QChar(width & 0xFF);
    out = std::copy(line.Text.cbegin(), line.Text.cend(), out);
    if (line.ParagraphEnd)
        *out = vlParagraphEnd;
    return text;
}

TvlTextLine vlDecodeTextLine(const QString &line)
{
    TvlTextLine result;
    if (line.size() < 2) {
        result.Text = line;
        return result;
    }
    result.Width = ((line[0].unicode() & 0xFF) << 8) | (line[1].unicode() & 0xFF);
    result.Text = line.mid(2);
    if (result.Text.endsWith(vlParagraphEnd)) {
        result.Text.chop(1);
        result.ParagraphEnd = true;
    }
    return result;
}

bool vlIsWrapped(const QStringList &lines)
{
    for (const QString &line : lines)
        if (line.contains(vlParagraphEnd))
            return true;
    return false;
}

bool vlIsDelimiter(QChar c)
{
    // Words break at blanks and after hyphens only: "s.r.o." or "1,5" stay whole.
    return c == u' ' || c == u'\t' || c == u'-';
}

namespace {

// Czech and Slovak vowels: the syllable rule needs the vowels of the language
// the texts are written in.
bool isVowel(QChar c)
{
    static const QString vowels = QStringLiteral("AEIOUYÁÉĚÍÓÚŮÝÄÖÜÔ");
    return vowels.contains(c);
}

bool isSign(QChar c)
{
    (void)c; // Czech has no hard or soft sign letters
    return false;
}

// The number of leading characters whose width stays within max (at least 1).
int fittingLength(const QString &text, int max, const std::function<int(const QString &)> &measure)
{
    int low = 1, high = int(text.size());
    while (low < high) {
        const int mid = (low + high + 1) / 2;
        if (measure(text.left(mid)) <= max)
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

} // namespace

QList<int> vlSyllableBreaks(const QString &word)
{
    QList<int> breaks;
    const QString w = word.toUpper();
    const int length = int(w.size());
    if (length < 5)
        return breaks;
    for (int i = 2; i <= length - 2; ++i) { // 1-based, as the rule counts
        const QChar c = w[i - 1], n = w[i], m = w[i + 1];
        const bool vc = isVowel(c), vn = isVowel(n), vm = isVowel(m);
        if ((vc && vn) || (vm && ((vc && !vn) || (!vc && !vn && !isSign(n)))))
            breaks.append(i);
    }
    return breaks;
}

QList<TvlTextLine> vlWrapText(const QStringList &source, const TvlWrapOptions &options,
                              const std::function<int(const QString &)> &measure)
{
    QList<TvlTextLine> out;
    out.reserve(source.size());
    const int max = options.MaxWidth;
    for (const QString &sourceLine : source) {
        if (!options.WordWrap) {
            out.append({measure(sourceLine), sourceLine, true});
            continue;
        }
        // The rest of the source line starts at pos. Only a piece of it long
        // enough to overflow the line is measured, so a long paragraph costs
        // no more per line than a short one.
        const qsizetype size = sourceLine.size();
        qsizetype pos = 0;
        for (;;) {
            const qsizetype restSize = size - pos;
            qsizetype length = std::min<qsizetype>(restSize, 128);
            QString piece = sourceLine.mid(pos, length);
            int width = measure(piece);
            while (width <= max && length < restSize) {
                length = std::min(restSize, length * 2);
                piece = sourceLine.mid(pos, length);
                width = measure(piece);
            }
            if (width <= max || restSize < 2) {
                out.append({width, piece, true});
                break;
            }
            const int fit = fittingLength(piece, max, measure);
            // The last delimiter at or before the overflowing character.
            int cut = -1;
            for (int i = fit; i >= 0; --i) {
                if (vlIsDelimiter(piece[i]) && (i > 0 || piece[i] != u' ')) {
                    cut = i;
                    break;
                }
            }
            if (options.WordBreak) {
                const int wordStart = cut + 1;
                // Syllables past the overflowing character never fit: a few
                // characters beyond it decide the last break that may.
                const qsizetype wordLimit = std::min(restSize, qsizetype(fit) + 8);
                qsizetype wordEnd = wordStart;
                while (wordEnd < wordLimit && !vlIsDelimiter(sourceLine[pos + wordEnd]))
                    ++wordEnd;
                int best = 0;
                for (int b : vlSyllableBreaks(sourceLine.mid(pos + wordStart, wordEnd - wordStart)))
                    if (measure(sourceLine.mid(pos, wordStart + b) + u'-') <= max)
                        best = b;
                if (best > 0) {
                    const QString hyphenated = sourceLine.mid(pos, wordStart + best) + u'-';
                    out.append({measure(hyphenated), hyphenated, false});
                    pos += wordStart + best;
                    continue;
                }
            }
            QString line;
            if (cut >= 0) {
                line = piece.left(piece[cut] == u' ' ? cut : cut + 1);
                pos += cut + 1;
            } else {
                line = piece.left(fit);
                pos += fit;
            }
            out.append({measure(line), line, pos >= size});
            if (pos >= size)
                break;
        }
    }
    return out;
}

void vlWritePreparedMemo(ByteStream &stream, const QStringList &lines)
{
    if (lines.size() > 0xFFFF)
        throw EReportFormatError(QStringLiteral("Text má příliš mnoho řádků."));
    stream.writeUInt16(quint16(lines.size()));
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        char width[2];
        const int raw = std::min<int>(2, line.size());
        for (int k = 0; k < raw; ++k)
            width[k] = char(line[k].unicode() & 0xFF);
        const QStringView text = QStringView(line).mid(raw);
        const qsizetype length = raw + Cp1250::encodedLength(text);
        if (length > 0xFFFF)
            throw EReportFormatError(QStringLiteral("Řádek textu je příliš dlouhý."));
        stream.writeUInt16(quint16(length));
        stream.writeRaw(width, raw);
        stream.writeCp1250(text);
        if (i + 1 < lines.size())
            stream.writeUInt8(13);
    }
    stream.writeUInt8(0);
}

void vlReadPreparedMemo(ByteStream &stream, QStringList &lines)
{
    lines.clear();
    if (stream.readUInt16() == 0) {
        stream.readUInt8();
        return;
    }
    for (;;) {
        const QByteArray bytes = stream.readBytes(stream.readUInt16());
        QString line;
        const int raw = std::min<int>(2, bytes.size());
        for (int k = 0; k < raw; ++k)
            line += QChar(uchar(bytes[k]));
        line += Cp1250::decode(QByteArrayView(bytes).sliced(raw));
        lines << line;
        if (stream.readUInt8() == 0)
            return;
    }
}
