#pragma once
// HTML export: one table row per text line, one cell per text piece, with
// the piece's colour, size and style. The file is UTF-8 and says so.
#include "report/vlexporttext.h"

class TvlHTMExportFilter : public TvlTextExportFilter
{
public:
    QString Description() const override;
    QString FileMask() const override { return QStringLiteral("*.htm"); }
    std::unique_ptr<TvlExportFilter> Create() const override;

    void Begin(QIODevice &target) override;
    void OnEndPage() override;
    void Finish() override;

    // The HTML font size of a point size; 0 for 10 to 13 points (the default size).
    static int HtmlSize(int points);
    // "<" ">" "&" and quotes as entities.
    static QString Escape(const QString &text);
    // The cell of an item: "<td>", font tag, style tags, text, closing tags, "</td>".
    static QString Cell(const TvlExportItem &item);
};
