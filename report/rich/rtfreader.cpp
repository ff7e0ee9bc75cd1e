#include "report/rich/rtfreader.h"

#include "platform/cp1250.h"

#include <QBuffer>
#include <QColor>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

namespace {

enum class Dest {
    Text,       // the document's text
    Skip,       // read and dropped
    FontTable,  // font entries
    ColorTable, // colour entries
    Picture,    // picture data
    ListText,   // the visible number or bullet of a list paragraph
    Bullet,     // a paragraph numbering definition
};

enum class PictureKind { None, Png, Jpeg, Other };

enum ListKind { lkNone = 0, lkBullet = 1, lkDecimal = 2 };

struct ParaState
{
    Qt::Alignment align = Qt::AlignLeft;
    int li = 0, ri = 0, fi = 0, sb = 0, sa = 0, sl = 0;
    bool slmult = false;
    QList<QTextOption::Tab> tabs;
    QTextOption::TabType nextTabType = QTextOption::LeftTab;
    bool intbl = false;
    int list = lkNone;
};

struct State
{
    Dest dest = Dest::Text;
    bool destOwner = false;
    int font = -1;
    int halfPoints = 24;
    bool bold = false, italic = false, underline = false, strike = false;
    int fg = 0, bg = 0;
    int vertical = 0; // 1 superscript, -1 subscript
    int uc = 1;
    ParaState para;
};

struct FontEntry
{
    QString name;
    int codePage = 0; // 0: the document's
};

int codePageOfCharset(int charset)
{
    switch (charset) {
    case 0:
        return 1252;
    case 2: // symbol fonts keep their bytes
        return 1252;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    default:
        return 0;
    }
}

QString decodeBytes(const QByteArray &bytes, int codePage)
{
    if (codePage == 1250)
        return Cp1250::decode(bytes);
    if (codePage > 0) {
        QStringDecoder decoder(QByteArray("windows-" + QByteArray::number(codePage)).constData());
        if (!decoder.isValid() && codePage == 10000)
            decoder = QStringDecoder("macintosh");
        if (decoder.isValid()) {
            QString text = decoder.decode(bytes);
            if (!decoder.hasError())
                return text;
        }
    }
    return QString::fromLatin1(bytes);
}

// Destinations whose text is never part of the document.
bool isSkippedDestination(QByteArrayView word)
{
    static const char *const skipped[] = {
        "stylesheet",
        "info",
        "listtable",
        "listoverridetable",
        "rsidtbl",
        "header",
        "headerl",
        "headerr",
        "headerf",
        "footer",
        "footerl",
        "footerr",
        "footerf",
        "pntext",
        "fldinst",
        "footnote",
        "annotation",
        "xmlnstbl",
        "revtbl",
        "filetbl",
        "pgdsctbl",
        "nonshppict",
        "generator",
        "themedata",
        "colorschememapping",
        "latentstyles",
        "datastore",
        "object",
        "pnseclvl",
        "template",
        "txe",
        "comment",
        "private",
        "objdata",
        "mmathPr",
        "xe",
        "tc",
        "bkmkstart",
        "bkmkend",
        "userprops",
        "docvar",
        "ftnsep",
        "ftnsepc",
        "ftncn",
        "aftnsep",
        "aftnsepc",
        "aftncn",
        "atnid",
        "atnauthor",
    };
    for (const char *name : skipped)
        if (word == QByteArrayView(name))
            return true;
    return false;
}

class RtfReader
{
public:
    // unicodeText: the rich text is a Unicode text (here in UTF-8), so its
    // letters stand for themselves; only "\'hh" is in a code page.
    RtfReader(const QByteArray &rtf, QTextDocument &document, const TvlRtfLimits &limits, bool unicodeText = false)
        : m_rtf(rtf)
        , m_doc(document)
        , m_cursor(&document)
        , m_limits(limits)
        , m_unicodeText(unicodeText)
    {}

    void Read();

private:
    // --- tokens
    void ControlWord(QByteArrayView word, bool hasParam, int param);
    void ControlSymbol(char symbol);
    void TextByte(char byte);
    void TextCharacter(char32_t code);
    void OpenGroup();
    void CloseGroup();
    void FinishDestination(const State &closed);

