#include "report/vlpreviewform.h"

#include "platform/messages.h"
#include "report/vlexportfilter.h"
#include "report/vlglyphs.h"
#include "report/vlprintform.h"
#include "report/vlprintpages.h"
#include "report/vlregistry.h"
#include "report/vlsearchform.h"
#include "report/vltoolbuttons.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// The zoom chosen last, for every preview of the run.
struct RememberedZoom
{
    double zoom = 1.0;
    TvlZoomMode mode = zmPercent;
};

RememberedZoom &remembered()
{
    static RememberedZoom zoom;
    return zoom;
}

constexpr int gap = 10;

// The report's PreviewButtons bits.
enum Buttons {
    zoomButton = 1,
    loadButton = 2,
    saveButton = 4,
    printButton = 8,
    findButton = 16,
    helpButton = 32,
    exitButton = 64
};

} // namespace

// --- the page box ------------------------------------------------------------

TvlPBox::TvlPBox(TvlPreviewForm *form, QWidget *parent)
    : QWidget(parent)
    , m_form(form)
{
    setObjectName("PBox");
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(40, 40);
}

void TvlPBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    m_form->PaintBox(painter, event->rect());
}

void TvlPBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_last = event->position().toPoint();
    } else if (event->button() == Qt::RightButton) {
        const bool editing = m_form->Editable();
        for (QAction *item : {m_form->N4, m_form->N5, m_form->N6, m_form->N7})
            item->setVisible(editing);
        QMenu *menu = m_form->ForeignMenu ? m_form->ForeignMenu.data() : m_form->ProcMenu;
        menu->popup(event->globalPosition().toPoint());
    }
}

void TvlPBox::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    const QPoint now = event->position().toPoint();
    const QPoint moved = now - m_last;
    m_last = now;
    m_form->HScrollBar->setValue(m_form->HScrollBar->value() - moved.x());
    m_form->VScrollBar->setValue(m_form->VScrollBar->value() - moved.y());
}

void TvlPBox::mouseReleaseEvent(QMouseEvent *)
{
    m_dragging = false;
}

void TvlPBox::wheelEvent(QWheelEvent *event)
{
    const int steps = event->angleDelta().y() / 120;
    m_form->VScrollBar->setValue(m_form->VScrollBar->value() -
                                 steps * m_form->VScrollBar->singleStep() * m_form->WheelMultiplier);
    event->accept();
}

void TvlPBox::resizeEvent(QResizeEvent *)
{
    m_form->FormResize();
}

// --- the window ---------------------------------------------------------------

