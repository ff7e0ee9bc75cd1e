#pragma once
// The preview: a report's prepared pages on screen, scaled, one or more per
// row, with paging, zoom modes, text search, prepared-report files, printing,
// export and, with a designer, editing, adding and deleting pages. The
// window of its own (TvlPreviewForm) and the panel a form embeds
// (TvlPreview) share this one implementation.
#include "report/vlpreviewlayout.h"
#include "report/vlpreviewreport.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QMenu;
class QAction;
class QScrollBar;
class TvlTBButton;
class TvlTBSeparator;
class TvlSpeedButton;
class TvlPreviewForm;

// The grey box the pages are painted in.
class TvlPBox : public QWidget
{
    Q_OBJECT
public:
    explicit TvlPBox(TvlPreviewForm *form, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    TvlPreviewForm *m_form;
    bool m_dragging = false;
    QPoint m_last;
};

class TvlPreviewForm : public QDialog
{
    Q_OBJECT
public:
    explicit TvlPreviewForm(QWidget *parent = nullptr);
    ~TvlPreviewForm() override;

    // Takes the report's prepared pages for the time of the preview and
    // shows page 1; Disconnect gives them back.
    void Connect(TvlPreviewReport *report);
    // The same for a report the preview keeps as long as it shows it.
    void Connect(std::unique_ptr<TvlPreviewReport> report);
    void Disconnect();
    // Shows a report as a window of its own: the report's buttons, zoom and
    // modality apply; a modeless window frees itself when closed.
    static void ShowReport(std::unique_ptr<TvlPreviewReport> report, QWidget *parent = nullptr);

    TvlEMFPages *Pages() const { return m_pages.get(); }
    int Page() const { return m_page; }
    void SetPage(int page); // 1..AllPages(); anything else is ignored
    int AllPages() const;
    double ZoomFactor() const { return m_zoom; }
    TvlZoomMode ZoomMode() const { return m_mode; }
    int Zoom() const;
    void SetZoom(int percent);
    void SetMode(TvlZoomMode mode);
    void First() { SetPage(1); }
    void Next() { SetPage(m_page + 1); }
    void Prev() { SetPage(m_page - 1); }
    void Last() { SetPage(AllPages()); }

    // Search over the text the pages draw; true when found.
    bool Find(const QString &text, bool caseSensitive, bool fromFirstPage);
    bool FindNext();
    QPoint FoundPosition() const { return m_foundPosition; } // page units

    void EditPage();
    void DeletePage(); // only while there are at least 2
    void AddPage();    // before the current page
    bool ExportTo(int filterIndex, const QString &fileName);
    bool SaveToFile(const QString &fileName); // the extension becomes ".vlp"
    bool LoadFromFile(const QString &fileName);
    bool PrintPages(const QString &pages, int copies);
    bool Print(int copies) { return PrintPages({}, copies); }
    // After the printer changed: pages opened from a file are laid out for
    // it; otherwise the report is prepared again when it can be.
    bool ChangePrinter(int oldIndex, int newIndex);

    // The remembered zoom of the run.
    static void ResetRememberedZoom();

    // Widgets, by their component names.
    QWidget *Panel1;
    TvlTBButton *ZoomBtn, *LoadBtn, *SaveBtn, *PrintBtn, *FindBtn, *HelpBtn, *ExitBtn;
    TvlTBSeparator *ZoomSep;
    QWidget *PreviewPanel;
    QWidget *ScrollBox1;
    TvlPBox *PBox;
    QWidget *RPanel;
    TvlSpeedButton *PgUp, *PgDown;
    QScrollBar *VScrollBar;
    QWidget *BPanel;
    QLabel *Label1;
    QScrollBar *HScrollBar;
    QMenu *ProcMenu;
    QAction *N2001, *N1501, *N1001, *N751, *N501, *N251, *N101, *N1, *N2, *N3, *N4, *N5, *N6, *N7;

