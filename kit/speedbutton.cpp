#include "kit/speedbutton.h"

#include "kit/glyphs.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>

namespace {
constexpr int kDropMarkWidth = 9;

bool isHorizontal(Kx::TButtonLayout layout)
{
    return layout == Kx::blGlyphLeft || layout == Kx::blGlyphRight;
}
} // namespace

TKxSpeedButton::TKxSpeedButton(QWidget *parent)
    : QToolButton(parent)
{
    resize(25, 25);
    setAutoRepeatDelay(500);
    setAutoRepeatInterval(100);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    // A button with a modal result closes its dialog with that result.
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (linkedAction)
            linkedAction->trigger();
        if (modalResultValue != 0)
            if (auto *dialog = qobject_cast<QDialog *>(window()))
                dialog->done(modalResultValue);
    });
}

void TKxSpeedButton::setAlignment(Kx::TAlignment value)
{
    captionAlignment = value;
    update();
}

void TKxSpeedButton::setAllowAllUp(bool value)
{
    allowAllUpFlag = value;
    if (group != 0)
        releaseGroupSiblings();
}

void TKxSpeedButton::setGroupIndex(int value)
{
    group = value;
    if (group == 0)
        downFlag = false;
    update();
}

void TKxSpeedButton::setDownState(bool value)
{
    if (group == 0)
        value = false;
    if (value == downFlag)
        return;
    if (downFlag && !allowAllUpFlag)
        return; // a group always keeps one button down
    downFlag = value;
    if (downFlag)
        releaseGroupSiblings();
    update();
}

void TKxSpeedButton::releaseGroupSiblings()
{
    if (!parentWidget() || group == 0)
        return;
    const auto siblings = parentWidget()->findChildren<TKxSpeedButton *>(Qt::FindDirectChildrenOnly);
    for (TKxSpeedButton *sibling : siblings) {
        if (sibling == this || sibling->group != group)
            continue;
        if (downFlag && sibling->downFlag) {
            sibling->downFlag = false;
            sibling->update();
        }
        sibling->allowAllUpFlag = allowAllUpFlag;
    }
}

void TKxSpeedButton::setDropDownMenu(QMenu *menu)
{
    dropMenu = menu;
    update();
}

void TKxSpeedButton::setCaption(const QString &value)
{
    setText(value);
    update();
}

void TKxSpeedButton::setFlat(bool value)
{
    setAutoRaise(value);
    update();
}

void TKxSpeedButton::setFlatStandard(bool value)
{
    flatStandardFlag = value;
    update();
}

void TKxSpeedButton::setGlyph(const QImage &value)
{
    sourceGlyph = value;
    glyphTransparent = Glyphs::transparentColorOf(value);
    invalidateImages();
}

void TKxSpeedButton::setGrayedInactive(bool value)
{
    grayedInactiveFlag = value;
    update();
}

void TKxSpeedButton::setLayout(Kx::TButtonLayout value)
{
    glyphLayout = value;
    update();
}

void TKxSpeedButton::setMargin(int value)
{
    marginValue = qMax(-1, value);
    update();
}

void TKxSpeedButton::setMarkDropDown(bool value)
{
    markDropDownFlag = value;
    update();
}

void TKxSpeedButton::setNumGlyphs(int value)
{
    glyphCount = qBound(1, value, 5);
    invalidateImages();
}

void TKxSpeedButton::setSpacing(int value)
{
    spacingValue = qMax(-1, value);
    update();
}

void TKxSpeedButton::setButtonStyle(Kx::TButtonStyle value)
{
    styleValue = value;
    update();
}

void TKxSpeedButton::setTransparent(bool value)
{
    transparentFlag = value;
    update();
}

void TKxSpeedButton::setWordWrap(bool value)
{
    wordWrapFlag = value;
    update();
}

void TKxSpeedButton::setAction(QAction *value)
{
    if (linkedAction == value)
        return;
    if (linkedAction)
        disconnect(linkedAction, nullptr, this, nullptr);
    linkedAction = value;
    if (!value)
        return;
    connect(value, &QAction::changed, this, &TKxSpeedButton::followAction);
    followAction();
}

void TKxSpeedButton::followAction()
{
    QAction *source = linkedAction;
    if (!source)
        return;
    setCaption(source->text());
    setEnabled(source->isEnabled());
    setToolTip(source->toolTip());
    if (group != 0 && source->isCheckable())
        setDownState(source->isChecked());
    const QIcon icon = source->icon();
    if (!icon.isNull()) {
        // The image on a fuchsia background, which is then left out.
        const QList<QSize> sizes = icon.availableSizes();
        const QSize size = sizes.isEmpty() ? QSize(16, 16) : sizes.first();
        QImage bitmap(size, QImage::Format_RGB32);
        const QColor background(255, 0, 255);
        bitmap.fill(background);
        {
            QPainter painter(&bitmap);
            icon.paint(&painter, QRect(QPoint(0, 0), size));
        }
        glyphCount = 1;
        sourceGlyph = bitmap;
        glyphTransparent = background;
        invalidateImages();
    }
}