    // --- text
    void FlushBytes();
    void FlushText();
    void AppendUnicode(int code);
    void InsertText(const QString &text);
    void InsertSpecial(QChar c);
    QTextCharFormat CharFormat() const;
    int CodePage() const;

    // --- paragraphs, lists and tables
    void EnsureBlock();
    void EndParagraph();
    void ApplyParagraph();
    void EnterTableIfNeeded();
    void LeaveTable();
    void EndCell();
    void EndRow();

    // --- tables of the header, pictures
    void FontTableText(const QString &text);
    void ColorTableText(const QString &text);
    void InsertPicture();
    QImage Placeholder(QSize size) const;

    const QByteArray &m_rtf;
    QTextDocument &m_doc;
    QTextCursor m_cursor;
    TvlRtfLimits m_limits;
    bool m_unicodeText;

    State m_state;
    QList<State> m_stack;
    int m_skipDepth = 0; // groups deeper than the limit, being skipped whole
    bool m_pendingStar = false;
    int m_skipChars = 0; // of "\uN"
    int m_docCodePage = 1252;
    int m_defaultFont = 0;

    QByteArray m_bytes; // text bytes not yet decoded
    QString m_text;     // decoded text not yet placed
    qint64 m_length = 0;

    QHash<int, FontEntry> m_fonts;
    int m_fontEntry = -1;
    QString m_fontName;
    QList<QColor> m_colors;
    int m_red = -1, m_green = -1, m_blue = -1;

    bool m_pendingBlock = false;
    bool m_blockHasContent = false;
    QTextList *m_list = nullptr;
    int m_listKind = lkNone;
    QString m_listText;

    QTextTable *m_table = nullptr;
    int m_row = 0, m_column = 0;
    bool m_rowDone = false;
    bool m_cellPending = false;
    QList<int> m_cellx;

