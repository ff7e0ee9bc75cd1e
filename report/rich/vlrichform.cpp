#include "report/rich/vlrichform.h"

#include "platform/cp1250.h"
#include "platform/messages.h"
#include "report/rich/rtfreader.h"
#include "report/rich/rtfwriter.h"
#include "report/rich/vlrichview.h"
#include "report/vlvarform.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QMimeData>
#include <QPainter>
#include <QSaveFile>
#include <QStyle>
#include <QTextBlock>
#include <QTextList>
#include <QVBoxLayout>

namespace {

const QString RichFilter = QStringLiteral("Textový soubor Rich (*.rtf)");
const QString AsciiFilter = QStringLiteral("Textový soubor ASCII (*.txt)");

// Small drawn pictures for the buttons without a standard one.
QIcon lineIcon(int kind)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    for (int i = 0; i < 5; ++i) {
        const int y = 2 + 3 * i;
        const int length = i % 2 ? 8 : 14;
        int x = 1;
        if (kind == 1)
            x = (16 - length) / 2;
        else if (kind == 2)
            x = 15 - length;
        else if (kind == 3) { // bullets
            painter.drawPoint(1, y);
            x = 4;
        }
        painter.drawLine(x, y, x + length - 1 - (kind == 3 ? 3 : 0), y);
    }
    return QIcon(pixmap);
}

QToolButton *toolButton(QWidget *parent, const char *name, const QString &hint, bool checkable = false)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setCheckable(checkable);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(25, 25);
    return button;
}

QToolButton *letterButton(QWidget *parent, const char *name, const QString &hint, const QString &letter,
                          void (QFont::*style)(bool))
{
    QToolButton *button = toolButton(parent, name, hint, true);
    button->setText(letter);
    QFont font = button->font();
    (font.*style)(true);
    button->setFont(font);
    return button;
}

} // namespace

std::function<QString(QWidget *parent)> TvlRichForm::ChooseVariable;

