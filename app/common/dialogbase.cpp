#include "app/common/dialogbase.h"

#include "app/common/formcontrols.h"
#include "app/common/modalresult.h"
#include "app/common/screenplacement.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TForm_Dialog::TForm_Dialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    Bevel = new QFrame(this);
    Bevel->setObjectName(QStringLiteral("Bevel"));
    Bevel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);

    Button_Ok = new QPushButton(QStringLiteral("&Ok"), this);
    Button_Ok->setObjectName(QStringLiteral("Button_Ok"));
    Button_Ok->setDefault(true);
    Button_Ok->setMinimumWidth(88);
    connect(Button_Ok, &QPushButton::clicked, this, [this] { done(mrOk); });

    Button_Storno = new QPushButton(QStringLiteral("S&torno"), this);
    Button_Storno->setObjectName(QStringLiteral("Button_Storno"));
    Button_Storno->setMinimumWidth(88);
    connect(Button_Storno, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button_Ok);
    buttons->addWidget(Button_Storno);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(Bevel, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool TForm_Dialog::ControlsValide()
{
    const bool valid = FormControlsValide(this);
    Button_Ok->setEnabled(valid);
    return valid;
}

void TForm_Dialog::ControlsChange(QObject *)
{
    const QList<Binding> current = bindings;
    for (const Binding &binding : current)
        if (binding.control && IsInputControl(binding.control))
            binding.handler(binding.control);
}

void TForm_Dialog::BindChange(QWidget *control, ChangeHandler handler)
{
    bindings.append({control, handler});
    QPointer<QWidget> guarded = control;
    ConnectChange(control, [guarded, handler] {
        if (guarded)
            handler(guarded);
    });
}

void TForm_Dialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!shownOnce) {
        shownOnce = true;
        FocusClientFirst(this, {Button_Ok, Button_Storno});
    }
    CenterOnMainScreen(this);
}

void FocusClientFirst(QDialog *dialog, const QList<QWidget *> &trailingButtons)
{
    // Collect the focus chain without the trailing buttons, then append them.
    QList<QWidget *> chain;
    QWidget *start = dialog;
    for (QWidget *w = start->nextInFocusChain(); w && w != start; w = w->nextInFocusChain())
        if (!trailingButtons.contains(w) && w->window() == dialog && (w->focusPolicy() & Qt::TabFocus))
            chain.append(w);
    QWidget *previous = chain.isEmpty() ? nullptr : chain.last();
    for (QWidget *button : trailingButtons) {
        if (previous)
            QWidget::setTabOrder(previous, button);
        previous = button;
    }
    QWidget *focused = dialog->focusWidget();
    if ((!focused || trailingButtons.contains(focused)) && !chain.isEmpty()) {
        for (QWidget *w : chain)
            if (w->isEnabled() && w->isVisibleTo(dialog)) {
                w->setFocus(Qt::TabFocusReason);
                break;
            }
    }
}