    PictureKind m_pictureKind = PictureKind::None;
    QByteArray m_pictureHex;
    QByteArray m_pictureBin;
    int m_picw = 0, m_pich = 0, m_picwgoal = 0, m_pichgoal = 0, m_scalex = 100, m_scaley = 100;
    bool m_pictureTooLarge = false;
    int m_pictureCount = 0;
};

void RtfReader::Read()
{
    m_doc.clear();
    m_cursor = QTextCursor(&m_doc);
    const qsizetype n = m_rtf.size();
    qsizetype i = 0;
    while (i < n) {
        const char c = m_rtf[i];
        if (c == '{') {
            ++i;
            OpenGroup();
        } else if (c == '}') {
            ++i;
            if (m_stack.size() == 1 && m_skipDepth == 0)
                break; // the document's group ends; its state stays for the last paragraph
            CloseGroup();
            if (m_stack.isEmpty() && m_skipDepth == 0)
                break; // the document's group has ended
        } else if (c == '\\') {
            ++i;
            if (i >= n)
                break;
            const char d = m_rtf[i];
            if ((d >= 'a' && d <= 'z') || (d >= 'A' && d <= 'Z')) {
                const qsizetype start = i;
                while (i < n && i - start < 32 &&
                       ((m_rtf[i] >= 'a' && m_rtf[i] <= 'z') || (m_rtf[i] >= 'A' && m_rtf[i] <= 'Z')))
                    ++i;
                const QByteArrayView word(m_rtf.constData() + start, i - start);
                bool negative = false, hasParam = false;
                qint64 param = 0;
                if (i < n && m_rtf[i] == '-' && i + 1 < n && m_rtf[i + 1] >= '0' && m_rtf[i + 1] <= '9') {
                    negative = true;
                    ++i;
                }
                int digits = 0;
                while (i < n && m_rtf[i] >= '0' && m_rtf[i] <= '9') {
                    if (digits < 10)
                        param = param * 10 + (m_rtf[i] - '0');
                    ++digits;
                    hasParam = true;
                    ++i;
                }
                param = std::clamp<qint64>(negative ? -param : param, -2147483647, 2147483647);
                if (i < n && m_rtf[i] == ' ')
                    ++i;
                if (word == "bin" && hasParam) {
                    // Raw bytes follow: taken by a picture, skipped elsewhere.
                    const qint64 count = std::clamp<qint64>(param, 0, n - i);
                    if (m_skipDepth == 0 && m_state.dest == Dest::Picture) {
                        if (m_pictureBin.size() + count <= m_limits.MaxPictureBytes)
                            m_pictureBin.append(m_rtf.constData() + i, count);
                        else
                            m_pictureTooLarge = true;
                    }
                    i += count;
                    continue;
                }
                if (m_skipDepth == 0)
                    ControlWord(word, hasParam, int(param));
            } else if (d == '\'') {
                ++i;
                int value = 0, got = 0;
                while (got < 2 && i < n) {
                    const int h = QChar::fromLatin1(m_rtf[i]).isDigit()  ? m_rtf[i] - '0'
                                  : (m_rtf[i] >= 'a' && m_rtf[i] <= 'f') ? m_rtf[i] - 'a' + 10
                                  : (m_rtf[i] >= 'A' && m_rtf[i] <= 'F') ? m_rtf[i] - 'A' + 10
                                                                         : -1;
                    if (h < 0)
                        break;
                    value = value * 16 + h;
                    ++got;
                    ++i;
                }
                if (m_skipDepth == 0 && got > 0)
                    TextByte(char(value));
            } else {
                ++i;
                if (m_skipDepth == 0)
                    ControlSymbol(d);
            }
        } else {
            ++i;
            if (c == '\r' || c == '\n' || m_skipDepth > 0)
                continue;
            if (c == 0)
                continue;
            if (m_unicodeText && uchar(c) >= 0x80) {
                // One whole UTF-8 sequence: a letter of the text as it is.
                const qsizetype start = i - 1;
                while (i < n && (uchar(m_rtf[i]) & 0xC0) == 0x80)
                    ++i;
                const QString letter = QString::fromUtf8(m_rtf.constData() + start, i - start);
                if (m_skipDepth == 0)
                    for (const char32_t code : letter.toUcs4())
                        TextCharacter(code);
                continue;
            }
            TextByte(c);
        }
    }
    FlushText();
    LeaveTable();
    if (!m_pendingBlock || m_blockHasContent)
        ApplyParagraph();
}

// --- groups --------------------------------------------------------------------

void RtfReader::OpenGroup()
{
    if (m_skipDepth > 0 || m_stack.size() >= m_limits.MaxGroupDepth) {
        ++m_skipDepth;
        return;
    }
    FlushText();
    m_skipChars = 0;
    m_stack.append(m_state);
    m_state.destOwner = false;
}

void RtfReader::CloseGroup()
{
    if (m_skipDepth > 0) {
        --m_skipDepth;
        return;
    }
    if (m_stack.isEmpty())
        return;
    FlushText();
    m_skipChars = 0;
    m_pendingStar = false;
    const State closed = m_state;
    m_state = m_stack.takeLast();
    if (closed.destOwner || closed.dest == Dest::FontTable)
        FinishDestination(closed);
}

void RtfReader::FinishDestination(const State &closed)
{
    switch (closed.dest) {
    case Dest::FontTable:
        if (m_fontEntry >= 0 && !m_fontName.trimmed().isEmpty())
            FontTableText(QStringLiteral(";"));
        break;
    case Dest::Picture:
        if (closed.destOwner)
            InsertPicture();
        break;
    case Dest::ListText:
        // The visible bullet tells a numbered list from a bulleted one.
        if (m_state.dest == Dest::Text) {
            bool digit = false;
            for (QChar c : std::as_const(m_listText))
                digit = digit || c.isDigit() || c == u'.' || c == u')';
            m_listKind = m_listText.trimmed().isEmpty() ? lkNone : (digit ? lkDecimal : lkBullet);
            if (m_state.para.list != lkNone && m_listKind != lkNone)
                m_state.para.list = m_listKind;
        }
        m_listText.clear();
        break;
    case Dest::Bullet:
        if (m_state.dest == Dest::Text)
            m_state.para.list = closed.para.list;
        break;
    default:
        break;
    }
}

// --- control words -----------------------------------------------------------

void RtfReader::ControlWord(QByteArrayView word, bool hasParam, int param)
{
    const bool on = !hasParam || param != 0;
    if (word == "u") {
        FlushBytes();
        AppendUnicode(param < 0 ? param + 65536 : param);
        m_skipChars = m_state.uc;
        return;
    }
    FlushText();
    m_skipChars = 0;
    const bool star = m_pendingStar;
    m_pendingStar = false;
    State &s = m_state;
    if (s.dest == Dest::Skip)
        return;

    // Destinations.
    auto setDest = [&](Dest dest) {
        s.dest = dest;
        s.destOwner = true;
    };
    if (word == "fonttbl") {
        setDest(Dest::FontTable);
        return;
    }
    if (word == "colortbl") {
        setDest(Dest::ColorTable);
        m_red = m_green = m_blue = -1;
        return;
    }
    if (word == "pict") {
        setDest(Dest::Picture);
        m_pictureKind = PictureKind::Other;
        m_pictureHex.clear();
        m_pictureBin.clear();
        m_picw = m_pich = m_picwgoal = m_pichgoal = 0;
        m_scalex = m_scaley = 100;
        m_pictureTooLarge = false;
        return;
    }
    if (word == "listtext") {
        setDest(Dest::ListText);
        m_listText.clear();
        return;
    }
    if (word == "pn") {
        setDest(Dest::Bullet);
        s.para.list = lkBullet;
        return;
    }
    if (word == "shppict" || word == "fldrslt" || word == "field" || word == "shprslt" || word == "result")
        return; // their content is read as it stands
    if (isSkippedDestination(word)) {
        setDest(Dest::Skip);
        return;
    }
    if (star) {
        setDest(Dest::Skip); // an optional destination this reader does not know
        return;
    }

    if (s.dest == Dest::Bullet) {
        if (word == "pnlvlblt")
            s.para.list = lkBullet;
        else if (word == "pndec" || word == "pnucltr" || word == "pnlcltr" || word == "pnucrm" || word == "pnlcrm" ||
                 (word == "pnlvlbody" && s.para.list == lkNone))
            s.para.list = lkDecimal;
        return;
    }
    if (s.dest == Dest::FontTable) {
        if (word == "f" && hasParam) {
            m_fontEntry = param;
            m_fontName.clear();
            m_fonts[param] = FontEntry{};
        } else if (word == "fcharset" && m_fontEntry >= 0) {
            m_fonts[m_fontEntry].codePage = codePageOfCharset(param);
        } else if (word == "cpg" && m_fontEntry >= 0 && param > 0) {
            m_fonts[m_fontEntry].codePage = param;
        }
        return;
    }
    if (s.dest == Dest::ColorTable) {
        if (word == "red")
            m_red = std::clamp(param, 0, 255);
        else if (word == "green")
            m_green = std::clamp(param, 0, 255);
        else if (word == "blue")
            m_blue = std::clamp(param, 0, 255);
        return;
    }
    if (s.dest == Dest::Picture) {
        if (word == "pngblip")
            m_pictureKind = PictureKind::Png;
        else if (word == "jpegblip")
            m_pictureKind = PictureKind::Jpeg;
        else if (word == "picw")
            m_picw = param;
        else if (word == "pich")
            m_pich = param;
        else if (word == "picwgoal")
            m_picwgoal = param;
        else if (word == "pichgoal")
            m_pichgoal = param;
        else if (word == "picscalex")
            m_scalex = param;
        else if (word == "picscaley")
            m_scaley = param;
        return;
    }

    // Document and character formatting.
    if (word == "ansicpg") {
        if (param > 0)
            m_docCodePage = param;
    } else if (word == "deff") {
        m_defaultFont = param;
    } else if (word == "uc") {
        s.uc = std::clamp(param, 0, 10);
    } else if (word == "plain") {
        s.font = -1;
        s.halfPoints = 24;
        s.bold = s.italic = s.underline = s.strike = false;
        s.fg = s.bg = 0;
        s.vertical = 0;
    } else if (word == "f") {
        s.font = param;
    } else if (word == "fs") {
        if (hasParam && param > 0)
            s.halfPoints = std::clamp(param, 2, 3276);
    } else if (word == "b") {
        s.bold = on;
    } else if (word == "i") {
        s.italic = on;
    } else if (word == "ul" || word == "uld" || word == "uldb" || word == "uldash" || word == "ulw" || word == "ulth" ||
               word == "ulwave" || word == "uldashd" || word == "uldashdd") {
        s.underline = on;
    } else if (word == "ulnone") {
        s.underline = false;
    } else if (word == "strike" || word == "striked") {
        s.strike = on;
    } else if (word == "cf") {
        s.fg = param;
    } else if (word == "highlight" || word == "cb" || word == "chcbpat") {
        s.bg = param;
    } else if (word == "super") {
        s.vertical = 1;
    } else if (word == "sub") {
        s.vertical = -1;
    } else if (word == "nosupersub") {
        s.vertical = 0;
    }
    // Paragraph formatting.
    else if (word == "pard") {
        s.para = ParaState{};
    } else if (word == "ql") {
        s.para.align = Qt::AlignLeft;
    } else if (word == "qc") {
        s.para.align = Qt::AlignHCenter;
    } else if (word == "qr") {
        s.para.align = Qt::AlignRight;
    } else if (word == "qj") {
        s.para.align = Qt::AlignJustify;
    } else if (word == "li") {
        s.para.li = param;
    } else if (word == "ri") {
        s.para.ri = param;
    } else if (word == "fi") {
        s.para.fi = param;
    } else if (word == "sb") {
        s.para.sb = param;
    } else if (word == "sa") {
        s.para.sa = param;
    } else if (word == "sl") {
        s.para.sl = param;
    } else if (word == "slmult") {
        s.para.slmult = on;
    } else if (word == "tqr") {
        s.para.nextTabType = QTextOption::RightTab;
    } else if (word == "tqc") {
        s.para.nextTabType = QTextOption::CenterTab;
    } else if (word == "tqdec") {
        s.para.nextTabType = QTextOption::DelimiterTab;
    } else if (word == "tx" || word == "tb") {
        if (s.para.tabs.size() < 64)
            s.para.tabs.append(QTextOption::Tab(std::max(0, param) / 15.0, s.para.nextTabType));
        s.para.nextTabType = QTextOption::LeftTab;
    } else if (word == "intbl") {
        s.para.intbl = true;
    } else if (word == "ls") {
        if (s.para.list == lkNone)
            s.para.list = m_listKind != lkNone ? m_listKind : lkBullet;
    }
    // Special characters and breaks.
    else if (word == "par") {
        EndParagraph();
    } else if (word == "line") {
        InsertSpecial(QChar::LineSeparator);
    } else if (word == "tab") {
        InsertSpecial(u'\t');
    } else if (word == "cell") {
        EndCell();
    } else if (word == "row") {
        EndRow();
    } else if (word == "trowd") {
        m_cellx.clear();
    } else if (word == "cellx") {
        if (m_cellx.size() < 63)
            m_cellx.append(param);
    } else if (word == "emdash") {
        InsertSpecial(QChar(0x2014));
    } else if (word == "endash") {
        InsertSpecial(QChar(0x2013));
    } else if (word == "bullet") {
        InsertSpecial(QChar(0x2022));
    } else if (word == "lquote") {
        InsertSpecial(QChar(0x2018));
    } else if (word == "rquote") {
        InsertSpecial(QChar(0x2019));
    } else if (word == "ldblquote") {
        InsertSpecial(QChar(0x201C));
    } else if (word == "rdblquote") {
        InsertSpecial(QChar(0x201D));
    } else if (word == "emspace" || word == "enspace" || word == "qmspace") {
        InsertSpecial(u' ');
    } else if (word == "page" || word == "sect") {
        EndParagraph();
    }
}

void RtfReader::ControlSymbol(char symbol)
{
    if (symbol == '*') {
        FlushText();
        m_pendingStar = true;
        return;
    }
    if (m_skipChars > 0 && symbol != '\r' && symbol != '\n') {
        --m_skipChars;
        return;
    }
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        TextByte(symbol);
        break;
    case '~':
        FlushBytes();
        m_text += QChar(0x00A0);
        break;
    case '_':
        FlushBytes();
        m_text += QChar(0x2011);
        break;
    case '\r':
    case '\n':
        FlushText();
        EndParagraph();
        break;
    case '\t':
        TextByte('\t');
        break;
    default:
        break; // "\-" optional hyphen, "\:" index entries and the like
    }
}

