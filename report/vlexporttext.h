#pragma once
// Plain text and CSV export. Text lines are gathered per page in slots by
// their height on the page (the line height the user gives), then written
// with blanks (text) or ";" (CSV) for their columns. Both files are UTF-8;
// the CSV file starts with a byte order mark so spreadsheets take it so.
#include "report/vlexportfilter.h"

#include <optional>

// Asks the user for the line height of an export ("Průměrná výška fontu:");
// nothing when cancelled. Tests replace it.
using TvlLineHeightQuestion = std::function<std::optional<int>()>;
void vlSetLineHeightQuestion(TvlLineHeightQuestion question);

class TvlTextExportFilter : public TvlExportFilter
{
public:
    QString Description() const override;
    QString FileMask() const override { return QStringLiteral("*.txt"); }
    std::unique_ptr<TvlExportFilter> Create() const override;

    void OnBeginPage() override;
    void OnEndPage() override;
    void OnText(int x, int y, const QString &text, TvlView *view) override;

    // Pixels per text line; values below 1 are refused (false).
    bool SetLineHeight(int height);
    int LineHeight() const { return m_lineHeight; }

protected:
    // The filter with the line height asked of the user; nullptr when cancelled.
    static std::unique_ptr<TvlExportFilter> AskLineHeight(std::unique_ptr<TvlTextExportFilter> filter);

    static QByteArray Encode(const QString &text) { return text.toUtf8(); }

private:
    int m_lineHeight = 16;
};

class TvlCSVExportFilter : public TvlTextExportFilter
{
public:
    QString Description() const override;
    QString FileMask() const override { return QStringLiteral("*.csv"); }
    std::unique_ptr<TvlExportFilter> Create() const override;

    void OnBeginDoc() override;
    void OnEndPage() override;

    // A field as written: quoted, with quotes doubled, when it holds ";", a
    // quote or a line break.
    static QString Field(const QString &text);
};