TvlPreviewForm::TvlPreviewForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName("TvlPreviewForm");
    setWindowTitle("Náhled");
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    resize(800, 600);

    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    auto *bar = new QHBoxLayout(Panel1);
    bar->setContentsMargins(2, 2, 2, 2);
    bar->setSpacing(0);
    const auto button = [&](TvlTBButton *&b, const char *name, const QString &hint, const QImage &glyph) {
        b = new TvlTBButton(Panel1);
        b->setObjectName(name);
        b->setToolTip(hint);
        b->SetGlyph(glyph);
        b->setFixedSize(25, 25);
        b->setCursor(Qt::PointingHandCursor);
        bar->addWidget(b);
    };
    const auto separator = [&] {
        auto *s = new TvlTBSeparator(Panel1);
        s->setFixedSize(8, 25);
        bar->addWidget(s);
        return s;
    };
    button(ZoomBtn, "ZoomBtn", "Měřítko", {});
    ZoomBtn->setFixedSize(50, 25);
    ZoomSep = separator();
    button(LoadBtn, "LoadBtn", "Otevřít", vlGlyph(TvlGlyph::Open));
    button(SaveBtn, "SaveBtn", "Uložit", vlGlyph(TvlGlyph::Save));
    button(PrintBtn, "PrintBtn", "Tisk", vlGlyph(TvlGlyph::Print));
    button(FindBtn, "FindBtn", "Hledat text", vlGlyph(TvlGlyph::Find));
    separator();
    button(HelpBtn, "HelpBtn", "Nápověda", vlGlyph(TvlGlyph::Help));
    button(ExitBtn, "ExitBtn", "Zavřít náhled", vlGlyph(TvlGlyph::Exit));
    bar->addStretch();

    PreviewPanel = new QWidget(this);
    PreviewPanel->setObjectName("PreviewPanel");
    ScrollBox1 = new QWidget(PreviewPanel);
    ScrollBox1->setObjectName("ScrollBox1");
    PBox = new TvlPBox(this, ScrollBox1);
    RPanel = new QWidget(ScrollBox1);
    RPanel->setObjectName("RPanel");
    VScrollBar = new QScrollBar(Qt::Vertical, RPanel);
    VScrollBar->setObjectName("VScrollBar");
    PgUp = new TvlSpeedButton(RPanel);
    PgUp->setObjectName("PgUp");
    PgUp->SetGlyph(vlGlyph(TvlGlyph::Up));
    PgUp->setFixedSize(16, 16);
    PgDown = new TvlSpeedButton(RPanel);
    PgDown->setObjectName("PgDown");
    PgDown->SetGlyph(vlGlyph(TvlGlyph::Down));
    PgDown->setFixedSize(16, 16);
    auto *right = new QVBoxLayout(RPanel);
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(0);
    right->addWidget(VScrollBar, 1);
    right->addWidget(PgUp);
    right->addWidget(PgDown);
    RPanel->setFixedWidth(16);
    auto *box = new QHBoxLayout(ScrollBox1);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(PBox, 1);
    box->addWidget(RPanel);
    BPanel = new QWidget(PreviewPanel);
    BPanel->setObjectName("BPanel");
    Label1 = new QLabel(BPanel);
    Label1->setObjectName("Label1");
    Label1->setMinimumWidth(110);
    HScrollBar = new QScrollBar(Qt::Horizontal, BPanel);
    HScrollBar->setObjectName("HScrollBar");
    auto *bottom = new QHBoxLayout(BPanel);
    bottom->setContentsMargins(4, 0, 0, 0);
    bottom->addWidget(Label1);
    bottom->addWidget(HScrollBar, 1);
    auto *preview = new QVBoxLayout(PreviewPanel);
    preview->setContentsMargins(0, 0, 0, 0);
    preview->setSpacing(0);
    preview->addWidget(ScrollBox1, 1);
    preview->addWidget(BPanel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addWidget(PreviewPanel, 1);

    ProcMenu = new QMenu(this);
    ProcMenu->setObjectName("ProcMenu");
    auto *zoomGroup = new QActionGroup(ProcMenu);
    const auto item = [&](const char *name, const QString &text, int tag) {
        QAction *a = ProcMenu->addAction(text);
        a->setObjectName(name);
        a->setData(tag);
        if (tag > 0) {
            a->setCheckable(true);
            zoomGroup->addAction(a);
        }
        return a;
    };
    N2001 = item("N2001", "200%", 200);
    N1501 = item("N1501", "150%", 150);
    N1001 = item("N1001", "100%", 100);
    N751 = item("N751", "75%", 75);
    N501 = item("N501", "50%", 50);
    N251 = item("N251", "25%", 25);
    N101 = item("N101", "10%", 10);
    N1 = item("N1", "Při&způsobit šířce okna", 1);
    N2 = item("N2", "Přizpůsobit &oknu", 2);
    N3 = item("N3", "&Dvě strany", 3);
    N1001->setChecked(true);
    N4 = ProcMenu->addSeparator();
    N4->setObjectName("N4");
    N5 = item("N5", "Editovat stranu", 0);
    N6 = item("N6", "Přidat stranu", 0);
    N7 = item("N7", "Odebrat stranu", 0);
    connect(zoomGroup, &QActionGroup::triggered, this, [this](QAction *a) { ZoomItemClick(a); });
    connect(N5, &QAction::triggered, this, [this] { EditPage(); });
    connect(N6, &QAction::triggered, this, [this] { AddPage(); });
    connect(N7, &QAction::triggered, this, [this] { DeletePageAsking(); });

    connect(ZoomBtn, &TvlSpeedButton::OnClick, this, [this] { ZoomBtnClick(); });
    connect(LoadBtn, &TvlSpeedButton::OnClick, this, [this] { LoadBtnClick(); });
    connect(SaveBtn, &TvlSpeedButton::OnClick, this, [this] { SaveBtnClick(); });
    connect(PrintBtn, &TvlSpeedButton::OnClick, this, [this] { PrintBtnClick(); });
    connect(FindBtn, &TvlSpeedButton::OnClick, this, [this] { FindBtnClick(); });
    connect(ExitBtn, &TvlSpeedButton::OnClick, this, [this] { ExitBtnClick(); });
    connect(PgUp, &TvlSpeedButton::OnClick, this, [this] { Prev(); });
    connect(PgDown, &TvlSpeedButton::OnClick, this, [this] { Next(); });
    connect(VScrollBar, &QScrollBar::valueChanged, this, [this](int v) { VScrollChanged(v); });
    connect(HScrollBar, &QScrollBar::valueChanged, this, [this](int v) { HScrollChanged(v); });
    for (QWidget *w :
         {static_cast<QWidget *>(PBox), static_cast<QWidget *>(VScrollBar), static_cast<QWidget *>(HScrollBar)})
        w->installEventFilter(this);

    m_zoom = remembered().zoom;
    m_mode = remembered().mode;
    UpdateLabel();
}

