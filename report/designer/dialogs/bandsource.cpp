#include "report/designer/dialogs/bandsource.h"

#include "report/components.h"
#include "report/dataset.h"
#include "report/vlbandview.h"
#include "report/vlpage.h"

namespace vlBandSource {

QString noneEntry()
{
    return vlNoDataSource();
}

QString virtualEntry()
{
    return QStringLiteral("Virtuální datová sada");
}

QStringList entries(const QStringList &dataSets)
{
    return QStringList{noneEntry(), virtualEntry()} + dataSets;
}

QStringList reportDataSets()
{
    QStringList list;
    vlGetComponents(vlCurrentReportOwner(), TvlDataset::staticMetaObject, list);
    return list;
}

bool isCount(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

Shown show(const QString &value, const QStringList &entries)
{
    if (isCount(value))
        return {virtualEntry(), value};
    return {entries.contains(value) ? value : noneEntry(), {}};
}

QString value(const QString &entry, const QString &count)
{
    if (entry != virtualEntry())
        return entry;
    const QString digits = count.trimmed();
    if (!isCount(digits))
        return noneEntry();
    qsizetype first = 0;
    while (first < digits.size() - 1 && digits.at(first) == u'0')
        ++first;
    return digits.mid(first);
}

} // namespace vlBandSource

TvlCrossSources TvlCrossSources::Read(const TvlPage &page, const QString &formatText)
{
    TvlCrossSources sources;
    const bool pairs = formatText.contains(u';');
    QList<QPair<QString, QString>> given;
    if (pairs)
        for (const QString &pair : formatText.split(u';', Qt::SkipEmptyParts)) {
            const qsizetype eq = pair.indexOf(u'=');
            if (eq > 0)
                given.append({pair.left(eq), pair.mid(eq + 1)});
        }
    for (const auto &object : page.Objects) {
        const auto *band = dynamic_cast<const TvlBandView *>(object.get());
        if (!band)
            continue;
        const int type = band->GetBandType();
        if (type < btMasterHeader || type == btOverlay || type >= btCrossHeader)
            continue;
        Band entry{vlBandName(type) + QStringLiteral(": ") + band->Name, band->Name, {}};
        if (!pairs)
            entry.value = formatText;
        else
            for (const auto &[name, value] : given)
                if (name.compare(band->Name, Qt::CaseInsensitive) == 0)
                    entry.value = value;
        sources.Bands.append(entry);
    }
    return sources;
}

QString TvlCrossSources::FormatText() const
{
    QString text;
    for (const Band &band : Bands)
        if (!band.value.isEmpty())
            text += band.name + u'=' + band.value + u';';
    return text;
}
