#include "kit/comboedit.h"

#include "kit/popupwindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionFrame>

namespace {

// Three 2x2 black dots in a row; the white bottom-left pixel marks the
// transparent colour.
QImage ellipsisGlyph()
{
    QImage image(11, 3, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int dot = 0; dot < 3; ++dot)
        for (int dx = 0; dx < 2; ++dx)
            for (int dy = 0; dy < 2; ++dy)
                image.setPixel(1 + dot * 4 + dx, dy, qRgb(0, 0, 0));
    return image;
}

QImage dropDownGlyph()
{
    QImage image(9, 5, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int row = 0; row < 4; ++row)
        for (int x = 1 + row; x < 8 - row; ++x)
            image.setPixel(x, row, qRgb(0, 0, 0));
    return image;
}

} // namespace

TEditButton::TEditButton(TCustomComboEdit *edit)
    : TKxSpeedButton(edit)
    , owner(edit)
{
    setCursor(Qt::ArrowCursor);
}

void TEditButton::paintFrame(QPainter &painter, GlyphState state, bool grayedLook)
{
    painter.fillRect(rect(), palette().color(QPalette::Button));
    TKxSpeedButton::paintFrame(painter, state, grayedLook);
    if (state != gsDown) {
        painter.setPen(palette().color(QPalette::Button));
        painter.drawLine(0, 0, 0, height() - 1);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(1, 0, 1, height() - 1);
    }
}

void TEditButton::mousePressEvent(QMouseEvent *event)
{
    noAction = false;
    if (event->button() == Qt::LeftButton) {
        if (owner->popupVisible()) {
            owner->ClosePopup(false);
            noAction = true;
        } else if ((owner->focusPolicy() & Qt::TabFocus) && owner->isEnabled()) {
            owner->setFocus(Qt::MouseFocusReason);
        }
    }
    TKxSpeedButton::mousePressEvent(event);
}

void TEditButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (noAction) {
        noAction = false;
        setDown(false);
        event->accept();
        return;
    }
    TKxSpeedButton::mouseReleaseEvent(event);
}

TCustomComboEdit::TCustomComboEdit(QWidget *parent)
    : QLineEdit(parent)
    , editButton(new TEditButton(this))
{
    editButton->resize(21, 17);
    connect(editButton, &QAbstractButton::clicked, this, &TCustomComboEdit::ButtonClick);
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (popupShown)
            popupChange();
        else if (!isLoading())
            change();
    });
    placeButton();
}

void TCustomComboEdit::setAlignmentValue(Kx::TAlignment value)
{
    alignmentSetting = value;
    applyEditAlignment();
    update();
}

QString TCustomComboEdit::buttonHint() const
{
    return editButton->toolTip();
}

void TCustomComboEdit::setButtonHint(const QString &value)
{
    editButton->setToolTip(value);
}

void TCustomComboEdit::setButtonWidth(int value)
{
    buttonWidthValue = value;
    placeButton();
}

void TCustomComboEdit::setDirectInput(bool value)
{
    directInputFlag = value;
    applyReadOnly();
}

void TCustomComboEdit::setReadOnlyValue(bool value)
{
    readOnlyFlag = value;
    applyReadOnly();
}

void TCustomComboEdit::applyReadOnly()
{
    // Typing is allowed only when not read-only and direct input is on.
    setReadOnly(readOnlyFlag || !directInputFlag);
}

QImage TCustomComboEdit::glyph() const
{
    return customGlyph;
}

void TCustomComboEdit::setGlyph(const QImage &value)
{
    customGlyph = value;
    glyphKindSetting = gkCustom;
    applyGlyphKind();
}

int TCustomComboEdit::numGlyphs() const
{
    return editButton->numGlyphs();
}

void TCustomComboEdit::setNumGlyphs(int value)
{
    customNumGlyphs = value;
    editButton->setNumGlyphs(value);
}