TvlPreviewForm::~TvlPreviewForm()
{
    Disconnect();
}

void TvlPreviewForm::ResetRememberedZoom()
{
    remembered() = {};
}

void TvlPreviewForm::Connect(TvlPreviewReport *report)
{
    Disconnect();
    m_report = report;
    m_opened = false;
    if (report)
        m_pages = report->TakePreparedPages();
    m_zoom = remembered().zoom;
    m_mode = remembered().mode;
    CheckZoomItem();
    m_page = 1;
    m_searchPage = 0;
    m_searchRecord = 0;
    FormResize();
    ShowPageTop();
}

void TvlPreviewForm::Connect(std::unique_ptr<TvlPreviewReport> report)
{
    Disconnect();
    m_ownedReport = std::move(report);
    Connect(m_ownedReport.get());
}

void TvlPreviewForm::Disconnect()
{
    if (m_report && m_pages)
        m_report->ReturnPreparedPages(std::move(m_pages));
    m_pages.reset();
    m_report = nullptr;
}

void TvlPreviewForm::Reconnect(const std::function<void()> &withOwnPages)
{
    TvlPreviewReport *report = m_report;
    const int page = m_page;
    if (report) {
        report->ReturnPreparedPages(std::move(m_pages));
        withOwnPages();
        m_pages = report->TakePreparedPages();
    } else
        withOwnPages();
    m_page = qBound(1, page, qMax(1, AllPages()));
    FormResize();
    ShowPageTop();
}

void TvlPreviewForm::ApplyButtons()
{
    if (!m_report)
        return;
    if (!m_report->Designing()) {
        const int buttons = m_report->PreviewButtons();
        ZoomBtn->setVisible(buttons & zoomButton);
        ZoomSep->setVisible(buttons & zoomButton);
        LoadBtn->setVisible(buttons & loadButton);
        SaveBtn->setVisible(buttons & saveButton);
        PrintBtn->setVisible(buttons & printButton);
        FindBtn->setVisible(buttons & findButton);
        HelpBtn->setVisible(buttons & helpButton);
        ExitBtn->setVisible(buttons & exitButton);
    }
    PrintBtn->setEnabled(vlPrinter().Printers().size() > 1); // more than the virtual printer
    const bool editing = m_report->HasDesigner();
    for (QAction *item : {N4, N5, N6, N7})
        item->setVisible(editing);
    const bool gray = m_report->GrayedButtons();
    for (TvlSpeedButton *b : Panel1->findChildren<TvlSpeedButton *>())
        b->SetGrayedInactive(gray);
}

