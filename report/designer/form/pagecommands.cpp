#include "report/designer/form/pagecommands.h"

#include "report/vlreportlayout.h"
#include "report/vlsubreportview.h"

namespace {

TvlSubReportView *subReport(TvlView *view)
{
    return view->ObjectType == otSubReport ? static_cast<TvlSubReportView *>(view) : nullptr;
}

} // namespace

QStringList vlPageTabTexts(const TvlReportLayout &report)
{
    QStringList texts;
    for (int i = 0; i < report.Pages.Count(); ++i)
        texts << QStringLiteral("Strana") + QString::number(i + 1);
    for (int p = 0; p < report.Pages.Count(); ++p)
        for (const auto &view : report.Pages[p]->Objects)
            if (TvlSubReportView *sub = subReport(view.get()))
                if (sub->PageIndex >= 0 && sub->PageIndex < texts.size())
                    texts[sub->PageIndex] = sub->Name;
    return texts;
}

bool vlDeletePage(TvlReportLayout &report, int index)
{
    if (index < 0 || index >= report.Pages.Count())
        return false;
    if (report.Pages.Count() == 1) {
        report.Pages[0]->Clear();
        return true;
    }
    report.Pages.Delete(index);
    for (int p = 0; p < report.Pages.Count(); ++p) {
        TvlPage *page = report.Pages[p];
        for (int i = page->Count() - 1; i >= 0; --i)
            if (TvlSubReportView *sub = subReport(page->Object(i))) {
                if (sub->PageIndex == index)
                    page->Delete(i);
                else if (sub->PageIndex > index)
                    --sub->PageIndex;
            }
    }
    return true;
}
