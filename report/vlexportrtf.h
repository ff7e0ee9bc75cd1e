#pragma once
// RTF export: text lines as tabbed paragraphs with their fonts, sizes, styles
// and colours, pictures as absolutely placed frames holding a metafile with
// the bitmap. The page bodies go to a private temporary file first, as the
// font and colour tables that come before them are known only at the end.
// Text is in code page 1250 ("\'hh"), other characters as "\uN?".
#include "report/vlexporttext.h"

#include <QImage>
#include <QList>
#include <QStringList>

class TvlRTFExportFilter : public TvlTextExportFilter
{
public:
    TvlRTFExportFilter();
    ~TvlRTFExportFilter() override;

    QString Description() const override;
    QString FileMask() const override { return QStringLiteral("*.rtf"); }
    std::unique_ptr<TvlExportFilter> Create() const override;

    void Begin(QIODevice &target) override;
    void OnData(int x, int y, TvlView &view) override;
    void OnEndPage() override;
    void Finish() override;

    // Text with "\", "{" and "}" escaped and characters beyond ASCII encoded.
    static QByteArray Escape(const QString &text);
    // The metafile (without its closing record) that shows the image.
    static QByteArray Metafile(const QImage &image);

private:
    struct Picture
    {
        int x = 0, y = 0, width = 0, height = 0;
        QImage image;
    };
    void WriteBody(const QByteArray &bytes);
    void WritePicture(const Picture &picture);
    void WriteLine(const Line &line);
    int FontIndex(const QString &name);
    int ColourIndex(qint32 colour);
    // The tables, in lines of up to 255 characters.
    QByteArray Tables() const;

    QStringList m_fonts;
    QList<qint32> m_colours;
    QList<Picture> m_pictures;
    std::unique_ptr<QIODevice> m_body;
    bool m_pageWritten = false;
};