void TvlPreviewForm::ShowReport(std::unique_ptr<TvlPreviewReport> owned, QWidget *parent)
{
    TvlPreviewReport *report = owned.get();
    auto *form = new TvlPreviewForm(parent);
    form->setAttribute(Qt::WA_DeleteOnClose);
    if (report->InitialZoom() >= zmPageWidth && report->InitialZoom() <= zmTwoPages)
        remembered().mode = TvlZoomMode(report->InitialZoom());
    form->Connect(std::move(owned));
    form->ApplyButtons();
    if (!report->Title().isEmpty())
        form->setWindowTitle(QStringLiteral("Náhled - ") + report->Title());
    if (report->ModalPreview())
        form->exec();
    else
        form->show();
}

int TvlPreviewForm::AllPages() const
{
    return m_pages ? m_pages->Count() : 0;
}

void TvlPreviewForm::SetPage(int page)
{
    if (page < 1 || page > AllPages() || page == m_page)
        return;
    m_page = page;
    FormResize();
    ShowPageTop();
}

int TvlPreviewForm::Zoom() const
{
    return vlRound(m_zoom * 100);
}

void TvlPreviewForm::SetZoom(int percent)
{
    if (percent <= 0)
        return;
    m_zoom = percent / 100.0;
    m_mode = zmPercent;
    FormResize();
    ShowPageTop();
    PBox->update();
}

void TvlPreviewForm::SetMode(TvlZoomMode mode)
{
    m_mode = mode;
    FormResize();
    ShowPageTop();
    PBox->update();
}

void TvlPreviewForm::FormResize()
{
    m_painting = false;
    const QSize box = PBox->size();
    if (AllPages() > 0) {
        const TvlPrnInfo &current = m_pages->GetPage(m_page - 1)->PrnInfo;
        m_zoom = TvlPreviewLayout::ModeZoom(m_mode, m_zoom, box, QSize(current.PageWidth, current.PageHeight));
        if (m_zoom <= 0)
            m_zoom = 0.01;
        QList<QSize> sizes;
        for (int i = 0; i < AllPages(); ++i)
            sizes << QSize(m_pages->GetPage(i)->PrnInfo.PageWidth, m_pages->GetPage(i)->PrnInfo.PageHeight);
        const QList<QRect> rects = TvlPreviewLayout::Arrange(sizes, box, m_zoom, m_mode);
        for (int i = 0; i < AllPages(); ++i)
            m_pages->GetPage(i)->PageRect = rects[i];
        const QSize range = TvlPreviewLayout::ScrollRange(rects, box);
        const QSignalBlocker hb(HScrollBar), vb(VScrollBar);
        HScrollBar->setRange(0, range.width());
        HScrollBar->setEnabled(range.width() > 0);
        HScrollBar->setPageStep(qMax(1, box.width()));
        HScrollBar->setSingleStep(qMax(1, box.width() / 20));
        VScrollBar->setRange(0, range.height());
        VScrollBar->setEnabled(range.height() > 0);
        VScrollBar->setPageStep(qMax(1, box.height()));
        VScrollBar->setSingleStep(qMax(1, box.height() / 20));
        m_offsetX = -HScrollBar->value();
        m_offsetY = -VScrollBar->value();
    } else {
        HScrollBar->setRange(0, 0);
        VScrollBar->setRange(0, 0);
        HScrollBar->setEnabled(false);
        VScrollBar->setEnabled(false);
        m_offsetX = m_offsetY = 0;
    }
    ZoomBtn->SetCaption(QString::number(Zoom()) + u'%');
    UpdateLabel();
    m_painting = true;
    PBox->update();
}

void TvlPreviewForm::ShowPageTop()
{
    if (AllPages() == 0)
        return;
    const QRect r = m_pages->GetPage(m_page - 1)->PageRect;
    const QSignalBlocker vb(VScrollBar);
    VScrollBar->setValue(r.top() - gap);
    m_offsetY = -VScrollBar->value();
    UpdateLabel();
    PBox->update();
}

void TvlPreviewForm::UpdateLabel()
{
    Label1->setText(QStringLiteral("Strana %1/%2").arg(AllPages() ? m_page : 0).arg(AllPages()));
}