TvlRichForm::TvlRichForm(QWidget *parent)
    : TvlObjEditorForm(parent)
{
    setObjectName(QStringLiteral("vlRichForm"));
    setWindowTitle(QStringLiteral("Rich Editor"));
    resize(640, 460);

    auto *bar = new QWidget(this);
    auto *buttons = new QHBoxLayout(bar);
    buttons->setContentsMargins(4, 4, 4, 0);
    buttons->setSpacing(1);
    OpenButton = toolButton(bar, "OpenButton", QStringLiteral("Otevřít..."));
    OpenButton->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    SaveButton = toolButton(bar, "SaveButton", QStringLiteral("Uložit..."));
    SaveButton->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    UndoButton = toolButton(bar, "UndoButton", QStringLiteral("Zpět"));
    UndoButton->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    BoldButton = letterButton(bar, "BoldButton", QStringLiteral("Tučné"), QStringLiteral("B"), &QFont::setBold);
    ItalicButton = letterButton(bar, "ItalicButton", QStringLiteral("Kurzíva"), QStringLiteral("I"), &QFont::setItalic);
    UnderlineButton =
        letterButton(bar, "UnderlineButton", QStringLiteral("Podškrtnuté"), QStringLiteral("U"), &QFont::setUnderline);
    LeftAlign = toolButton(bar, "LeftAlign", QStringLiteral("Zarovnat vlevo"), true);
    LeftAlign->setIcon(lineIcon(0));
    CenterAlign = toolButton(bar, "CenterAlign", QStringLiteral("Zarovnat na střed"), true);
    CenterAlign->setIcon(lineIcon(1));
    RightAlign = toolButton(bar, "RightAlign", QStringLiteral("Zarovnat vpravo"), true);
    RightAlign->setIcon(lineIcon(2));
    BulletsButton = toolButton(bar, "BulletsButton", QStringLiteral("Seznam"), true);
    BulletsButton->setIcon(lineIcon(3));
    SpeedButton1 = toolButton(bar, "SpeedButton1", QStringLiteral("Font"));
    SpeedButton1->setText(QStringLiteral("F"));
    SpeedButton2 = toolButton(bar, "SpeedButton2", QStringLiteral("Vložit proměnnou"));
    SpeedButton2->setText(QStringLiteral("Var"));
    SpeedButton2->setFixedWidth(34);

    FontName = new QComboBox(bar);
    FontName->setObjectName(QStringLiteral("FontName"));
    FontName->setToolTip(QStringLiteral("Font"));
    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    FontName->addItems(families);
    FontName->setEditable(true); // a text's font may be one this computer lacks
    FontName->setInsertPolicy(QComboBox::NoInsert);
    FontName->setMinimumWidth(150);
    E1 = new QLineEdit(bar);
    E1->setObjectName(QStringLiteral("E1"));
    E1->setToolTip(QStringLiteral("Velikost fontu"));
    E1->setValidator(new QIntValidator(1, 1638, E1));
    E1->setFixedWidth(36);
    SB1 = toolButton(bar, "SB1", QStringLiteral("Velikost fontu"));
    SB1->setArrowType(Qt::UpArrow);
    SB1->setFixedSize(16, 12);
    SB2 = toolButton(bar, "SB2", QStringLiteral("Velikost fontu"));
    SB2->setArrowType(Qt::DownArrow);
    SB2->setFixedSize(16, 12);
    auto *spin = new QVBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(SB1);
    spin->addWidget(SB2);

    for (QWidget *w :
         {static_cast<QWidget *>(OpenButton), static_cast<QWidget *>(SaveButton), static_cast<QWidget *>(UndoButton)})
        buttons->addWidget(w);
    buttons->addSpacing(6);
    for (QToolButton *b : {BoldButton, ItalicButton, UnderlineButton})
        buttons->addWidget(b);
    buttons->addSpacing(6);
    for (QToolButton *b : {LeftAlign, CenterAlign, RightAlign, BulletsButton})
        buttons->addWidget(b);
    buttons->addSpacing(6);
    buttons->addWidget(SpeedButton1);
    buttons->addWidget(SpeedButton2);
    buttons->addSpacing(6);
    buttons->addWidget(FontName);
    buttons->addWidget(E1);
    buttons->addLayout(spin);
    buttons->addStretch();

    Ruler = new TvlRichRuler(this);
    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setAcceptRichText(true);
    RichEdit1->setTabChangesFocus(false);

    HelpBtn = new QPushButton(QStringLiteral("Nápověda"), this);
    HelpBtn->setObjectName(QStringLiteral("HelpBtn"));
    CancBtn = new QPushButton(QStringLiteral("Zrušit"), this);
    CancBtn->setObjectName(QStringLiteral("CancBtn"));
    OkBtn = new QPushButton(QStringLiteral("Uložit a konec"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(HelpBtn);
    bottom->addStretch();
    bottom->addWidget(OkBtn);
    bottom->addWidget(CancBtn);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 6);
    layout->setSpacing(2);
    layout->addWidget(bar);
    layout->addWidget(Ruler);
    layout->addWidget(RichEdit1, 1);
    auto *bottomBox = new QWidget(this);
    bottomBox->setLayout(bottom);
    bottom->setContentsMargins(6, 2, 6, 0);
    layout->addWidget(bottomBox);

    setTabOrder(FontName, E1);
    setTabOrder(E1, RichEdit1);
    setTabOrder(RichEdit1, OkBtn);
    setTabOrder(OkBtn, CancBtn);
    setTabOrder(CancBtn, HelpBtn);

    connect(OpenButton, &QToolButton::clicked, this, &TvlRichForm::OpenClicked);
    connect(SaveButton, &QToolButton::clicked, this, &TvlRichForm::SaveClicked);
    connect(UndoButton, &QToolButton::clicked, RichEdit1, &QTextEdit::undo);
    connect(BoldButton, &QToolButton::clicked, this, &TvlRichForm::SetBold);
    connect(ItalicButton, &QToolButton::clicked, this, &TvlRichForm::SetItalic);
    connect(UnderlineButton, &QToolButton::clicked, this, &TvlRichForm::SetUnderline);
    connect(LeftAlign, &QToolButton::clicked, this, [this] { SetAlignment(Qt::AlignLeft); });
    connect(CenterAlign, &QToolButton::clicked, this, [this] { SetAlignment(Qt::AlignHCenter); });
    connect(RightAlign, &QToolButton::clicked, this, [this] { SetAlignment(Qt::AlignRight); });
    connect(BulletsButton, &QToolButton::clicked, this, &TvlRichForm::SetBullets);
    connect(SpeedButton1, &QToolButton::clicked, this, &TvlRichForm::ChooseFont);
    connect(SpeedButton2, &QToolButton::clicked, this, &TvlRichForm::AskVariable);
    connect(FontName, &QComboBox::textActivated, this, &TvlRichForm::SetFontFamily);
    connect(FontName->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        if (FontName->currentText().trimmed() != m_shownFamily)
            SetFontFamily(FontName->currentText().trimmed());
    });
    connect(E1, &QLineEdit::editingFinished, this, [this] {
        if (E1->text().toInt() >= 1)
            SetFontSize(E1->text().toInt());
    });
    connect(SB1, &QToolButton::clicked, this, [this] { SetFontSize(E1->text().toInt() + 1); });
    connect(SB2, &QToolButton::clicked, this, [this] { SetFontSize(std::max(1, E1->text().toInt() - 1)); });
    connect(Ruler, &TvlRichRuler::IndentsChanged, this, &TvlRichForm::SetIndents);
    connect(RichEdit1, &QTextEdit::cursorPositionChanged, this, &TvlRichForm::ShowSelectionAttributes);
    connect(RichEdit1, &QTextEdit::currentCharFormatChanged, this, &TvlRichForm::ShowSelectionAttributes);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, [this] {
        ShowInformation(QStringLiteral("Nápověda"),
                        QStringLiteral("Text v hranatých závorkách, např. [Datum], se při tisku nahradí hodnotou "
                                       "výrazu. Proměnnou vložíte tlačítkem Var."));
    });
    KeepMargins();
    ShowSelectionAttributes();
}