void RtfReader::TextByte(char byte)
{
    if (m_skipChars > 0) {
        --m_skipChars;
        return;
    }
    m_pendingStar = false;
    if (m_state.dest == Dest::Picture) {
        if (QChar::fromLatin1(byte).isLetterOrNumber()) {
            if (m_pictureHex.size() < 2 * m_limits.MaxPictureBytes)
                m_pictureHex.append(byte);
            else
                m_pictureTooLarge = true;
        }
        return;
    }
    if (m_state.dest == Dest::Skip || m_state.dest == Dest::Bullet)
        return;
    if (m_length >= m_limits.MaxTextLength)
        return;
    ++m_length;
    m_bytes.append(byte);
}

void RtfReader::TextCharacter(char32_t code)
{
    if (m_skipChars > 0) {
        --m_skipChars; // a fallback of "\uN" counts as one character
        return;
    }
    m_pendingStar = false;
    if (m_state.dest == Dest::Picture || m_state.dest == Dest::Skip || m_state.dest == Dest::Bullet)
        return;
    if (m_length >= m_limits.MaxTextLength)
        return;
    FlushBytes(); // bytes before it are in the code page
    ++m_length;
    m_text += QString::fromUcs4(&code, 1);
}

// --- text ----------------------------------------------------------------------