void TvlPreviewForm::VScrollChanged(int value)
{
    m_offsetY = -value;
    if (AllPages() > 0) {
        QList<QRect> shifted;
        for (int i = 0; i < AllPages(); ++i)
            shifted << m_pages->GetPage(i)->PageRect.translated(m_offsetX, m_offsetY);
        const int page = TvlPreviewLayout::PageAt(shifted, gap + 1);
        if (page >= 0)
            m_page = page + 1;
    }
    UpdateLabel();
    PBox->update();
}

void TvlPreviewForm::HScrollChanged(int value)
{
    m_offsetX = -value;
    PBox->update();
}

void TvlPreviewForm::PaintBox(QPainter &painter, const QRect &area)
{
    if (!m_pages || AllPages() == 0) {
        painter.fillRect(area, palette().color(QPalette::Button));
        return;
    }
    const QRect viewport = PBox->rect();
    QRegion background(area);
    for (int i = 0; i < AllPages(); ++i) {
        TvlPageInfo &info = *m_pages->GetPage(i);
        const QRect r = info.PageRect.translated(m_offsetX, m_offsetY);
        // The real viewport decides, however tall the box is.
        info.Visible = m_painting && r.intersects(viewport) && r.intersects(area);
        if (info.Visible)
            background -= r.adjusted(1, 1, -1, -1);
    }
    painter.setClipRegion(background);
    painter.fillRect(area, QColor(0x80, 0x80, 0x80));
    painter.setClipping(false);
    TvlPainterCanvas canvas(painter);
    for (int i = 0; i < AllPages(); ++i) {
        TvlPageInfo &info = *m_pages->GetPage(i);
        const QRect r = info.PageRect.translated(m_offsetX, m_offsetY);
        if (!info.Visible) {
            m_pages->DrawPage(i, canvas, {}); // releases its loaded objects
            continue;
        }
        painter.setPen(Qt::black);
        painter.setBrush(Qt::white);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        painter.drawLine(r.left() + 1, r.bottom() + 1, r.right() + 1, r.bottom() + 1);
        painter.drawLine(r.right() + 1, r.top() + 1, r.right() + 1, r.bottom() + 1);
        painter.setBrush(Qt::NoBrush);
        const TvlPrnInfo &p = info.PrnInfo;
        QRect content = r;
        if (!info.UseMargins)
            content = QRect(r.left() + vlRound(p.OffsetX * m_zoom), r.top() + vlRound(p.OffsetY * m_zoom),
                            vlRound(p.PrintableWidth * m_zoom), vlRound(p.PrintableHeight * m_zoom));
        painter.save();
        painter.setClipRect(r.adjusted(1, 1, -1, -1));
        m_pages->DrawPage(i, canvas, content);
        painter.restore();
    }
}

void TvlPreviewForm::ScrollTo(int x, int y)
{
    HScrollBar->setValue(x);
    VScrollBar->setValue(y);
}

// --- zoom menu ------------------------------------------------------------------

void TvlPreviewForm::ZoomBtnClick()
{
    for (QAction *item : {N4, N5, N6, N7})
        item->setVisible(false);
    ProcMenu->popup(ZoomBtn->mapToGlobal(QPoint(0, ZoomBtn->height())));
}

void TvlPreviewForm::ZoomItemClick(QAction *item)
{
    const int tag = item->data().toInt();
    if (tag >= 1 && tag <= 3)
        m_mode = TvlZoomMode(tag);
    else {
        m_mode = zmPercent;
        m_zoom = tag / 100.0;
    }
    item->setChecked(true);
    HScrollBar->setValue(0);
    FormResize();
    ShowPageTop();
    remembered() = {m_zoom, m_mode};
}

void TvlPreviewForm::CheckZoomItem()
{
    for (QAction *item : {N2001, N1501, N1001, N751, N501, N251, N101, N1, N2, N3}) {
        const int tag = item->data().toInt();
        const bool on = m_mode != zmPercent ? tag == int(m_mode) : (tag > 3 && vlRound(m_zoom * 100) == tag);
        item->setChecked(on);
    }
}