    // The box's layout: done on every resize, zoom change and page change.
    void FormResize();
    // Handles a key of the table; false for keys the preview leaves alone.
    bool HandleKey(int key, Qt::KeyboardModifiers modifiers);
    // The wheel moves the vertical bar by its small step times this.
    int WheelMultiplier = 1;
    // The pop-up menu the right button shows instead of ProcMenu (the embedding form's).
    QPointer<QMenu> ForeignMenu;

    void ZoomBtnClick();
    void LoadBtnClick();
    void SaveBtnClick();
    void PrintBtnClick();
    void FindBtnClick();
    void ExitBtnClick();
    void DeletePageAsking();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class TvlPBox;
    void PaintBox(QPainter &painter, const QRect &area);
    void ScrollTo(int x, int y);
    void VScrollChanged(int value);
    void HScrollChanged(int value);
    void UpdateLabel();
    void ShowPageTop();
    void ZoomItemClick(QAction *item);
    void CheckZoomItem();
    void Reconnect(const std::function<void()> &withOwnPages);
    bool SearchFrom(int page, int record);
    bool Editable() const;
    void ApplyButtons();

    TvlPreviewReport *m_report = nullptr;
    std::unique_ptr<TvlPreviewReport> m_ownedReport;
    std::unique_ptr<TvlEMFPages> m_pages;
    int m_page = 1;
    int m_offsetX = 0;
    int m_offsetY = 0;
    double m_zoom = 1.0;
    TvlZoomMode m_mode = zmPercent;
    bool m_painting = true;
    QString m_searchText;
    bool m_caseSensitive = false;
    bool m_found = false;
    QPoint m_foundPosition;
    int m_searchPage = 0;
    int m_searchRecord = 0;
    bool m_opened = false; // the pages come from a prepared-report file
};

// The preview panel a form embeds: it lends itself the content of a hidden
// preview window and is driven through the operations below.
class TvlPreview : public QWidget
{
    Q_OBJECT
public:
    explicit TvlPreview(QWidget *parent = nullptr);
    ~TvlPreview() override;

    // Both bars (default), none, or only one of them.
    Qt::ScrollBarPolicy HorizontalBar = Qt::ScrollBarAsNeeded;
    Qt::ScrollBarPolicy VerticalBar = Qt::ScrollBarAsNeeded;
    void SetScrollBars(bool horizontal, bool vertical);

    void Connect(TvlPreviewReport *report);
    void Connect(std::unique_ptr<TvlPreviewReport> report);
    TvlPreviewForm *Form() const { return m_form; }

    int Page() const { return m_form->Page(); }
    void SetPage(int page) { m_form->SetPage(page); }
    int AllPages() const { return m_form->AllPages(); }
    int Zoom() const { return m_form->Zoom(); }
    void SetZoom(int percent) { m_form->SetZoom(percent); }
    void OnePage() { m_form->SetMode(zmWholePage); }
    void TwoPages() { m_form->SetMode(zmTwoPages); }
    void PageWidth() { m_form->SetMode(zmPageWidth); }
    void First() { m_form->First(); }
    void Next() { m_form->Next(); }
    void Prev() { m_form->Prev(); }
    void Last() { m_form->Last(); }
    bool Find(const QString &text, bool caseSensitive, bool fromFirstPage)
    {
        return m_form->Find(text, caseSensitive, fromFirstPage);
    }
    bool FindNext() { return m_form->FindNext(); }
    void EditPage() { m_form->EditPage(); }
    void DeletePage() { m_form->DeletePage(); }
    void AddPage() { m_form->AddPage(); }
    bool ExportTo(int filterIndex, const QString &fileName) { return m_form->ExportTo(filterIndex, fileName); }
    bool SaveToFile(const QString &fileName) { return m_form->SaveToFile(fileName); }
    bool LoadFromFile(const QString &fileName) { return m_form->LoadFromFile(fileName); }
    bool ChangePrinter(int oldIndex, int newIndex) { return m_form->ChangePrinter(oldIndex, newIndex); }
    bool Print(int copies) { return m_form->Print(copies); }
    bool PrintPages(const QString &pages, int copies) { return m_form->PrintPages(pages, copies); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Takes the hidden window's content into the panel.
    void Attach();

    TvlPreviewForm *m_form;
};
