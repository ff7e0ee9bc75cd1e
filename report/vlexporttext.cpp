#include "report/vlexporttext.h"

#include "report/vlmemoview.h"

#include <QInputDialog>

namespace {

// Line slots a page starts with; more are made as text comes further down.
constexpr int initialLines = 201;

std::optional<int> askLineHeight()
{
    bool ok = false;
    const int height = QInputDialog::getInt(nullptr, QStringLiteral("Vlastnosti filtru"),
                                            QStringLiteral("Průměrná výška fontu:"), 16, 1, 1000, 1, &ok);
    if (!ok)
        return std::nullopt;
    return height;
}

TvlLineHeightQuestion &lineHeightQuestion()
{
    static TvlLineHeightQuestion question = askLineHeight;
    return question;
}

int styleCode(TFontStyles styles)
{
    return (styles.testFlag(fsItalic) ? esItalic : 0) | (styles.testFlag(fsBold) ? esBold : 0) |
           (styles.testFlag(fsUnderline) ? esUnderline : 0);
}

} // namespace

void vlSetLineHeightQuestion(TvlLineHeightQuestion question)
{
    lineHeightQuestion() = question ? std::move(question) : TvlLineHeightQuestion(askLineHeight);
}

std::unique_ptr<TvlExportFilter> TvlTextExportFilter::AskLineHeight(std::unique_ptr<TvlTextExportFilter> filter)
{
    const std::optional<int> height = lineHeightQuestion()();
    if (!height || !filter->SetLineHeight(*height))
        return nullptr;
    return filter;
}

QString TvlTextExportFilter::Description() const
{
    return QStringLiteral("Textový soubor ASCII (*.txt)");
}

std::unique_ptr<TvlExportFilter> TvlTextExportFilter::Create() const
{
    return AskLineHeight(std::make_unique<TvlTextExportFilter>());
}

bool TvlTextExportFilter::SetLineHeight(int height)
{
    if (height < 1)
        return false;
    m_lineHeight = height;
    return true;
}

void TvlTextExportFilter::OnBeginPage()
{
    ResetLines(initialLines);
}

void TvlTextExportFilter::OnText(int x, int y, const QString &text, TvlView *view)
{
    if (!view)
        return;
    TvlExportItem item;
    item.X = x;
    item.Text = text;
    item.FillColor = view->FillColor;
    if (const auto *memo = dynamic_cast<const TvlMemoView *>(view)) {
        item.HasFont = true;
        item.FontName = memo->FontName;
        item.FontSize = memo->FontSize;
        item.FontStyle = styleCode(memo->FontStyle);
        item.FontColor = memo->FontColor;
        item.Charset = memo->FontCharset;
    }
    InsertItem(vlRound(double(y) / m_lineHeight), std::move(item));
}

void TvlTextExportFilter::OnEndPage()
{
    const int last = LastLine();
    for (int i = 0; i <= last; ++i) {
        QString line;
        for (const TvlExportItem &item : Lines()[size_t(i)]) {
            const int column = vlRound(item.X / 6.5);
            if (column > line.size())
                line += QString(column - line.size(), u' ');
            line += item.Text;
        }
        Write(Encode(line) + "\r\n");
    }
    WriteLatin1("\f\r\n");
}

QString TvlCSVExportFilter::Description() const
{
    return QStringLiteral("Textový soubor CSV (*.csv)");
}

std::unique_ptr<TvlExportFilter> TvlCSVExportFilter::Create() const
{
    return AskLineHeight(std::make_unique<TvlCSVExportFilter>());
}

void TvlCSVExportFilter::OnBeginDoc()
{
    WriteLatin1("\xEF\xBB\xBF");
}

QString TvlCSVExportFilter::Field(const QString &text)
{
    if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

void TvlCSVExportFilter::OnEndPage()
{
    const int last = LastLine();
    for (int i = 0; i <= last; ++i) {
        QString line;
        int previous = 0;
        for (const TvlExportItem &item : Lines()[size_t(i)]) {
            const int column = item.X / 64;
            if (column > previous)
                line += QString(column - previous, u';');
            line += Field(item.Text);
            previous = column;
        }
        Write(Encode(line) + "\r\n");
    }
}