// --- search ---------------------------------------------------------------------

bool TvlPreviewForm::Find(const QString &text, bool caseSensitive, bool fromFirstPage)
{
    m_caseSensitive = caseSensitive;
    m_searchText = caseSensitive ? text : text.toUpper();
    if (fromFirstPage) {
        m_searchPage = 0;
        m_searchRecord = 0;
    } else if (m_searchPage != m_page - 1) {
        m_searchPage = m_page - 1;
        m_searchRecord = 0;
    }
    return SearchFrom(m_searchPage, m_searchRecord);
}

bool TvlPreviewForm::FindNext()
{
    if (m_searchText.isEmpty())
        return false;
    if (m_searchPage != m_page - 1) {
        m_searchPage = m_page - 1;
        m_searchRecord = 0;
    }
    return SearchFrom(m_searchPage, m_searchRecord);
}

bool TvlPreviewForm::SearchFrom(int page, int record)
{
    m_found = false;
    if (m_searchText.isEmpty())
        return false;
    m_painting = false;
    for (int i = page; i < AllPages(); ++i) {
        TvlPageInfo &info = *m_pages->GetPage(i);
        TvlTextRecorder recorder;
        const bool visible = info.Visible;
        info.Visible = true;
        m_pages->DrawPage(i, recorder, QRect(0, 0, info.PrnInfo.PageWidth, info.PrnInfo.PageHeight));
        info.Visible = visible;
        const QList<TvlTextOutput> &outputs = recorder.Outputs();
        for (int r = i == page ? record : 0; r < outputs.size(); ++r) {
            const QString text = m_caseSensitive ? outputs[r].Text : outputs[r].Text.toUpper();
            if (!text.contains(m_searchText))
                continue;
            m_found = true;
            m_foundPosition = QPoint(outputs[r].X, outputs[r].Y);
            m_searchPage = i;
            m_searchRecord = r + 1;
            m_painting = true;
            m_page = i + 1;
            FormResize();
            const QRect pageRect = info.PageRect;
            ScrollTo(pageRect.left() + vlRound(m_foundPosition.x() * m_zoom) - gap,
                     pageRect.top() + vlRound(m_foundPosition.y() * m_zoom) - gap);
            m_page = i + 1;
            UpdateLabel();
            return true;
        }
    }
    m_painting = true;
    PBox->update();
    return false;
}

// --- pages, files, printing -----------------------------------------------------------

bool TvlPreviewForm::Editable() const
{
    return m_report && m_report->HasDesigner();
}

void TvlPreviewForm::EditPage()
{
    if (!m_report || !m_report->ModifyPrepared() || AllPages() == 0)
        return;
    const int index = m_page - 1;
    Reconnect([&] { m_report->EditPage(index); });
}

void TvlPreviewForm::DeletePage()
{
    if (AllPages() < 2)
        return;
    m_pages->Delete(m_page - 1);
    if (m_page > AllPages())
        m_page = AllPages();
    FormResize();
    ShowPageTop();
}

void TvlPreviewForm::DeletePageAsking()
{
    if (AllPages() >= 2 && ShowQuestion("Pokračovat", "Odebrat tuto stranu?", false))
        DeletePage();
}

void TvlPreviewForm::AddPage()
{
    if (!m_pages)
        return;
    const TvlPage *design = m_report ? m_report->DesignPage(0) : nullptr;
    TvlPages fallback;
    if (!design)
        design = fallback.Add();
    m_pages->Insert(m_page - 1, *design);
    FormResize();
    ShowPageTop();
}

bool TvlPreviewForm::ExportTo(int filterIndex, const QString &fileName)
{
    vlRegisterStandardExportFilters();
    const QList<TvlExportFilter *> &filters = vlExportFilters();
    if (filterIndex < 0 || filterIndex >= filters.size() || !m_pages)
        return false;
    QString name = fileName;
    const QString extension = filters[filterIndex]->Extension();
    if (!name.endsWith(extension, Qt::CaseInsensitive))
        name = QFileInfo(name).path() + u'/' + QFileInfo(name).completeBaseName() + extension;
    bool done = false;
    if (m_report)
        Reconnect([&] { done = m_report->ExportTo(*filters[filterIndex], name); });
    else
        done = vlExportWithProgress(*m_pages, *filters[filterIndex], name, {});
    return done;
}

