#include "kit/numbertext.h"

#include "kit/glyphs.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

namespace NumberText {

QString candidateText(const QString &text, int selectionStart, int selectionLength, int caret, KeyAction action,
                      QChar typed)
{
    QString result = text;
    if (selectionLength > 0) {
        result.remove(selectionStart, selectionLength);
        caret = selectionStart;
        if (action == KeyAction::Type)
            result.insert(caret, typed);
        return result;
    }
    switch (action) {
    case KeyAction::Type:
        result.insert(caret, typed);
        break;
    case KeyAction::Backspace:
        if (caret > 0)
            result.remove(caret - 1, 1);
        break;
    case KeyAction::Delete:
        if (caret < result.size())
            result.remove(caret, 1);
        break;
    }
    return result;
}

KeyCandidate classifyKey(const QKeyEvent &event, const QLineEdit &edit)
{
    KeyCandidate key;
    const int start = edit.hasSelectedText() ? edit.selectionStart() : edit.cursorPosition();
    const int length = edit.hasSelectedText() ? int(edit.selectedText().size()) : 0;
    auto candidate = [&](KeyAction action, QChar c = QChar()) {
        return candidateText(edit.text(), start, length, edit.cursorPosition(), action, c);
    };
    const Qt::KeyboardModifiers mods = event.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        key.kind = KeyCandidate::Enter;
        return key;
    case Qt::Key_Backspace:
        key.kind = KeyCandidate::Backspace;
        key.candidate = candidate(KeyAction::Backspace);
        return key;
    case Qt::Key_Delete:
        if (mods != Qt::NoModifier)
            return key; // Shift+Delete cuts, Ctrl+Delete deletes a word: left to the edit
        key.kind = KeyCandidate::Delete;
        key.candidate = candidate(KeyAction::Delete);
        return key;
    default:
        break;
    }
    const QString text = event.text();
    if (text.size() == 1 && text[0].isPrint() && !(mods & (Qt::ControlModifier | Qt::AltModifier))) {
        key.kind = KeyCandidate::Typed;
        key.typed = text[0];
        key.candidate = candidate(KeyAction::Type, key.typed);
    }
    return key;
}

namespace {

class PasteGuard : public QObject
{
public:
    PasteGuard(QLineEdit *edit, std::function<bool(const QString &)> accepts, std::function<void()> refused)
        : QObject(edit)
        , edit(edit)
        , accepts(std::move(accepts))
        , refused(std::move(refused))
    {
        edit->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != edit)
            return false;
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste)) {
            paste();
            return true;
        }
        if (event->type() == QEvent::ContextMenu) {
            QMenu *menu = edit->createStandardContextMenu();
            for (QAction *action : menu->actions()) {
                if (action->objectName() == QLatin1String("edit-paste")) {
                    disconnect(action, &QAction::triggered, nullptr, nullptr);
                    connect(action, &QAction::triggered, this, &PasteGuard::paste);
                }
            }
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->popup(static_cast<QContextMenuEvent *>(event)->globalPos());
            return true;
        }
        return false;
    }

    void paste()
    {
        if (edit->isReadOnly())
            return;
        const QString pasted = QGuiApplication::clipboard()->text().trimmed();
        const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
        const int length = edit->hasSelectedText() ? int(edit->selectedText().size()) : 0;
        const QString candidate = QString(edit->text()).replace(start, length, pasted);
        if (pasted.isEmpty() || !accepts(candidate)) {
            refused ? refused() : Glyphs::beep();
            return;
        }
        edit->insert(pasted);
    }

private:
    QLineEdit *edit;
    std::function<bool(const QString &)> accepts;
    std::function<void()> refused;
};

} // namespace

void guardPaste(QLineEdit *edit, std::function<bool(const QString &candidate)> accepts, std::function<void()> refused)
{
    edit->setAcceptDrops(false); // dropped text would pass no filter
    new PasteGuard(edit, std::move(accepts), std::move(refused));
}

} // namespace NumberText
