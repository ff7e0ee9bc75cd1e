// The designer's tool bars, menus, page tabs and status bar, with every
// caption and hint as the user sees them.
#include "report/designer/form/coordinatespanel.h"
#include "report/designer/form/designerform.h"
#include "report/designer/form/designerglyphs.h"
#include "report/designer/page/designerpage.h"
#include "report/vltoolbuttons.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// Tags of the formatting controls and of the standard bar's buttons.
enum Tag {
    tagHelp = 58,
    tagTool = 36,
};

// The font names' list: a scalable font shows its mark at the left, every
// name starts 20 pixels from the left edge.
class FontNameDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(option.rect, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
        if (index.data(Qt::UserRole).toInt() & 4) {
            const QRect mark(option.rect.left() + 2, option.rect.top() + (option.rect.height() - 12) / 2, 14, 12);
            QFont font = painter->font();
            font.setPixelSize(10);
            font.setBold(true);
            painter->save();
            painter->setFont(font);
            painter->setPen(QColor(0x80, 0x80, 0x80));
            painter->drawText(mark.translated(1, 1), Qt::AlignCenter, QStringLiteral("T"));
            painter->setPen(QColor(0, 0, 0x80));
            painter->drawText(mark.translated(-2, -1), Qt::AlignCenter, QStringLiteral("T"));
            painter->restore();
        }
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(option.rect.adjusted(20, 1, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          index.data(Qt::DisplayRole).toString());
    }
};

QIcon iconOf(const QImage &glyph)
{
    QImage image = glyph.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == transparent)
                image.setPixel(x, y, 0);
    return QIcon(QPixmap::fromImage(image));
}

} // namespace

void TvlDesignerForm::Register(const QString &name, QObject *control)
{
    control->setObjectName(name);
    m_controls.insert(name, control);
}

QToolBar *TvlDesignerForm::AddBar(const QString &name, const QString &caption, Qt::ToolBarArea area)
{
    auto *bar = new QToolBar(caption, m_window);
    Register(name, bar);
    bar->setMovable(true);
    bar->setFloatable(true);
    bar->setIconSize(QSize(16, 16));
    m_window->addToolBar(area, bar);
    m_bars << bar;
    return bar;
}

TvlSpeedButton *TvlDesignerForm::AddButton(QToolBar *bar, const QString &name, const QString &hint, int tag, int group,
                                           bool allowAllUp)
{
    auto *button = new TvlTBButton(bar);
    Register(name, button);
    button->setProperty("Tag", tag);
    button->setToolTip(hint);
    button->SetFlat(true);
    button->SetGroupIndex(group);
    button->SetAllowAllUp(allowAllUp);
    button->SetGlyph(vlDesignerGlyph(name));
    button->setFixedSize(22, 22);
    bar->addWidget(button);
    return button;
}

QAction *TvlDesignerForm::AddItem(QMenu *menu, const QString &name, const QString &caption,
                                  const QKeySequence &shortcut, const QString &glyphOf)
{
    QAction *item = menu->addAction(caption);
    Register(name, item);
    // The menus' keys act wherever the focus is in the designer window; the
    // edit boxes keep the keys of their own text (see eventFilter).
    if (!shortcut.isEmpty())
        item->setShortcut(shortcut);
    if (!glyphOf.isEmpty())
        item->setIcon(iconOf(vlDesignerGlyph(glyphOf)));
    return item;
}