void TCustomComboEdit::setGlyphKind(TGlyphKind value)
{
    glyphKindSetting = value;
    applyGlyphKind();
}

void TCustomComboEdit::applyGlyphKind()
{
    switch (glyphKindSetting) {
    case gkCustom:
        editButton->setNumGlyphs(customNumGlyphs);
        editButton->setGlyph(customGlyph);
        break;
    case gkDefault: {
        const QImage bitmap = getDefaultBitmap();
        editButton->setNumGlyphs(1);
        editButton->setGlyph(bitmap);
        setButtonWidth(qMax(bitmap.width() + 6, 21));
        break;
    }
    case gkDropDown:
        editButton->setNumGlyphs(1);
        editButton->setGlyph(dropDownGlyph());
        setButtonWidth(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
        break;
    case gkEllipsis:
        editButton->setNumGlyphs(1);
        editButton->setGlyph(ellipsisGlyph());
        break;
    }
}

void TCustomComboEdit::setPopup(TPopupWindow *window)
{
    popupWindow = window;
    if (window)
        connect(window, &TPopupWindow::OnPopupClose, this, &TCustomComboEdit::ClosePopup, Qt::UniqueConnection);
}

QRect TCustomComboEdit::buttonArea() const
{
    if (!hasFrame())
        return QRect(width() - buttonWidthValue, 0, buttonWidthValue, height());
    QStyleOptionFrame option;
    initStyleOption(&option);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    return QRect(width() - buttonWidthValue - frame, frame, buttonWidthValue, height() - 2 * frame);
}

void TCustomComboEdit::placeButton()
{
    const bool shown = buttonWidthValue >= 2;
    editButton->setVisible(shown);
    if (shown)
        editButton->setGeometry(buttonArea());
    // The text ends where the button begins.
    QMargins margins = textMargins();
    margins.setRight(shown ? buttonWidthValue : 0);
    setTextMargins(margins);
}

void TCustomComboEdit::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    placeButton();
}

void TCustomComboEdit::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::StyleChange)
        placeButton();
}

QPoint TCustomComboEdit::popupOrigin(const QRect &editOnScreen, QSize popupSize, const QRect &screen, TPopupAlign align)
{
    int y = editOnScreen.top() + editOnScreen.height();
    if (y + popupSize.height() > screen.bottom() + 1)
        y = editOnScreen.top() - popupSize.height();
    const int wider = popupSize.width() - editOnScreen.width();
    int x;
    if (align == epaRight) {
        x = editOnScreen.left() - wider;
        if (x < screen.left())
            x = editOnScreen.left();
    } else {
        x = editOnScreen.left();
        if (x + popupSize.width() > screen.right() + 1)
            x = editOnScreen.left() - wider;
    }
    x = qBound(screen.left(), x, screen.right() + 1 - popupSize.width());
    return QPoint(x, y);
}

void TCustomComboEdit::ShowPopup(bool disableEdit)
{
    if (!popupWindow || readOnlyFlag || popupShown)
        return;
    const QRect editOnScreen(mapToGlobal(QPoint(0, 0)), size());
    const QScreen *where = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect screenRect = where ? where->geometry() : QRect(0, 0, 1024, 768);
    popupWindow->adjustSize();
    const QPoint origin = popupOrigin(editOnScreen, popupWindow->size(), screenRect, popupAlignSetting);
    setPopupValue(text().isEmpty() ? QVariant(QString()) : QVariant(text()));
    if (isEnabled() && focusPolicy() != Qt::NoFocus)
        setFocus(Qt::PopupFocusReason);
    showPopupWindow(origin);
    popupShown = true;
    if (disableEdit)
        setReadOnly(true); // a read-only edit shows no caret
}