int RtfReader::CodePage() const
{
    const int font = m_state.font >= 0 ? m_state.font : m_defaultFont;
    const auto it = m_fonts.constFind(font);
    if (it != m_fonts.constEnd() && it->codePage > 0)
        return it->codePage;
    return m_docCodePage;
}

void RtfReader::FlushBytes()
{
    if (m_bytes.isEmpty())
        return;
    m_text += decodeBytes(m_bytes, CodePage());
    m_bytes.clear();
}

void RtfReader::AppendUnicode(int code)
{
    if (m_state.dest == Dest::Picture || m_state.dest == Dest::Skip || m_state.dest == Dest::Bullet)
        return;
    if (m_length >= m_limits.MaxTextLength)
        return;
    ++m_length;
    m_text += QChar(char16_t(code & 0xFFFF));
}

void RtfReader::FlushText()
{
    FlushBytes();
    if (m_text.isEmpty())
        return;
    QString text;
    std::swap(text, m_text);
    switch (m_state.dest) {
    case Dest::Text:
        InsertText(text);
        break;
    case Dest::FontTable:
        FontTableText(text);
        break;
    case Dest::ColorTable:
        ColorTableText(text);
        break;
    case Dest::ListText:
        m_listText += text;
        break;
    default:
        break;
    }
}

