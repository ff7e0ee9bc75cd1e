#pragma once
// The data source of a band as its FormatText holds it, and as the band
// dialogs show it: a data set name, a record count for a virtual data set,
// or "[Žádný]". A cross band holds either one source for every band it spans
// or a list "Band=source;" of its own.
#include <QList>
#include <QString>
#include <QStringList>

class TvlPage;

namespace vlBandSource {

QString noneEntry();    // "[Žádný]"
QString virtualEntry(); // "Virtuální datová sada"

// The source combo's entries: none, the virtual data set, the data sets.
QStringList entries(const QStringList &dataSets);
// Data set names of the current report's owner as the combos list them.
QStringList reportDataSets();

// A record count: digits only ("0" and "025" too, which the dialog shows as
// typed counts instead of losing them).
bool isCount(const QString &text);

// What the controls show for a source: the chosen entry and the count text.
struct Shown
{
    QString entry;
    QString count;
};
Shown show(const QString &value, const QStringList &entries);
// The source the controls give: the count for the virtual data set (without
// leading zeros, as the engine reads counts), else the entry itself.
QString value(const QString &entry, const QString &count);

} // namespace vlBandSource

// The sources of the bands a cross band spans.
class TvlCrossSources
{
public:
    struct Band
    {
        QString caption; // band type name, ": " and the band's name
        QString name;
        QString value; // empty: not given
    };

    // The page's bands a cross band can span, with their sources read from the text.
    static TvlCrossSources Read(const TvlPage &page, const QString &formatText);
    // The pair list of every band with a source, in list order.
    QString FormatText() const;

    QList<Band> Bands;
};
