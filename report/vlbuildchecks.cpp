// Layouts that can never print as drawn: the build ends at once with the
// engine's error text naming the band, rather than leaving pages without rows.
#include "report/vlbuilder.h"
#include "report/vlsubreportview.h"

#include <functional>

void TvlReportBuilder::CheckSubReports()
{
    // Depth-first over "page shows page": a page met again on the way is a cycle.
    enum { unseen, onPath, done };
    std::vector<int> state(m_runs.size(), unseen);
    std::function<void(size_t)> visit = [&](size_t p) {
        state[p] = onPath;
        for (const auto &view : m_runs[p]->Objects) {
            const auto *sub = dynamic_cast<const TvlSubReportView *>(view.get());
            if (!sub || sub->PageIndex < 0 || size_t(sub->PageIndex) >= m_runs.size())
                continue;
            const size_t target = size_t(sub->PageIndex);
            if (state[target] == onPath) {
                const QString why =
                    target == p ? QStringLiteral("Strana %1 zobrazuje jako podsestavu sama sebe (objekt %2), "
                                                 "takže by se nevytiskla nikdy.")
                                      .arg(p + 1)
                                      .arg(sub->Name)
                                : QStringLiteral("Strany %1 a %2 se zobrazují navzájem jako podsestavy (objekt %3), "
                                                 "takže by se nevytiskla ani jedna.")
                                      .arg(target + 1)
                                      .arg(p + 1)
                                      .arg(sub->Name);
                StopAt(sub->OwnerBand ? sub->OwnerBand->Typ : -1, {why}, {});
            }
            if (state[target] == unseen)
                visit(target);
        }
        state[p] = done;
    };
    for (size_t p = 0; p < m_runs.size(); ++p)
        if (state[p] == unseen)
            visit(p);
}

void TvlReportBuilder::CheckPageRoom(TvlPageRun &run, int footerHeight)
{
    const TvlPage &page = *run.Page;
    const int top = page.TopOffset();
    const int bottom = page.BottomEdge(footerHeight);
    if (bottom <= top)
        StopAt(btPageFooter,
               {QStringLiteral("Patička stránky je vyšší (%1 bodů) než tisknutelná plocha stránky (%2 bodů), "
                               "takže by se na stránku nevešlo nic jiného.")
                    .arg(footerHeight)
                    .arg(page.BottomEdge(0) - top)},
               {});
    if (top + run.BandHeight(btPageHeader) >= bottom)
        StopAt(btPageHeader,
               {QStringLiteral("Záhlaví stránky (%1 bodů) a patička stránky (%2 bodů) zabírají celou tisknutelnou "
                               "plochu stránky (%3 bodů), takže by se žádný řádek nevytiskl.")
                    .arg(run.BandHeight(btPageHeader))
                    .arg(footerHeight)
                    .arg(page.BottomEdge(0) - top)},
               {});
}

namespace {

// "Master data „Band3“", or the display name alone for a band without an object.
QString bandTitle(const TvlBand &band)
{
    const QString name = band.Name();
    return name.isEmpty() ? vlBandName(band.Typ) : vlBandName(band.Typ) + QStringLiteral(" „") + name + u'“';
}

} // namespace

void TvlReportBuilder::CheckBandRoom(TvlPageRun &run, TvlBand &band, int y, int bottom)
{
    const TvlView *lost = nullptr;
    for (const TvlView *view : band.Objects)
        if (view->IsVisible() && view->Height > 0 && y + view->Top >= bottom && (!lost || view->Top < lost->Top))
            lost = view;
    if (!lost)
        return;
    if (run.FilledBy && run.FilledBy != &band)
        StopAt(run.FilledBy->Typ,
               {QStringLiteral("Pás %1 se nevytiskne: pás %2, který tiskne každá nová stránka nebo nový sloupec, "
                               "po roztažení sahá až k dolnímu okraji tisknutelné plochy, takže pod ním nezbývá místo.")
                    .arg(bandTitle(band), bandTitle(*run.FilledBy))},
               {});
    StopAt(band.Typ,
           {QStringLiteral("Pás %1 se nevejde ani na prázdnou stránku: jeho objekt %2 začíná %3 bodů pod horním "
                           "okrajem pásu, na stránce ale zbývá jen %4 bodů.")
                .arg(bandTitle(band), lost->Name)
                .arg(lost->Top)
                .arg(std::max(0, bottom - y))},
           {});
}

void TvlReportBuilder::StopTooTall(const TvlPageRun &run, const TvlBand &band, const TvlView *view, int needs, int room)
{
    QString why = view ? QStringLiteral("Pás %1 se nevytiskne celý: jeho objekt %2 potřebuje %3 bodů")
                             .arg(bandTitle(band), view->Name)
                             .arg(needs)
                       : QStringLiteral("Pás %1 se nevytiskne celý: potřebuje %2 bodů").arg(bandTitle(band)).arg(needs);
    // A band that every new page or column prints may have taken the room.
    if (run.FilledBy && run.FilledBy != &band && band.Typ != btPageFooter)
        why +=
            QStringLiteral(", pod pásem %1, který tiskne každá nová stránka nebo nový sloupec, ale zbývá jen %2 bodů.")
                .arg(bandTitle(*run.FilledBy))
                .arg(room);
    else
        why += QStringLiteral(", na stránce mu ale zbývá jen %1 bodů.").arg(room);
    StopAt(band.Typ, {why}, {});
}

void TvlReportBuilder::StopCrossWrap(const TvlBand &band)
{
    StopAt(band.Typ,
           {QStringLiteral("Křížové sloupce pásu %1 sahají za pravý okraj stránky. Pokračovaly by na další stránce, "
                           "ta ale tiskne tento pás znovu, takže by se sestava nikdy nedokončila.")
                .arg(bandTitle(band))},
           {});
}

void TvlReportBuilder::StopCrossWidth(const TvlBand &band, int width, int room)
{
    StopAt(band.Typ,
           {QStringLiteral("Křížový sloupec pásu %1 je široký %2 bodů, ve sloupci stránky mu ale zbývá jen %3 bodů, "
                           "takže by přesahoval jeho pravý okraj.")
                .arg(bandTitle(band))
                .arg(width)
                .arg(std::max(0, room))},
           {});
}

void TvlReportBuilder::CheckBand(TvlBand &band, const QString &source, bool found)
{
    if (!found)
        StopAt(band.Typ,
               {QStringLiteral("Pás %1 je napojen na datový zdroj „%2“, který neexistuje.")
                    .arg(bandTitle(band), source.trimmed())},
               {});
    const bool vertical = band.Typ >= btCrossHeader && band.Typ <= btCrossFooter;
    const int size = vertical ? band.Width : band.Height;
    if (size < 0)
        StopAt(band.Typ,
               {QStringLiteral("Pás %1 má zápornou %2 (%3 bodů).")
                    .arg(bandTitle(band), vertical ? QStringLiteral("šířku") : QStringLiteral("výšku"))
                    .arg(size)},
               {});
}