bool TvlPreviewForm::SaveToFile(const QString &fileName)
{
    if (!m_pages)
        return false;
    const QFileInfo info(fileName);
    const QString name = info.path() + u'/' + info.completeBaseName() + QStringLiteral(".vlp");
    QString error;
    if (!m_pages->SaveToFile(name, &error)) {
        ShowWarning("Sestavu nelze uložit...", error);
        return false;
    }
    return true;
}

bool TvlPreviewForm::LoadFromFile(const QString &fileName)
{
    if (!m_pages)
        m_pages = std::make_unique<TvlEMFPages>();
    QString error;
    const bool ok = m_pages->LoadFromFile(fileName, &error);
    m_opened = true; // the report's design no longer stands behind these pages
    if (!ok)
        ShowWarning("Sestavu nelze otevřít...", error);
    m_page = 1;
    FormResize();
    ShowPageTop();
    return ok;
}

bool TvlPreviewForm::PrintPages(const QString &pages, int copies)
{
    if (!m_pages || vlPrinter().Printers().isEmpty())
        return false;
    bool done = false;
    if (m_report)
        Reconnect([&] { done = m_report->PrintPages(pages, copies); });
    return done;
}

bool TvlPreviewForm::ChangePrinter(int oldIndex, int newIndex)
{
    if (m_opened && m_pages) {
        // Opened pages are laid out for the new printer as they stand.
        m_pages->ApplyPrinter();
        FormResize();
        ShowPageTop();
        return true;
    }
    if (!m_report || !m_report->CanRebuild())
        return false;
    bool done = false;
    Reconnect([&] { done = m_report->ChangePrinter(oldIndex, newIndex); });
    return done;
}

// --- buttons -----------------------------------------------------------------------

void TvlPreviewForm::LoadBtnClick()
{
    const QString name =
        QFileDialog::getOpenFileName(this, QString(), QString(), QStringLiteral("Soubor sestavy (*.vlp)"));
    if (!name.isEmpty())
        LoadFromFile(name);
}

void TvlPreviewForm::SaveBtnClick()
{
    vlRegisterStandardExportFilters();
    QStringList filters{QStringLiteral("Soubor sestavy (*.vlp)")};
    for (const TvlExportFilter *filter : vlExportFilters())
        filters << filter->Description();
    QString chosen;
    const QString name = QFileDialog::getSaveFileName(this, QString(), QString(), filters.join(";;"), &chosen);
    if (name.isEmpty())
        return;
    const int index = int(filters.indexOf(chosen));
    if (index <= 0)
        SaveToFile(name);
    else
        ExportTo(index - 1, name);
}

void TvlPreviewForm::PrintBtnClick()
{
    if (!PrintBtn->isEnabled() || !PrintBtn->isVisible())
        return;
    TvlPrintForm dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (dialog.PrinterChanged() && (m_opened || (m_report && m_report->CanRebuild())) &&
        !ChangePrinter(dialog.OldPrinterIndex(), vlPrinter().PrinterIndex()))
        return;
    PrintPages(dialog.PageList(m_page), dialog.Copies());
}

void TvlPreviewForm::FindBtnClick()
{
    TvlPreviewSearchForm dialog(this);
    if (dialog.exec() != QDialog::Accepted || dialog.Text().isEmpty())
        return;
    if (!Find(dialog.Text(), dialog.CaseSensitive(), dialog.FromFirstPage()))
        ShowInformation("Hledat", QStringLiteral("Text „%1“ nebyl nalezen.").arg(dialog.Text()), true);
}

void TvlPreviewForm::ExitBtnClick()
{
    if (isModal())
        done(QDialog::Accepted);
    else
        close();
}

// --- keys ------------------------------------------------------------------------

