// The design page's context menu and the editors the page opens.
#include "report/designer/dialogs/dialoganswers.h"
#include "report/designer/form/designerform.h"
#include "report/designer/form/fontchoice.h"
#include "report/designer/form/selectionstate.h"
#include "report/designer/page/designerglobals.h"
#include "report/designer/page/designerpage.h"
#include "report/designer/page/designerundo.h"
#include "report/vlfmtform.h"
#include "report/vlmemoview.h"

#include <QAction>
#include <QFontDialog>
#include <QMenu>
#include <algorithm>

namespace {

// Items of the context menu before the selected object's own.
constexpr int fixedItems = 7;

} // namespace

void TvlDesignerForm::CreatePopup()
{
    m_popup1 = new QMenu(this);
    Register(QStringLiteral("Popup1"), m_popup1);
    AddItem(m_popup1, QStringLiteral("N2"), QStringLiteral("Vy&střihnout"), QKeySequence(Qt::CTRL | Qt::Key_X), "CutB");
    AddItem(m_popup1, QStringLiteral("N1"), QStringLiteral("&Kopírovat"), QKeySequence(Qt::CTRL | Qt::Key_C), "CopyB");
    AddItem(m_popup1, QStringLiteral("N3"), QStringLiteral("V&ložit"), QKeySequence(Qt::CTRL | Qt::Key_V), "PstB");
    AddItem(m_popup1, QStringLiteral("N5"), QStringLiteral("Sma&zat"), QKeySequence(Qt::Key_Delete));
    AddItem(m_popup1, QStringLiteral("N16"), QStringLiteral("Vy&brat vše"), QKeySequence(Qt::CTRL | Qt::Key_A),
            "SelAllB");
    m_popup1->addSeparator();
    AddItem(m_popup1, QStringLiteral("N6"), QStringLiteral("&Editovat..."));
    // The pop-up's shortcuts are the edit menu's; here they are only shown.
    for (QAction *item : m_popup1->actions())
        item->setShortcutContext(Qt::WidgetShortcut);
    connect(m_popup1, &QMenu::aboutToShow, this, &TvlDesignerForm::Popup1Popup);
}

void TvlDesignerForm::Popup1Popup()
{
    EnableControls();
    const QList<QAction *> items = m_popup1->actions();
    for (int i = fixedItems; i < items.size(); ++i) {
        m_popup1->removeAction(items[i]);
        delete items[i];
    }
    // The options of the one selected object, or of the topmost selected one
    // when all selected are of one kind that is not a band.
    const int top = TopSelectedIndex();
    if (!m_page || top < 0 || vlSelectedCount(m_page) == 0)
        return;
    const TvlView *topView = m_page->Object(top);
    if (vlSelectedCount(m_page) > 1) {
        if (topView->ObjectType == otBand)
            return;
        for (const auto &view : m_page->Objects)
            if (view->Selected &&
                (view->ObjectType != topView->ObjectType || view->ClassName() != topView->ClassName()))
                return;
    }
    const QList<TvlMenuOption> options = topView->FillPopupMenu();
    if (options.isEmpty())
        return;
    m_popup1->addSeparator();
    for (int i = 0; i < options.size(); ++i) {
        const TvlMenuOption &option = options[i];
        if (option.Text == QLatin1String("-")) {
            m_popup1->addSeparator();
            continue;
        }
        QAction *item = m_popup1->addAction(option.Text);
        item->setEnabled(option.Enabled);
        if (option.Kind == TvlMenuOption::ToggleFlag) {
            item->setCheckable(true);
            item->setChecked(topView->Flags & option.Flag);
        }
        connect(item, &QAction::triggered, this, [this, i] { RunMenuOption(i); });
    }
}

void TvlDesignerForm::RunMenuOption(int index)
{
    const int top = TopSelectedIndex();
    if (!m_page || top < 0)
        return;
    TvlView *topView = m_page->Object(top);
    const QList<TvlMenuOption> options = topView->FillPopupMenu();
    if (index < 0 || index >= options.size())
        return;
    const TvlMenuOption option = options[index];
    switch (option.Kind) {
    case TvlMenuOption::ToggleFlag: {
        BeforeObjectChange();
        const bool set = !(topView->Flags & option.Flag);
        for (const auto &view : m_page->Objects)
            if (view->Selected)
                view->Flags = set ? (view->Flags | option.Flag) : (view->Flags & ~option.Flag);
        break;
    }
    case TvlMenuOption::FormatDialog: {
        TvlFmtForm form(this);
        form.SetFormat(topView->Format, topView->FormatText);
        if (form.exec() != QDialog::Accepted)
            return;
        BeforeObjectChange();
        for (const auto &view : m_page->Objects)
            if (view->Selected && view->ObjectType == topView->ObjectType) {
                view->Format = form.Format();
                view->FormatText = form.FormatText();
            }
        break;
    }
    case TvlMenuOption::FontDialog: {
        if (topView->ObjectType != otMemo)
            return;
        auto *memo = static_cast<TvlMemoView *>(topView);
        QFontDialog dialog(vlDialogFont(memo->FontName, memo->FontSize, memo->FontStyle), this);
        dialog.setWindowTitle(QStringLiteral("Font"));
        const QFont opened = dialog.currentFont();
        if (vlDialogAnswers().FontDialog(dialog) != QDialog::Accepted)
            return;
        // The dialog's font goes whole to every selected memo, fonts they
        // had of their own or not.
        const TvlMemoFont font = vlChosenFont(vlMemoFont(*memo), opened, dialog.selectedFont());
        std::vector<TvlMemoView *> memos;
        for (const auto &view : m_page->Objects)
            if (view->Selected && view->ObjectType == otMemo)
                memos.push_back(static_cast<TvlMemoView *>(view.get()));
        if (std::all_of(memos.begin(), memos.end(), [&](TvlMemoView *m) { return vlMemoFont(*m) == font; }))
            return;
        BeforeObjectChange();
        for (TvlMemoView *m : memos)
            vlSetMemoFont(*m, font);
        break;
    }
    }
    AfterObjectChange();
    SelectionChanged();
}

void TvlDesignerForm::ShowContextMenu(const QPoint &globalPos)
{
    m_popup1->exec(globalPos);
}

bool TvlDesignerForm::ChooseBandType(int &bandType)
{
    if (!m_page)
        return false;
    bandType = vlChooseBandType(*m_page, this);
    return bandType >= 0;
}
