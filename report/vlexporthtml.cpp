#include "report/vlexporthtml.h"

#include "report/vlcanvas.h"

QString TvlHTMExportFilter::Description() const
{
    return QStringLiteral("Webová stránka soubor HTM/HTML (*.htm)");
}

std::unique_ptr<TvlExportFilter> TvlHTMExportFilter::Create() const
{
    return AskLineHeight(std::make_unique<TvlHTMExportFilter>());
}

void TvlHTMExportFilter::Begin(QIODevice &target)
{
    TvlTextExportFilter::Begin(target);
    WriteLatin1("<HTML>\r\n"
                "<Head><Meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\"></Head>\r\n"
                "<Body bgColor=\"#FFFFFF\">\r\n"
                "<Table>\r\n");
}

void TvlHTMExportFilter::Finish()
{
    WriteLatin1("</Table>\r\n</Body>\r\n</HTML>\r\n");
}

int TvlHTMExportFilter::HtmlSize(int points)
{
    if (points <= 7)
        return 1;
    if (points <= 9)
        return 2;
    if (points <= 13)
        return 0;
    if (points <= 17)
        return 4;
    if (points <= 23)
        return 5;
    if (points <= 35)
        return 6;
    return 7;
}

QString TvlHTMExportFilter::Escape(const QString &text)
{
    return text.toHtmlEscaped();
}

QString TvlHTMExportFilter::Cell(const TvlExportItem &item)
{
    QString open;
    QString close;
    if (item.HasFont) {
        const qint32 colour = item.FontColor;
        const bool stateColour = colour != 0 && colour != vlclWhite && colour != vlclNone;
        const int size = HtmlSize(item.FontSize);
        if (stateColour || size) {
            open += QStringLiteral("<Font");
            if (stateColour) {
                const QString hex = QStringLiteral("%1%2%3")
                                        .arg(colour & 0xFF, 2, 16, QChar(u'0'))
                                        .arg((colour >> 8) & 0xFF, 2, 16, QChar(u'0'))
                                        .arg((colour >> 16) & 0xFF, 2, 16, QChar(u'0'));
                open += QStringLiteral(" Color=\"#%1\"").arg(hex.toUpper());
            }
            if (size)
                open += QStringLiteral(" Size=%1").arg(size);
            open += u'>';
            close = QStringLiteral("</Font>");
        }
        const struct
        {
            int bit;
            const char *tag;
        } styles[] = {{esItalic, "i"}, {esBold, "b"}, {esUnderline, "u"}};
        for (const auto &style : styles)
            if (item.FontStyle & style.bit) {
                open += QStringLiteral("<%1>").arg(QLatin1String(style.tag));
                close.prepend(QStringLiteral("</%1>").arg(QLatin1String(style.tag)));
            }
    }
    return QStringLiteral("<td>") + open + Escape(item.Text) + close + QStringLiteral("</td>");
}

void TvlHTMExportFilter::OnEndPage()
{
    const int last = LastLine();
    for (int i = 0; i <= last; ++i) {
        QString row = QStringLiteral("<tr>");
        for (const TvlExportItem &item : Lines()[size_t(i)])
            row += Cell(item);
        row += QStringLiteral("</tr>");
        Write(Encode(row) + "\r\n");
    }
}