void TvlRichForm::KeepMargins()
{
    RichEdit1->document()->setDocumentMargin(6);
}

void TvlRichForm::resizeEvent(QResizeEvent *event)
{
    TvlObjEditorForm::resizeEvent(event);
    KeepMargins();
}

// --- the view's text -------------------------------------------------------------

void TvlRichForm::LoadFrom(const TvlRichView &view)
{
    vlReadRtf(view.Rtf(), *RichEdit1->document());
    KeepMargins();
    RichEdit1->document()->setModified(false);
    RichEdit1->moveCursor(QTextCursor::Start);
    ShowSelectionAttributes();
}

void TvlRichForm::SaveTo(TvlRichView &view) const
{
    view.SetRtf(vlWriteRtf(*RichEdit1->document()));
}

void TvlRichForm::ShowEditor(TvlView *view)
{
    auto *rich = dynamic_cast<TvlRichView *>(view);
    if (!rich)
        return;
    LoadFrom(*rich);
    if (exec() == QDialog::Accepted)
        SaveTo(*rich);
    RichEdit1->clear();
}

// --- formatting ------------------------------------------------------------------

void TvlRichForm::MergeFormat(const QTextCharFormat &format)
{
    if (m_updating)
        return;
    QTextCursor cursor = RichEdit1->textCursor();
    if (cursor.hasSelection())
        cursor.mergeCharFormat(format);
    RichEdit1->mergeCurrentCharFormat(format);
    ShowSelectionAttributes();
}

void TvlRichForm::SetBold(bool on)
{
    QTextCharFormat format;
    format.setFontWeight(on ? QFont::Bold : QFont::Normal);
    MergeFormat(format);
}

void TvlRichForm::SetItalic(bool on)
{
    QTextCharFormat format;
    format.setFontItalic(on);
    MergeFormat(format);
}

void TvlRichForm::SetUnderline(bool on)
{
    QTextCharFormat format;
    format.setFontUnderline(on);
    MergeFormat(format);
}

void TvlRichForm::SetFontFamily(const QString &family)
{
    if (family.isEmpty())
        return;
    QTextCharFormat format;
    format.setFontFamilies(QStringList{family});
    MergeFormat(format);
}

void TvlRichForm::SetFontSize(int points)
{
    QTextCharFormat format;
    format.setFontPointSize(std::clamp(points, 1, 1638));
    MergeFormat(format);
}

void TvlRichForm::SetAlignment(Qt::Alignment alignment)
{
    RichEdit1->setAlignment(alignment);
    ShowSelectionAttributes();
}

void TvlRichForm::SetBullets(bool on)
{
    QTextCursor cursor = RichEdit1->textCursor();
    cursor.beginEditBlock();
    if (on) {
        QTextListFormat format;
        format.setStyle(QTextListFormat::ListDisc);
        format.setIndent(1);
        cursor.createList(format);
    } else if (QTextList *list = cursor.currentList()) {
        // Every selected paragraph leaves the list.
        const int end = cursor.selectionEnd();
        for (QTextBlock block = RichEdit1->document()->findBlock(cursor.selectionStart());
             block.isValid() && block.position() <= end; block = block.next())
            if (block.textList())
                block.textList()->remove(block);
        (void)list;
        QTextBlockFormat plain = cursor.blockFormat();
        plain.setIndent(0);
        cursor.setBlockFormat(plain);
    }
    cursor.endEditBlock();
    ShowSelectionAttributes();
}

void TvlRichForm::SetIndents(int firstIndent, int leftIndent, int rightIndent)
{
    // Points to the document's pixels (96 per inch): the first line is at
    // firstIndent, the other lines at firstIndent + leftIndent.
    const qreal toPixels = 96.0 / 72.0;
    QTextBlockFormat format;
    format.setLeftMargin((firstIndent + leftIndent) * toPixels);
    format.setTextIndent(-leftIndent * toPixels);
    format.setRightMargin(rightIndent * toPixels);
    RichEdit1->textCursor().mergeBlockFormat(format);
    ShowSelectionAttributes();
}