void TKxSpeedButton::invalidateImages()
{
    builtImages.invalidate();
    update();
}

void TKxSpeedButton::loaded()
{
    invalidateImages();
}

QImage TKxSpeedButton::stateImage(GlyphState state)
{
    if (sourceGlyph.isNull())
        return QImage();
    if (builtImages.isBuilt(state))
        return builtImages.image(state);
    const QColor transparent = glyphTransparent;
    QImage image;
    const QPalette &pal = palette();
    const int index = int(state) < glyphCount ? int(state) : 0;
    const QImage cell = Glyphs::cutCell(sourceGlyph, glyphCount, index);
    switch (state) {
    case gsUp:
    case gsDown:
    case gsExclusive:
        image = Glyphs::withTransparency(cell, transparent);
        break;
    case gsDisabled:
        image = glyphCount == 1
                    ? Glyphs::embossed(cell, transparent, pal.color(QPalette::Button), pal.color(QPalette::Light),
                                       pal.color(QPalette::Dark))
                    : Glyphs::disabledMapped(cell, transparent, pal.color(QPalette::Light), pal.color(QPalette::Dark));
        image = Glyphs::withTransparency(image, pal.color(QPalette::Button));
        break;
    case gsGrayed:
        image = Glyphs::withTransparency(Glyphs::grayed(cell, transparent, pal.color(QPalette::Button)), transparent);
        break;
    }
    builtImages.store(state, image);
    return image;
}

TKxSpeedButton::GlyphState TKxSpeedButton::paintState() const
{
    if (!isEnabled())
        return gsDisabled;
    if (isDown())
        return gsDown;
    if (downFlag && group != 0)
        return gsExclusive;
    return gsUp;
}

TKxSpeedButton::Placement TKxSpeedButton::placeGlyphAndCaption(const QRect &client, QSize glyphSize, QSize captionSize,
                                                               Kx::TButtonLayout layout, int margin, int spacing)
{
    Placement result;
    const bool horizontal = isHorizontal(layout);
    const int across = horizontal ? client.height() : client.width();
    const int along = horizontal ? client.width() : client.height();
    const int glyphAcross = horizontal ? glyphSize.height() : glyphSize.width();
    const int glyphAlong = horizontal ? glyphSize.width() : glyphSize.height();
    const int captionAcross = horizontal ? captionSize.height() : captionSize.width();
    const int captionAlong = horizontal ? captionSize.width() : captionSize.height();

    if (captionAlong == 0 || glyphAlong == 0)
        spacing = 0;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (along - glyphAlong - captionAlong) / 3;
            spacing = margin;
        } else {
            margin = (along - (glyphAlong + spacing + captionAlong) + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing = (along - (margin + glyphAlong) - captionAlong) / 2;
    }

    int glyphPos = margin;
    int captionPos = glyphPos + glyphAlong + spacing;
    if (layout == Kx::blGlyphRight || layout == Kx::blGlyphBottom) {
        glyphPos = along - margin - glyphAlong;
        captionPos = glyphPos - spacing - captionAlong;
    }
    const int glyphCross = (across - glyphAcross + 1) / 2;
    const int captionCross = (across - captionAcross + 1) / 2;
    if (horizontal) {
        result.glyph = client.topLeft() + QPoint(glyphPos, glyphCross);
        result.caption = QRect(client.topLeft() + QPoint(captionPos, captionCross), captionSize);
    } else {
        result.glyph = client.topLeft() + QPoint(glyphCross, glyphPos);
        result.caption = QRect(client.topLeft() + QPoint(captionCross, captionPos), captionSize);
    }
    return result;
}

QSize TKxSpeedButton::captionSize(int maxWidth) const
{
    if (text().isEmpty())
        return QSize(0, 0);
    const QFontMetrics metrics(font());
    const int flags = Qt::TextShowMnemonic | (wordWrapFlag ? Qt::TextWordWrap : 0);
    return metrics.boundingRect(QRect(0, 0, qMax(1, maxWidth), 10000), flags, text()).size();
}