void TvlDesignerForm::CreateControls()
{
    // A main window is a window of its own until told to be a child.
    m_window = new QMainWindow(this);
    m_window->setWindowFlags(Qt::Widget);
    m_window->setObjectName(QStringLiteral("vlDesignerWindow"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_window);

    // Standard
    QToolBar *bar = AddBar(QStringLiteral("Panel2"), QStringLiteral("Standard"), Qt::TopToolBarArea);
    AddButton(bar, QStringLiteral("FileBtn1"), QStringLiteral("Nová sestava"), 40);
    AddButton(bar, QStringLiteral("FileBtn2"), QStringLiteral("Otevřít sestavu"), 41);
    AddButton(bar, QStringLiteral("FileBtn3"), QStringLiteral("Uložit seatavu"), 42);
    AddButton(bar, QStringLiteral("FileBtn4"), QStringLiteral("Náhled sestavy"), 43);
    bar->addSeparator();
    AddButton(bar, QStringLiteral("CutB"), QStringLiteral("Oříznout"), 44);
    AddButton(bar, QStringLiteral("CopyB"), QStringLiteral("Kopírovat"), 45);
    AddButton(bar, QStringLiteral("PstB"), QStringLiteral("Vložit"), 46);
    bar->addSeparator();
    AddButton(bar, QStringLiteral("UndoB"), QStringLiteral("Zpět"), 47);
    AddButton(bar, QStringLiteral("RedoB"), QStringLiteral("Znovu"), 48);
    bar->addSeparator();
    AddButton(bar, QStringLiteral("ZB1"), QStringLiteral("Přenést dopředu"), 49);
    AddButton(bar, QStringLiteral("ZB2"), QStringLiteral("Přenést dozadu"), 50);
    AddButton(bar, QStringLiteral("SelAllB"), QStringLiteral("Vybrat vše"), 51);
    bar->addSeparator();
    AddButton(bar, QStringLiteral("PgB1"), QStringLiteral("Přidat stranu"), 52);
    AddButton(bar, QStringLiteral("PgB2"), QStringLiteral("Odebrat stranu"), 53);
    AddButton(bar, QStringLiteral("PgB3"), QStringLiteral("Vlastnosti strany"), 54);
    bar->addSeparator();
    AddButton(bar, QStringLiteral("GB1"), QStringLiteral("Mřížka"), 55, 12, true);
    AddButton(bar, QStringLiteral("GB2"), QStringLiteral("Zarovnávat do mřížky"), 56, 13, true);
    AddButton(bar, QStringLiteral("GB3"), QStringLiteral("zarovnat do mřížky"), 57);
    bar->addSeparator();
    AddButton(bar, QStringLiteral("HelpBtn"), QStringLiteral("Nápověda"), tagHelp, 14, true);
    TvlSpeedButton *exit = AddButton(bar, QStringLiteral("ExitB"), QStringLiteral("Zavřít editování sestav"), 59);
    exit->SetCaption(QStringLiteral("Zavřít"));
    exit->setFixedSize(72, 22);
    m_window->addToolBarBreak(Qt::TopToolBarArea);

    // Text
    bar = AddBar(QStringLiteral("Panel3"), QStringLiteral("Text"), Qt::TopToolBarArea);
    AddButton(bar, QStringLiteral("AlB1"), QStringLiteral("Zarovnat vlevo"), 11, 2);
    AddButton(bar, QStringLiteral("AlB2"), QStringLiteral("Zarovnat vpravo"), 12, 2);
    AddButton(bar, QStringLiteral("AlB3"), QStringLiteral("Zarovnat na střed"), 13, 2);
    AddButton(bar, QStringLiteral("AlB8"), QStringLiteral("Zarovnat vodorovně"), 22, 2);
    bar->addSeparator();
    AddButton(bar, QStringLiteral("AlB4"), QStringLiteral("Normal text / 90 stupňů"), 14, 4, true);
    bar->addSeparator();
    AddButton(bar, QStringLiteral("AlB6"), QStringLiteral("Zarovnat na horu"), 15, 3);
    AddButton(bar, QStringLiteral("AlB5"), QStringLiteral("Zarovnat svisle"), 15, 3);
    AddButton(bar, QStringLiteral("AlB7"), QStringLiteral("Zarovnat dolů"), 15, 3);
    bar->addSeparator();
    AddButton(bar, QStringLiteral("FnB1"), QStringLiteral("Tučné"), 9, 5, true);
    AddButton(bar, QStringLiteral("FnB2"), QStringLiteral("Kurzíva"), 10, 6, true);
    AddButton(bar, QStringLiteral("FnB3"), QStringLiteral("Podškrtnuté"), 18, 7, true);
    bar->addSeparator();
    AddButton(bar, QStringLiteral("ClB2"), QStringLiteral("Barva fontu"), 17);
    AddButton(bar, QStringLiteral("HlB1"), QStringLiteral("Nastavení zvýraznění"), 24);
    bar->addSeparator();
    auto *fontPanel = new TvlTBPanel(bar);
    Register(QStringLiteral("vlTBPanel1"), fontPanel);
    auto *fontLayout = new QHBoxLayout(fontPanel);
    fontLayout->setContentsMargins(2, 0, 2, 0);
    fontLayout->setSizeConstraint(QLayout::SetFixedSize);
    m_fontName = new QComboBox(fontPanel);
    Register(QStringLiteral("C2"), m_fontName);
    m_fontName->setProperty("Tag", 7);
    m_fontName->setToolTip(QStringLiteral("Název fontu"));
    m_fontName->setFixedWidth(150);
    m_fontName->view()->setMinimumWidth(170);
    m_fontName->setItemDelegate(new FontNameDelegate(m_fontName));
    m_fontSize = new QComboBox(fontPanel);
    Register(QStringLiteral("C3"), m_fontSize);
    m_fontSize->setProperty("Tag", 8);
    m_fontSize->setToolTip(QStringLiteral("Velikost fontu"));
    m_fontSize->setEditable(true);
    m_fontSize->setFixedWidth(52);
    for (int size : {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        m_fontSize->addItem(QString::number(size));
    fontLayout->addWidget(m_fontName);
    fontLayout->addWidget(m_fontSize);
    bar->addWidget(fontPanel);

    // Frame
    bar = AddBar(QStringLiteral("Panel1"), QStringLiteral("Obdélník"), Qt::TopToolBarArea);
    AddButton(bar, QStringLiteral("FrB1"), QStringLiteral("Orámovat nahoře"), 1, 8, true);
    AddButton(bar, QStringLiteral("FrB2"), QStringLiteral("Orámovat vlevo"), 2, 9, true);
    AddButton(bar, QStringLiteral("FrB3"), QStringLiteral("Orámovat dole"), 3, 10, true);
    AddButton(bar, QStringLiteral("FrB4"), QStringLiteral("Orámovat vpravo"), 4, 11, true);
    AddButton(bar, QStringLiteral("FrB5"), QStringLiteral("Oramovat"), 20);
    AddButton(bar, QStringLiteral("FrB6"), QStringLiteral("Bez orámování"), 21);
    bar->addSeparator();
    AddButton(bar, QStringLiteral("ClB1"), QStringLiteral("Barva pozadí"), 5);
    AddButton(bar, QStringLiteral("ClB3"), QStringLiteral("Barva orámování"), 19);
    bar->addSeparator();
    auto *widthPanel = new TvlTBPanel(bar);
    Register(QStringLiteral("vlTBPanel2"), widthPanel);
    auto *widthLayout = new QHBoxLayout(widthPanel);
    widthLayout->setContentsMargins(2, 0, 2, 0);
    widthLayout->setSpacing(0);
    widthLayout->setSizeConstraint(QLayout::SetFixedSize);
    m_frameWidth = new QLineEdit(widthPanel);
    Register(QStringLiteral("E1"), m_frameWidth);
    m_frameWidth->setProperty("Tag", 6);
    m_frameWidth->setToolTip(QStringLiteral("Délka orámovaní"));
    m_frameWidth->setFixedWidth(40);
    widthLayout->addWidget(m_frameWidth);
    for (const char *spin : {"SB1", "SB2"}) {
        auto *button = new TvlSpeedButton(widthPanel);
        Register(QString::fromLatin1(spin), button);
        button->SetFlat(true);
        button->SetGlyph(vlDesignerGlyph(QString::fromLatin1(spin)));
        button->setFixedSize(14, 22);
        widthLayout->addWidget(button);
    }
    bar->addWidget(widthPanel);
    bar->addSeparator();
    AddButton(bar, QStringLiteral("StB1"), QStringLiteral("Styl čáry"), 23);

    // Tools: filled by the registered tools.
    bar = AddBar(QStringLiteral("Panel6"), QStringLiteral("Nástroje"), Qt::TopToolBarArea);

    // Objects
    bar = AddBar(QStringLiteral("Panel4"), QStringLiteral("Objekt"), Qt::LeftToolBarArea);
    AddButton(bar, QStringLiteral("OB1"), QStringLiteral("Vybrat object"), -1, 1);
    AddButton(bar, QStringLiteral("OB2"), QStringLiteral("Vložit text"), 0, 1);
    AddButton(bar, QStringLiteral("OB3"), QStringLiteral("Vložit band"), 2, 1);
    AddButton(bar, QStringLiteral("OB4"), QStringLiteral("Vložit obrázek"), 1, 1);
    AddButton(bar, QStringLiteral("OB5"), QStringLiteral("Vložit podsestavu"), 3, 1);
    AddButton(bar, QStringLiteral("OB6"), QStringLiteral("Kreslit čáry"), 4, 1);

    // Alignment
    bar = AddBar(QStringLiteral("Panel5"), QStringLiteral("Zarovnat"), Qt::RightToolBarArea);
    const char *alignHints[] = {"Zarovant k levému okraj",
                                "Zarovnat na střed vodorovně",
                                "Zarovnat na střed vodorovně v rámci okna",
                                "Rovnoměrně zarovnat ve vodorovném směru",
                                "Zarovant k pravému okraj",
                                "zarovnat nahoru",
                                "Zarovnat na střed svisle",
                                "Zarovnat na střed svisle v rámci okna",
                                "Rovnoměrně zarovnat ve svislém směru",
                                "Zarovnat dolů"};
    for (int i = 0; i < 10; ++i) {
        if (i == 5)
            bar->addSeparator();
        AddButton(bar, QStringLiteral("Align%1").arg(i + 1), QString::fromUtf8(alignHints[i]), 60 + i);
    }
    for (QToolBar *b : std::as_const(m_bars)) {
        if (b->objectName() == QLatin1String("Panel4") || b->objectName() == QLatin1String("Panel5"))
            b->setOrientation(Qt::Vertical);
        // The bars with edit boxes keep to rows: no column holds the boxes.
        if (b->objectName() == QLatin1String("Panel1") || b->objectName() == QLatin1String("Panel3"))
            b->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    }

    // The page tabs over the page.
    auto *centre = new QWidget(m_window);
    auto *centreLayout = new QVBoxLayout(centre);
    centreLayout->setContentsMargins(0, 0, 0, 0);
    centreLayout->setSpacing(0);
    m_tabs = new QTabBar(centre);
    Register(QStringLiteral("Tab1"), m_tabs);
    m_tabs->setShape(QTabBar::RoundedSouth);
    m_tabs->setExpanding(false);
    m_tabs->setContextMenuPolicy(Qt::CustomContextMenu);
    m_scroll = new QScrollArea(centre);
    Register(QStringLiteral("ScrollBox1"), m_scroll);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pageBox = new QWidget;
    m_pageBox->setBackgroundRole(QPalette::Dark);
    m_pageView = new TvlDesignerPage(*this, m_pageBox);
    Register(QStringLiteral("PageView"), m_pageView);
    m_scroll->setWidget(m_pageBox);
    m_scroll->setWidgetResizable(false);
    centreLayout->addWidget(m_scroll, 1);
    centreLayout->addWidget(m_tabs);
    m_window->setCentralWidget(centre);

    // Status bar: units, the coordinates panel, the object's title.
    QStatusBar *status = m_window->statusBar();
    status->setSizeGripEnabled(true);
    m_unitsPanel = new QLabel(status);
    m_unitsPanel->setMinimumWidth(60);
    m_unitsPanel->setFrameShape(QFrame::Panel);
    m_unitsPanel->setFrameShadow(QFrame::Sunken);
    m_pbox = new TvlCoordinatesPanel(this);
    Register(QStringLiteral("PBox1"), m_pbox);
    m_titlePanel = new QLabel(status);
    m_titlePanel->setFrameShape(QFrame::Panel);
    m_titlePanel->setFrameShadow(QFrame::Sunken);
    status->addWidget(m_unitsPanel);
    status->addWidget(m_pbox);
    status->addWidget(m_titlePanel, 1);
}

void TvlDesignerForm::CreateMenus()
{
    QMenuBar *menuBar = m_window->menuBar();
    Register(QStringLiteral("MainMenu1"), menuBar);
    QMenu *file = menuBar->addMenu(QStringLiteral("&Soubor"));
    Register(QStringLiteral("FileMenu"), file);
    AddItem(file, QStringLiteral("N23"), QStringLiteral("&Nový..."), QKeySequence(Qt::CTRL | Qt::Key_N), "FileBtn1");
    AddItem(file, QStringLiteral("N19"), QStringLiteral("&Otevřít..."), QKeySequence(Qt::CTRL | Qt::Key_O), "FileBtn2");
    AddItem(file, QStringLiteral("N20"), QStringLiteral("&Uložit"), QKeySequence(Qt::CTRL | Qt::Key_S), "FileBtn3");
    AddItem(file, QStringLiteral("N17"), QStringLiteral("&Uložit jako..."));
    file->addSeparator();
    AddItem(file, QStringLiteral("N42"), QStringLiteral("Seznam &proměnných..."));
    file->addSeparator();
    AddItem(file, QStringLiteral("N8"), QStringLiteral("&Nastavení sestavy..."));
    AddItem(file, QStringLiteral("N25"), QStringLiteral("Nastavení st&rany..."));
    AddItem(file, QStringLiteral("N39"), QStringLiteral("Ná&hled"), QKeySequence(Qt::CTRL | Qt::Key_P), "FileBtn4");
    file->addSeparator();
    AddItem(file, QStringLiteral("N10"), QStringLiteral("&Konec"), {}, "ExitB");

    QMenu *edit = menuBar->addMenu(QStringLiteral("&Editovat"));
    Register(QStringLiteral("EditMenu"), edit);
    AddItem(edit, QStringLiteral("N46"), QStringLiteral("&Zpět"), QKeySequence(Qt::CTRL | Qt::Key_Z), "UndoB");
    AddItem(edit, QStringLiteral("N48"), QStringLiteral("Z&novu"), QKeySequence(Qt::CTRL | Qt::Key_Y), "RedoB");
    edit->addSeparator();
    AddItem(edit, QStringLiteral("N11"), QStringLiteral("Vy&střihnout"), QKeySequence(Qt::CTRL | Qt::Key_X), "CutB");
    AddItem(edit, QStringLiteral("N12"), QStringLiteral("&Kopírovat"), QKeySequence(Qt::CTRL | Qt::Key_C), "CopyB");
    AddItem(edit, QStringLiteral("N13"), QStringLiteral("V&ložit"), QKeySequence(Qt::CTRL | Qt::Key_V), "PstB");
    AddItem(edit, QStringLiteral("N27"), QStringLiteral("Sma&zat"), QKeySequence(Qt::Key_Delete));
    AddItem(edit, QStringLiteral("N28"), QStringLiteral("Vy&brat vše"), QKeySequence(Qt::CTRL | Qt::Key_A), "SelAllB");
    AddItem(edit, QStringLiteral("N36"), QStringLiteral("&Editovat..."));
    edit->addSeparator();
    AddItem(edit, QStringLiteral("N29"), QStringLiteral("&Přidat stranu"), {}, "PgB1");
    AddItem(edit, QStringLiteral("N30"), QStringLiteral("&Odebrat stranu"), {}, "PgB2");
    edit->addSeparator();
    AddItem(edit, QStringLiteral("N32"), QStringLiteral("Zařadit &dopředu"), {}, "ZB1");
    AddItem(edit, QStringLiteral("N33"), QStringLiteral("Zařadit do&zadu"), {}, "ZB2");

    QMenu *tool = menuBar->addMenu(QStringLiteral("&Nástroje"));
    Register(QStringLiteral("ToolMenu"), tool);
    m_toolBarMenu = tool->addMenu(QStringLiteral("&Panel nástrojů"));
    Register(QStringLiteral("N37"), m_toolBarMenu->menuAction());
    // Items by tag: 0 Panel1, 1 Panel2, 2 Panel3, 3 Panel4, 4 Panel5, 5 the inspector, 6 Panel6.
    const struct
    {
        const char *name;
        const char *caption;
        int tag;
    } barItems[] = {{"Pan2", "&Standard", 1},           {"Pan3", "&Text", 2},
                    {"Pan1", "&Obdélník", 0},           {"Pan4", "&Objekty", 3},
                    {"Pan6", "&Možnosti zarovnání", 4}, {"Pan7", "&Nástroje", 6},
                    {"Pan5", "&Vlastnosti Objeku", 5}};
    for (const auto &item : barItems) {
        QAction *action = AddItem(m_toolBarMenu, QString::fromLatin1(item.name), QString::fromUtf8(item.caption));
        action->setCheckable(true);
        action->setProperty("Tag", item.tag);
        connect(action, &QAction::triggered, this, [this, tag = item.tag] { Pan2Click(tag); });
    }
    connect(m_toolBarMenu, &QMenu::aboutToShow, this, [this] {
        // N37: each item checked while its window shows.
        for (QAction *action : m_toolBarMenu->actions()) {
            const int tag = action->property("Tag").toInt();
            if (tag == 5) {
                const auto *inspector = qobject_cast<QWidget *>(Control(QStringLiteral("Inspector")));
                action->setChecked(inspector && !inspector->isHidden());
            } else if (QToolBar *bar = BarOfTag(tag)) {
                action->setChecked(BarShown(bar));
            }
        }
    });
    m_toolsMenu = tool->addMenu(QStringLiteral("&Nástroje"));
    Register(QStringLiteral("MastMenu"), m_toolsMenu->menuAction());
    m_toolsMenu->menuAction()->setEnabled(false);
    AddItem(tool, QStringLiteral("N14"), QStringLiteral("&Nastavení..."));

    QMenu *help = menuBar->addMenu(QStringLiteral("?"));
    Register(QStringLiteral("HelpMenu"), help);
    AddItem(help, QStringLiteral("N22"), QStringLiteral("&Kontext nápovědy"), QKeySequence(Qt::Key_F1));
    AddItem(help, QStringLiteral("N35"), QStringLiteral("Nástroj ná&povědy"), QKeySequence(Qt::SHIFT | Qt::Key_F1),
            "HelpBtn");
    help->addSeparator();
    AddItem(help, QStringLiteral("N34"), QStringLiteral("&O Programu..."));

    CreatePopup();

    // The page tabs' pop-up: the page items of the edit menu.
    m_popup2 = new QMenu(this);
    Register(QStringLiteral("Popup2"), m_popup2);
    AddItem(m_popup2, QStringLiteral("N41"), QStringLiteral("&Přidat stranu"), {}, "PgB1");
    AddItem(m_popup2, QStringLiteral("N43"), QStringLiteral("&Odebrat stranu"), {}, "PgB2");
    AddItem(m_popup2, QStringLiteral("N44"), QStringLiteral("Nastavení st&rany..."), {}, "PgB3");
}

QToolBar *TvlDesignerForm::BarOfTag(int tag) const
{
    static const char *names[] = {"Panel1", "Panel2", "Panel3", "Panel4", "Panel5", nullptr, "Panel6"};
    if (tag < 0 || tag > 6 || !names[tag])
        return nullptr;
    return qobject_cast<QToolBar *>(Control(QString::fromLatin1(names[tag])));
}

void TvlDesignerForm::AddObjectButton(const QImage &bitmap, const QString &hint, int tag)
{
    auto *bar = qobject_cast<QToolBar *>(Control(QStringLiteral("Panel4")));
    TvlSpeedButton *button = AddButton(bar, QStringLiteral("OB%1").arg(tag), hint, tag, 1);
    button->SetGlyph(bitmap);
    button->SetGrayedInactive(GrayButtons());
}

void TvlDesignerForm::AddToolItem(const QString &caption, const QImage &bitmap, const std::function<void()> &onClick)
{
    QAction *item = m_toolsMenu->addAction(caption);
    item->setIcon(iconOf(bitmap));
    connect(item, &QAction::triggered, this, [onClick] {
        if (onClick)
            onClick();
    });
    m_toolsMenu->menuAction()->setEnabled(true);
    auto *bar = qobject_cast<QToolBar *>(Control(QStringLiteral("Panel6")));
    auto *button = new TvlTBButton(bar);
    button->setProperty("Tag", tagTool);
    button->setToolTip(caption);
    button->SetFlat(true);
    button->SetGlyph(bitmap);
    button->SetGrayedInactive(GrayButtons());
    button->setFixedSize(22, 22);
    connect(button, &TvlSpeedButton::OnClick, this, [onClick] {
        if (onClick)
            onClick();
    });
    bar->addWidget(button);
    LayoutToolsBar();
}

void TvlDesignerForm::LayoutToolsBar()
{
    // The tools bar shows only when a tool is registered.
    auto *bar = qobject_cast<QToolBar *>(Control(QStringLiteral("Panel6")));
    bar->setMinimumSize(26, 26);
    if (bar->actions().isEmpty())
        bar->hide();
}