void TvlRichForm::ShowSelectionAttributes()
{
    m_updating = true;
    const QTextCharFormat format = RichEdit1->currentCharFormat();
    BoldButton->setChecked(format.fontWeight() >= QFont::DemiBold);
    ItalicButton->setChecked(format.fontItalic());
    UnderlineButton->setChecked(format.fontUnderline());
    const QStringList families = format.fontFamilies().toStringList();
    const QString family = families.isEmpty() ? RichEdit1->document()->defaultFont().family() : families.first();
    const int index = FontName->findText(family, Qt::MatchFixedString);
    if (index >= 0)
        FontName->setCurrentIndex(index);
    FontName->setEditText(family);
    m_shownFamily = family;
    const qreal points = format.hasProperty(QTextFormat::FontPointSize)
                             ? format.fontPointSize()
                             : RichEdit1->document()->defaultFont().pointSizeF();
    E1->setText(QString::number(std::max(1, int(std::lround(points)))));
    const QTextCursor cursor = RichEdit1->textCursor();
    const QTextBlockFormat block = cursor.blockFormat();
    const Qt::Alignment align = block.alignment() & Qt::AlignHorizontal_Mask;
    CenterAlign->setChecked(align & Qt::AlignHCenter);
    RightAlign->setChecked(bool(align & (Qt::AlignRight | Qt::AlignTrailing)) && !(align & Qt::AlignHCenter));
    LeftAlign->setChecked(!CenterAlign->isChecked() && !RightAlign->isChecked());
    BulletsButton->setChecked(cursor.currentList() != nullptr);
    const qreal toPoints = 72.0 / 96.0;
    Ruler->SetIndents(int(std::lround((block.leftMargin() + block.textIndent()) * toPoints)),
                      int(std::lround(-block.textIndent() * toPoints)),
                      int(std::lround(block.rightMargin() * toPoints)));
    m_updating = false;
}

void TvlRichForm::ChooseFont()
{
    const QTextCursor cursor = RichEdit1->textCursor();
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, RichEdit1->currentCharFormat().font(), this);
    if (!ok)
        return;
    QTextCharFormat format;
    format.setFont(chosen, QTextCharFormat::FontPropertiesSpecifiedOnly);
    if (cursor.hasSelection()) {
        MergeFormat(format);
        return;
    }
    // Nothing selected: the default attributes of what is typed.
    RichEdit1->document()->setDefaultFont(chosen);
    RichEdit1->mergeCurrentCharFormat(format);
    ShowSelectionAttributes();
}

// --- variables -------------------------------------------------------------------

void TvlRichForm::AskVariable()
{
    QString name;
    if (ChooseVariable) {
        name = ChooseVariable(this);
    } else {
        // Without a report's categories the chooser offers the special variables.
        TvlVarForm chooser(TvlVariableSource{}, this);
        if (chooser.exec() == QDialog::Accepted)
            name = chooser.SelectedName();
    }
    if (!name.trimmed().isEmpty())
        InsertVariable(name.trimmed());
}

void TvlRichForm::InsertVariable(const QString &name)
{
    QClipboard *clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(u'[' + name + u']');
    RichEdit1->paste();
    RichEdit1->setFocus();
}

// --- files -----------------------------------------------------------------------

QString TvlRichForm::StartFolder()
{
    return QCoreApplication::applicationDirPath();
}

bool TvlRichForm::OpenFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowWarning(QStringLiteral("Soubor nelze otevřít"), fileName + u'\n' + file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        ShowWarning(QStringLiteral("Soubor nelze přečíst"), fileName + u'\n' + file.errorString());
        return false;
    }
    vlReadRtf(bytes, *RichEdit1->document()); // text that is not rich text is taken as plain text
    KeepMargins();
    ShowSelectionAttributes();
    return true;
}

bool TvlRichForm::SaveFile(const QString &fileName)
{
    const bool plain = fileName.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive);
    const QByteArray bytes = plain ? Cp1250::encode(RichEdit1->toPlainText().replace(u'\n', QStringLiteral("\r\n")))
                                   : vlWriteRtf(*RichEdit1->document());
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        ShowWarning(QStringLiteral("Soubor nelze uložit"), fileName + u'\n' + file.errorString());
        return false;
    }
    return true;
}

void TvlRichForm::OpenClicked()
{
    const QString name = QFileDialog::getOpenFileName(this, QStringLiteral("Otevřít..."), StartFolder(), RichFilter);
    if (!name.isEmpty())
        OpenFile(name);
}

void TvlRichForm::SaveClicked()
{
    QString filter = RichFilter;
    QString name = QFileDialog::getSaveFileName(this, QStringLiteral("Uložit..."), StartFolder(),
                                                RichFilter + QStringLiteral(";;") + AsciiFilter, &filter);
    if (name.isEmpty())
        return;
    if (!name.contains(u'.'))
        name += filter == AsciiFilter ? QStringLiteral(".txt") : QStringLiteral(".rtf");
    SaveFile(name);
}