void TKxSpeedButton::paintFrame(QPainter &painter, GlyphState state, bool grayedLook)
{
    const bool pressed = state == gsDown || state == gsExclusive;
    if (!(grayedLook && state != gsExclusive)) {
        QStyleOptionButton option;
        option.initFrom(this);
        option.state |= pressed ? QStyle::State_Sunken : QStyle::State_Raised;
        if (isFlat() && !flatStandardFlag) {
            if (mouseInside || pressed)
                style()->drawPrimitive(QStyle::PE_PanelButtonTool, &option, &painter, this);
        } else {
            style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &option, &painter, this);
        }
    }
    if (state == gsExclusive && !transparentFlag) {
        painter.fillRect(rect().adjusted(2, 2, -2, -2), palette().color(QPalette::Button));
        painter.fillRect(rect().adjusted(2, 2, -2, -2), QBrush(palette().color(QPalette::Light), Qt::Dense4Pattern));
    }
}

void TKxSpeedButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    GlyphState state = paintState();
    const bool grayedLook = isFlat() && grayedInactiveFlag && !mouseInside && isEnabled();
    if (!transparentFlag)
        painter.fillRect(rect(), palette().color(QPalette::Button));
    paintFrame(painter, state, grayedLook);

    QRect client = rect().adjusted(2, 2, -2, -2);
    const bool dropMark = dropMenu && markDropDownFlag;
    if (dropMark)
        client.setWidth(client.width() - kDropMarkWidth);
    const QImage image = stateImage(grayedLook && state != gsExclusive && state != gsDisabled ? gsGrayed : state);
    const QSize caption = captionSize(client.width());
    Placement place = placeGlyphAndCaption(client, image.size(), caption, glyphLayout, marginValue, spacingValue);
    const QPoint pressShift = (state == gsDown || state == gsExclusive) ? QPoint(1, 1) : QPoint();
    if (!image.isNull())
        painter.drawImage(place.glyph + pressShift, image);
    if (!text().isEmpty()) {
        int flags = Qt::TextShowMnemonic | Qt::AlignVCenter;
        flags |= wordWrapFlag ? Qt::TextWordWrap : 0;
        flags |= captionAlignment == Kx::taLeftJustify    ? Qt::AlignLeft
                 : captionAlignment == Kx::taRightJustify ? Qt::AlignRight
                                                          : Qt::AlignHCenter;
        const QRect textRect = place.caption.translated(pressShift);
        if (state == gsDisabled) {
            painter.setPen(palette().color(QPalette::Light));
            painter.drawText(textRect.translated(1, 1), flags, text());
            painter.setPen(palette().color(QPalette::Disabled, QPalette::ButtonText));
        } else {
            painter.setPen(palette().color(QPalette::ButtonText));
        }
        painter.drawText(textRect, flags, text());
    }
    if (dropMark) {
        const int middle = text().isEmpty() ? height() / 2 : place.caption.center().y();
        const int left = text().isEmpty() ? (width() - 5) / 2 : place.caption.right() + 3;
        painter.setPen(Qt::NoPen);
        painter.setBrush(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        const QPoint arrow[3] = {QPoint(left, middle - 1), QPoint(left + 5, middle - 1), QPoint(left + 2, middle + 2)};
        painter.drawPolygon(arrow, 3);
    }
}

void TKxSpeedButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && isEnabled() && dropMenu) {
        showDropDownMenu();
        event->accept();
        return;
    }
    QToolButton::mousePressEvent(event);
}

void TKxSpeedButton::showDropDownMenu()
{
    setDown(true);
    const QSize menuSize = dropMenu->sizeHint();
    const bool rightAligned = layoutDirection() == Qt::RightToLeft;
    QPoint local;
    if (menuPos == dmpBottom)
        local = QPoint(rightAligned ? width() - menuSize.width() : 0, height());
    else
        local = rightAligned ? QPoint(-menuSize.width(), 0) : QPoint(width(), 0);
    dropMenu->exec(mapToGlobal(local));
    // The press ends here: no click follows from it.
    setDown(false);
    update();
}

void TKxSpeedButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && isDown() && group != 0 && hitButton(event->pos())) {
        if (!downFlag)
            setDownState(true);
        else if (allowAllUpFlag)
            setDownState(false);
    }
    QToolButton::mouseReleaseEvent(event);
}

void TKxSpeedButton::enterEvent(QEnterEvent *event)
{
    QToolButton::enterEvent(event);
    if (!QApplication::activeWindow())
        return; // hovering over a window of an inactive program changes nothing
    mouseInside = true;
    emit OnMouseEnter();
    update();
}

void TKxSpeedButton::leaveEvent(QEvent *event)
{
    QToolButton::leaveEvent(event);
    if (!mouseInside)
        return;
    mouseInside = false;
    emit OnMouseLeave();
    update();
}

void TKxSpeedButton::changeEvent(QEvent *event)
{
    QToolButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::PaletteChange)
        invalidateImages();
}