QTextCharFormat RtfReader::CharFormat() const
{
    const State &s = m_state;
    QTextCharFormat format;
    const int font = s.font >= 0 ? s.font : m_defaultFont;
    const auto it = m_fonts.constFind(font);
    if (it != m_fonts.constEnd() && !it->name.isEmpty())
        format.setFontFamilies(QStringList{it->name});
    format.setFontPointSize(s.halfPoints / 2.0);
    format.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(s.italic);
    format.setFontUnderline(s.underline);
    format.setFontStrikeOut(s.strike);
    if (s.fg > 0 && s.fg < m_colors.size() && m_colors[s.fg].isValid())
        format.setForeground(m_colors[s.fg]);
    if (s.bg > 0 && s.bg < m_colors.size() && m_colors[s.bg].isValid())
        format.setBackground(m_colors[s.bg]);
    if (s.vertical > 0)
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (s.vertical < 0)
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    return format;
}

void RtfReader::InsertText(const QString &text)
{
    QString clean;
    clean.reserve(text.size());
    for (QChar c : text)
        if (c == u'\t' || c.unicode() >= 0x20 || c == QChar::LineSeparator)
            clean += c;
    if (clean.isEmpty())
        return;
    EnterTableIfNeeded();
    EnsureBlock();
    m_cursor.insertText(clean, CharFormat());
    m_blockHasContent = true;
}

void RtfReader::InsertSpecial(QChar c)
{
    if (m_state.dest == Dest::ListText) {
        m_listText += c;
        return;
    }
    if (m_state.dest != Dest::Text)
        return;
    InsertText(QString(c));
}

// --- paragraphs ------------------------------------------------------------------

void RtfReader::EnsureBlock()
{
    if (!m_pendingBlock)
        return;
    m_cursor.insertBlock(QTextBlockFormat(), CharFormat());
    m_pendingBlock = false;
    m_blockHasContent = false;
}

