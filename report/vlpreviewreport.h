#pragma once
// What the preview needs of the report it shows: its prepared pages, lent to
// the preview while it is open, and the operations that use them.
#include "report/vlpreparedpages.h"

#include <memory>

enum TvlPreviewButton { pbZoom = 1, pbLoad = 2, pbSave = 4, pbPrint = 8, pbFind = 16, pbHelp = 32, pbExit = 64 };
constexpr int vlAllPreviewButtons = 127;
enum TvlInitialZoom { pzDefault = 0, pzPageWidth = 1, pzOnePage = 2, pzTwoPages = 3 };

class TvlPreviewReport
{
public:
    virtual ~TvlPreviewReport() = default;

    // The report's prepared pages; it keeps an empty list until they are given back.
    virtual std::unique_ptr<TvlEMFPages> TakePreparedPages() = 0;
    virtual void ReturnPreparedPages(std::unique_ptr<TvlEMFPages> pages) = 0;

    virtual int PreviewButtons() const { return vlAllPreviewButtons; }
    virtual TvlInitialZoom InitialZoom() const { return pzDefault; }
    virtual bool GrayedButtons() const { return false; }
    virtual bool ModalPreview() const { return true; }
    virtual bool ModifyPrepared() const { return false; }
    virtual bool Designing() const { return false; }
    // A designer is registered: pages may be edited, added and deleted.
    virtual bool HasDesigner() const { return false; }
    virtual QString Title() const { return {}; }

    // The report has a design, so it can be prepared again.
    virtual bool CanRebuild() const { return false; }
    // Prepares the report again (after a printer change); false when that failed.
    virtual bool Rebuild() { return false; }
    // Prints the listed pages ("1,3,5-7", empty: all) of the report's own pages.
    virtual bool PrintPages(const QString &pages, int copies);
    // Exports the report's own pages through a filter to a file.
    virtual bool ExportTo(const class TvlExportFilter &filter, const QString &fileName);
    // Opens page index of the report's own pages in the page editor.
    virtual void EditPage(int index) { (void)index; }
    // The design page new pages take their paper from; nullptr without one.
    virtual const TvlPage *DesignPage(int index) const
    {
        (void)index;
        return nullptr;
    }

protected:
    // The pages the report holds while nothing previews it.
    virtual TvlEMFPages *OwnPages() = 0;
};