bool TvlPreviewForm::HandleKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (AllPages() == 0)
        return false;
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool editing = Editable();
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        VScrollBar->setFocus();
        VScrollBar->triggerAction(key == Qt::Key_Up ? QScrollBar::SliderSingleStepSub
                                                    : QScrollBar::SliderSingleStepAdd);
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        HScrollBar->setFocus();
        HScrollBar->triggerAction(key == Qt::Key_Left ? QScrollBar::SliderSingleStepSub
                                                      : QScrollBar::SliderSingleStepAdd);
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        VScrollBar->setFocus();
        if (ctrl)
            key == Qt::Key_PageUp ? Prev() : Next();
        else
            VScrollBar->triggerAction(key == Qt::Key_PageUp ? QScrollBar::SliderPageStepSub
                                                            : QScrollBar::SliderPageStepAdd);
        return true;
    case Qt::Key_Space:
        ZoomBtnClick();
        return true;
    case Qt::Key_Escape:
        if (PreviewPanel->parentWidget() != this)
            return false; // embedded: the hosting form decides
        ExitBtnClick();
        return true;
    case Qt::Key_Home:
        if (!ctrl)
            return false;
        VScrollBar->setValue(0);
        return true;
    case Qt::Key_End:
        if (!ctrl)
            return false;
        Last();
        return true;
    case Qt::Key_O:
    case Qt::Key_S:
    case Qt::Key_P:
    case Qt::Key_F:
    case Qt::Key_E:
        if (!ctrl)
            return false;
        if (key == Qt::Key_O)
            LoadBtnClick();
        else if (key == Qt::Key_S)
            SaveBtnClick();
        else if (key == Qt::Key_P) {
            if (PrintBtn->isEnabled())
                PrintBtnClick();
        } else if (key == Qt::Key_F)
            FindBtnClick();
        else if (editing)
            EditPage();
        return true;
    case Qt::Key_F3:
        if (!m_searchText.isEmpty())
            FindNext();
        return true;
    case Qt::Key_Delete:
        if (editing)
            DeletePageAsking();
        return true;
    case Qt::Key_Insert:
        if (editing)
            AddPage();
        return true;
    default:
        return false;
    }
}

void TvlPreviewForm::keyPressEvent(QKeyEvent *event)
{
    if (HandleKey(event->key(), event->modifiers()))
        event->accept();
    else
        QDialog::keyPressEvent(event);
}

bool TvlPreviewForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (HandleKey(key->key(), key->modifiers()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

// --- the embeddable panel -------------------------------------------------------------

TvlPreview::TvlPreview(QWidget *parent)
    : QWidget(parent)
    , m_form(new TvlPreviewForm)
{
    setObjectName("TvlPreview");
    m_form->WheelMultiplier = 3;
}

TvlPreview::~TvlPreview()
{
    delete m_form; // gives the report its pages back
}

void TvlPreview::SetScrollBars(bool horizontal, bool vertical)
{
    m_form->HScrollBar->setVisible(horizontal);
    m_form->RPanel->setVisible(vertical);
}

void TvlPreview::Connect(std::unique_ptr<TvlPreviewReport> report)
{
    Attach();
    m_form->Connect(std::move(report));
}

void TvlPreview::Connect(TvlPreviewReport *report)
{
    Attach();
    m_form->Connect(report);
}

void TvlPreview::Attach()
{
    if (m_form->PreviewPanel->parent() != this) {
        m_form->PreviewPanel->setParent(this);
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_form->PreviewPanel);
        m_form->PreviewPanel->show();
        if (window() != this)
            window()->installEventFilter(this);
    }
    if (QWidget *w = parentWidget())
        if (auto *menu = w->findChild<QMenu *>(QString(), Qt::FindDirectChildrenOnly))
            m_form->ForeignMenu = menu;
}

bool TvlPreview::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel && watched == window() && watched != m_form->PBox) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        const int steps = wheel->angleDelta().y() / 120;
        m_form->VScrollBar->setValue(m_form->VScrollBar->value() -
                                     steps * m_form->VScrollBar->singleStep() * m_form->WheelMultiplier);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