void RtfReader::ApplyParagraph()
{
    const ParaState &p = m_state.para;
    QTextBlockFormat format;
    format.setAlignment(p.align);
    format.setLeftMargin(p.li / 15.0);
    format.setRightMargin(p.ri / 15.0);
    format.setTextIndent(p.fi / 15.0);
    format.setTopMargin(p.sb / 15.0);
    format.setBottomMargin(p.sa / 15.0);
    if (p.sl > 0 && p.slmult)
        format.setLineHeight(p.sl * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
    else if (p.sl > 0)
        format.setLineHeight(p.sl / 15.0, QTextBlockFormat::MinimumHeight);
    else if (p.sl < 0)
        format.setLineHeight(-p.sl / 15.0, QTextBlockFormat::FixedHeight);
    if (!p.tabs.isEmpty())
        format.setTabPositions(p.tabs);
    m_cursor.setBlockFormat(format);

    const int kind = m_table ? lkNone : p.list;
    if (kind == lkNone) {
        m_list = nullptr;
        return;
    }
    const QTextListFormat::Style style = kind == lkBullet ? QTextListFormat::ListDisc : QTextListFormat::ListDecimal;
    const QTextBlock block = m_cursor.block();
    if (m_list && m_list->format().style() == style && block.previous().isValid() &&
        block.previous().textList() == m_list) {
        m_list->add(block);
        return;
    }
    QTextListFormat listFormat;
    listFormat.setStyle(style);
    listFormat.setIndent(1);
    m_list = m_cursor.createList(listFormat);
}

void RtfReader::EndParagraph()
{
    if (m_state.dest != Dest::Text)
        return;
    if (!m_state.para.intbl)
        LeaveTable();
    else
        EnterTableIfNeeded();
    EnsureBlock();
    ApplyParagraph();
    m_pendingBlock = true;
    m_blockHasContent = false;
    m_listKind = lkNone;
}

// --- tables ----------------------------------------------------------------------

void RtfReader::EnterTableIfNeeded()
{
    if (!m_state.para.intbl) {
        LeaveTable();
        return;
    }
    const int columns = std::max<int>(1, int(m_cellx.size()));
    if (!m_table) {
        // The table follows the finished paragraph at the cursor; the frame
        // itself separates them.
        QTextTableFormat format;
        format.setCellPadding(2);
        format.setCellSpacing(0);
        format.setBorder(0);
        QList<QTextLength> widths;
        int previous = 0;
        for (int x : std::as_const(m_cellx)) {
            widths.append(QTextLength(QTextLength::FixedLength, std::max(1, x - previous) / 15.0));
            previous = x;
        }
        if (!widths.isEmpty())
            format.setColumnWidthConstraints(widths);
        m_list = nullptr;
        m_table = m_cursor.insertTable(1, columns, format);
        m_row = m_column = 0;
        m_rowDone = m_cellPending = false;
        m_pendingBlock = m_blockHasContent = false;
        return;
    }
    if (m_rowDone) {
        if (m_table->rows() >= m_limits.MaxTableRows)
            return; // further rows go on in the last one
        m_table->appendRows(1);
        ++m_row;
        m_column = 0;
        m_rowDone = false;
        m_cellPending = true;
    }
    if (m_cellPending) {
        const int wanted = std::min(std::max(columns, m_column + 1), 63);
        if (wanted > m_table->columns())
            m_table->appendColumns(wanted - m_table->columns());
        m_column = std::min(m_column, m_table->columns() - 1);
        m_cursor = m_table->cellAt(m_row, m_column).lastCursorPosition();
        m_cellPending = false;
        m_pendingBlock = m_blockHasContent = false;
    }
}

void RtfReader::EndCell()
{
    if (m_state.dest != Dest::Text)
        return;
    m_state.para.intbl = true;
    EnterTableIfNeeded();
    EnsureBlock();
    ApplyParagraph();
    ++m_column;
    m_cellPending = true;
}

void RtfReader::EndRow()
{
    if (m_table)
        m_rowDone = true;
}

void RtfReader::LeaveTable()
{
    if (!m_table)
        return;
    m_cursor = QTextCursor(&m_doc);
    m_cursor.setPosition(m_table->lastPosition() + 1);
    m_table = nullptr;
    m_pendingBlock = m_blockHasContent = false;
}

// --- header tables ---------------------------------------------------------------

void RtfReader::FontTableText(const QString &text)
{
    for (QChar c : text) {
        if (c != u';') {
            m_fontName += c;
            continue;
        }
        if (m_fontEntry >= 0)
            m_fonts[m_fontEntry].name = m_fontName.trimmed();
        m_fontName.clear();
        m_fontEntry = -1;
    }
}

void RtfReader::ColorTableText(const QString &text)
{
    for (QChar c : text) {
        if (c != u';')
            continue;
        if (m_colors.size() >= 1024)
            return;
        if (m_red < 0 && m_green < 0 && m_blue < 0)
            m_colors.append(QColor()); // the automatic colour
        else
            m_colors.append(QColor(std::max(0, m_red), std::max(0, m_green), std::max(0, m_blue)));
        m_red = m_green = m_blue = -1;
    }
}

// --- pictures --------------------------------------------------------------------

QImage RtfReader::Placeholder(QSize size) const
{
    size = size.boundedTo(QSize(2000, 2000)).expandedTo(QSize(16, 16));
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(224, 224, 224));
    QPainter painter(&image);
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    painter.drawLine(0, 0, size.width() - 1, size.height() - 1);
    painter.drawLine(0, size.height() - 1, size.width() - 1, 0);
    return image;
}

