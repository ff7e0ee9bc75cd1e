#pragma once
// Printing prepared pages on the engine's printer, and the long operations
// of the preview (printing, exporting) inside the progress window.
#include <QList>
#include <QString>
#include <functional>

class TvlEMFPages;
class TvlExportFilter;

// The pages of a page list ("1,3,5-7"; empty: all) as indexes from 0, in
// the order given; pages beyond count are left out. ok is false for text
// that is no page list.
QList<int> vlSelectPages(const QString &text, int count, bool *ok = nullptr);

// Prints the pages (indexes) with that many copies on the engine's printer;
// false with the reason when the printer refused. After each page step is
// told its number; when it answers false the job is withdrawn (false, no reason).
bool vlPrintPreparedPages(TvlEMFPages &pages, const QList<int> &indexes, int copies, QString *error = nullptr,
                          const std::function<bool(int page)> &step = {});
// The same inside the engine's progress window, whose "Storno" withdraws the job.
bool vlPrintWithProgress(TvlEMFPages &pages, const QList<int> &indexes, int copies, const QString &title,
                         QString *error = nullptr);

// The caption of the progress window: what runs ("Připravuji sestavu", "Tisk"),
// and " - " and the title when there is one.
QString vlProgressCaption(const QString &title, const QString &what = QStringLiteral("Připravuji sestavu"));

// Exports inside the progress window; a failure is shown to the user. True when the file was written.
bool vlExportWithProgress(TvlEMFPages &pages, const TvlExportFilter &filter, const QString &fileName,
                          const QString &title);