void TCustomComboEdit::ClosePopup(bool accept)
{
    if (!popupWindow || !popupShown)
        return;
    if (QWidget *grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    QVariant value = getPopupValue();
    hidePopupWindow();
    if (isEnabled() && focusPolicy() != Qt::NoFocus)
        setFocus(Qt::PopupFocusReason);
    applyReadOnly();
    update();
    popupShown = false;
    if (accept && acceptPopup(value) && editCanModify())
        acceptValue(value);
}

void TCustomComboEdit::showPopupWindow(const QPoint &origin)
{
    popupWindow->Show(origin);
}

void TCustomComboEdit::hidePopupWindow()
{
    popupWindow->Hide();
}

void TCustomComboEdit::change()
{
    emit OnChange();
}

bool TCustomComboEdit::acceptPopup(QVariant &)
{
    return true;
}

void TCustomComboEdit::acceptValue(const QVariant &value)
{
    const QString newText = value.toString();
    if (newText != text()) {
        setText(newText); // raises the change event
        setModified(true);
    }
    if (hasFocus())
        SelectAll();
}

void TCustomComboEdit::setPopupValue(const QVariant &value)
{
    if (popupWindow)
        popupWindow->setValue(value);
}

QVariant TCustomComboEdit::getPopupValue() const
{
    return popupWindow ? popupWindow->getValue() : QVariant();
}

void TCustomComboEdit::SelectAll()
{
    if (directInputFlag)
        selectAll();
}

void TCustomComboEdit::ButtonClick()
{
    if (readOnlyFlag && !buttonAlwaysEnabledFlag)
        return;
    emit OnButtonClick();
    if (!popupWindow)
        return;
    if (popupShown)
        ClosePopup(true);
    else
        ShowPopup(true);
}

void TCustomComboEdit::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!clickKeySetting.isEmpty() && QKeySequence(QKeyCombination(mods, Qt::Key(key))) == clickKeySetting) {
        if (buttonWidthValue >= 1)
            ButtonClick();
        event->accept();
        return;
    }
    if (popupShown && (key == Qt::Key_Escape || enter)) {
        ClosePopup(key != Qt::Key_Escape);
        event->accept();
        return;
    }
    if ((mods & Qt::ControlModifier) && (key == Qt::Key_Tab || enter)) {
        event->ignore(); // for the form's own handling
        return;
    }
    if (key == Qt::Key_Escape || enter) {
        event->ignore(); // dialog keys: default and cancel buttons
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TCustomComboEdit::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && popupWindow) {
        const bool hadFocus = hasFocus();
        setFocus(Qt::MouseFocusReason);
        if (hadFocus && popupShown)
            ClosePopup(false);
    }
    QLineEdit::mousePressEvent(event);
}

void TCustomComboEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (autoSelectFlag && !(QApplication::mouseButtons() & Qt::LeftButton))
        SelectAll();
}

void TCustomComboEdit::focusOutEvent(QFocusEvent *event)
{
    // The pop-up itself never takes the focus, so any focus loss closes it.
    if (event->reason() != Qt::PopupFocusReason)
        ClosePopup(false);
    QLineEdit::focusOutEvent(event);
}

bool TCustomComboEdit::PaintEditText(QPainter &painter, const QString &text, Kx::TAlignment alignment,
                                     bool standardPaint)
{
    if (standardPaint)
        return false;
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    QRect area = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    area = area.marginsRemoved(textMargins()).adjusted(2, 0, -2, 0);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.setFont(font());
    painter.drawText(area, int(Kx::toQtAlignment(alignment)) | Qt::TextSingleLine, text);
    return true;
}

void TCustomComboEdit::setEditMask(const QString &value)
{
    if (value == editMaskText)
        return;
    const QString kept = maskedText();
    editMaskText = value;
    editMaskRule = TKxEditMask(value);
    setInputMask(editMaskRule.inputMask());
    setText(kept);
}

QString TCustomComboEdit::maskedText() const
{
    if (editMaskRule.isEmpty() || editMaskRule.saveLiterals())
        return text();
    return editMaskRule.textOf(displayText());
}

TComboEdit::TComboEdit(QWidget *parent)
    : TCustomComboEdit(parent)
{}