void RtfReader::InsertPicture()
{
    if (m_stack.isEmpty() || m_state.dest != Dest::Text)
        return;
    QByteArray data = m_pictureBin;
    if (data.isEmpty())
        data = QByteArray::fromHex(m_pictureHex);
    m_pictureHex.clear();
    m_pictureBin.clear();

    // Display size in 96-dpi pixels: the goal size in twips, scaled.
    double width = m_picwgoal > 0 ? m_picwgoal / 15.0 : 0;
    double height = m_pichgoal > 0 ? m_pichgoal / 15.0 : 0;

    QByteArray stored;
    QSize pixels;
    const bool known = m_pictureKind == PictureKind::Png || m_pictureKind == PictureKind::Jpeg;
    if (known && !m_pictureTooLarge && !data.isEmpty()) {
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, m_pictureKind == PictureKind::Png ? "png" : "jpeg");
        const QSize size = reader.size();
        if (size.isValid() && size.width() <= m_limits.MaxPictureSide && size.height() <= m_limits.MaxPictureSide &&
            reader.canRead()) {
            stored = data;
            pixels = size;
        }
    }
    if (width <= 0)
        width = pixels.isValid() ? pixels.width() : (m_picw > 0 ? m_picw : 32);
    if (height <= 0)
        height = pixels.isValid() ? pixels.height() : (m_pich > 0 ? m_pich : 32);
    width = std::clamp(width * std::clamp(m_scalex, 1, 1000) / 100.0, 1.0, 4000.0);
    height = std::clamp(height * std::clamp(m_scaley, 1, 1000) / 100.0, 1.0, 4000.0);
    if (stored.isEmpty()) {
        QBuffer buffer(&stored);
        buffer.open(QIODevice::WriteOnly);
        Placeholder(QSize(int(width), int(height))).save(&buffer, "PNG");
    }
    const QString name = QString::fromLatin1(vlRtfImagePrefix) + QString::number(++m_pictureCount);
    m_doc.addResource(QTextDocument::ImageResource, QUrl(name), stored);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(width);
    format.setHeight(height);
    EnterTableIfNeeded();
    EnsureBlock();
    m_cursor.insertImage(format);
    m_blockHasContent = true;
}

} // namespace

bool vlIsRtf(const QByteArray &bytes)
{
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\r' || bytes[i] == '\n' || bytes[i] == '\t'))
        ++i;
    return bytes.mid(i, 5) == "{\\rtf";
}

bool vlReadRtf(const QByteArray &rtf, QTextDocument &document, QString *error, const TvlRtfLimits &limits)
{
    if (!vlIsRtf(rtf)) {
        document.clear();
        document.setPlainText(Cp1250::decode(rtf.left(limits.MaxTextLength)));
        if (error)
            *error = QStringLiteral("Text není ve formátu RTF, načten jako prostý text.");
        return false;
    }
    RtfReader reader(rtf, document, limits);
    reader.Read();
    return true;
}

bool vlReadRtfText(const QString &text, QTextDocument &document, QString *error, const TvlRtfLimits &limits)
{
    const QByteArray bytes = text.toUtf8();
    if (!vlIsRtf(bytes)) {
        document.clear();
        document.setPlainText(text.left(limits.MaxTextLength));
        if (error)
            *error = QStringLiteral("Text není ve formátu RTF, načten jako prostý text.");
        return false;
    }
    RtfReader reader(bytes, document, limits, true);
    reader.Read();
    return true;
}
