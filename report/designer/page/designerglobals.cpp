#include "report/designer/page/designerglobals.h"

#include "report/vlpage.h"
#include "report/vlview.h"

#include <algorithm>

TvlRect TvlRect::Normalized() const
{
    return {std::min(Left, Right), std::min(Top, Bottom), std::max(Left, Right), std::max(Top, Bottom)};
}

double DefaultFrameWidth = 1.0;
double DefaultLineWidth = 2.0;
quint16 DefaultFrameSides = 0;
quint16 DefaultFontStyle = 0;
qint32 DefaultFrameColor = 0;
qint32 DefaultFillColor = vlclNone;
qint32 DefaultFontColor = 0;
qint32 DefaultAdjust = 0;
QString DefaultFontName = QStringLiteral("Arial");
int DefaultFontSize = 10;
bool UpdatingControls = false;
QString TemplateDir;
std::vector<std::unique_ptr<TvlView>> ClipboardList;
QImage GridBrush;

int SelectedCount = 0;
TvlView *PrimaryView = nullptr;
TvlRect DragRect;
TvlRect DragRectStart;
bool GroupRectValid = false;
bool StickyInsert = false;
bool UndoPending = false;
QRegion SelectionRegion;
bool ShowDragRectInStatus = false;

QString vlRegistryRoot()
{
    return QStringLiteral("\\Software\\Vellum\\Tarmil 5.0\\");
}

QString vlChooseDefaultFontName(QStringList families)
{
    const QString arial = QStringLiteral("Arial");
    const QString arialCyr = QStringLiteral("Arial Cyr");
    if (families.contains(arial) || families.isEmpty())
        return arial;
    if (families.contains(arialCyr))
        return arialCyr;
    families.sort();
    return families.first();
}

void vlResetDesignerDefaults()
{
    DefaultFrameWidth = 1.0;
    DefaultLineWidth = 2.0;
    DefaultFrameSides = 0;
    DefaultFontStyle = 0;
    DefaultFrameColor = 0;
    DefaultFillColor = vlclNone;
    DefaultFontColor = 0;
    DefaultAdjust = 0;
    DefaultFontName = QStringLiteral("Arial");
    DefaultFontSize = 10;
    UpdatingControls = false;
}

void vlResetSelectionGlobals()
{
    SelectedCount = 0;
    PrimaryView = nullptr;
    DragRect = {};
    DragRectStart = {};
    GroupRectValid = false;
    StickyInsert = false;
    UndoPending = false;
    SelectionRegion = {};
    ShowDragRectInStatus = false;
}

void vlClearSelection(TvlPage *page)
{
    if (page)
        for (const auto &view : page->Objects)
            view->Selected = false;
    SelectedCount = 0;
    PrimaryView = nullptr;
}

int vlCountSelected(const TvlPage *page)
{
    SelectedCount = 0;
    if (page)
        for (const auto &view : page->Objects)
            SelectedCount += view->Selected ? 1 : 0;
    return SelectedCount;
}

int vlTopSelectedIndex(const TvlPage *page)
{
    if (!page)
        return -1;
    for (int i = page->Count() - 1; i >= 0; --i)
        if (page->Object(i)->Selected)
            return i;
    return page->Count() - 1;
}

int vlSafeGridSize(int gridSize)
{
    return gridSize == 4 || gridSize == 8 || gridSize == 18 ? gridSize : 4;
}

QImage vlMakeGridBrush(int gridSize)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(0, 0, qRgb(0, 0, 0));
    if (gridSize == 4) {
        image.setPixel(4, 0, qRgb(0, 0, 0));
        image.setPixel(0, 4, qRgb(0, 0, 0));
        image.setPixel(4, 4, qRgb(0, 0, 0));
    }
    return image;
}

QSize vlDefaultMemoSize(int gridSize, int fontSize)
{
    const int width = gridSize == 18 ? 108 : 96;
    int height = 18;
    if (fontSize == 12 || fontSize == 13)
        height = 20;
    else if (fontSize >= 14 && fontSize <= 16)
        height = 24;
    return {width, height};
}
