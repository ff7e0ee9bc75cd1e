#pragma once
// What the preview needs of the report it shows: its prepared pages, lent to
// the preview while it is open, and the operations that use them.
#include "report/vlpreparedpages.h"

#include <memory>

class TvlPreviewReport
{
public:
    virtual ~TvlPreviewReport() = default;

    // The report's prepared pages; it keeps an empty list until they are given back.
    virtual std::unique_ptr<TvlEMFPages> TakePreparedPages() = 0;
    virtual void ReturnPreparedPages(std::unique_ptr<TvlEMFPages> pages) = 0;

    // The buttons shown: 1 zoom, 2 load, 4 save, 8 print, 16 find, 32 help, 64 exit.
    virtual int PreviewButtons() const { return 127; }
    // 0 the zoom chosen last, 1 page width, 2 whole page, 3 two pages.
    virtual int InitialZoom() const { return 0; }
    virtual bool GrayedButtons() const { return false; }
    virtual bool ModalPreview() const { return true; }
    virtual bool ModifyPrepared() const { return false; }
    virtual bool Designing() const { return false; }
    // A designer is registered: pages may be edited, added and deleted.
    virtual bool HasDesigner() const { return false; }
    virtual QString Title() const { return {}; }

    // The report has a design, so it can be prepared again.
    virtual bool CanRebuild() const { return false; }
    // The printer changed from oldIndex to newIndex of the engine's printer:
    // the report takes its papers to it and is prepared again; false when
    // either failed.
    virtual bool ChangePrinter(int oldIndex, int newIndex)
    {
        (void)oldIndex, (void)newIndex;
        return false;
    }
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
