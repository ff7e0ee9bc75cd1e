#pragma once
// A single-line edit with a small button inside its right edge. The button
// raises OnButtonClick or drops down a pop-up window under the edit, from
// which a value is taken back into the text.
#include "kit/editmask.h"
#include "kit/speedbutton.h"

#include <QKeySequence>
#include <QLineEdit>
#include <QPointer>
#include <QVariant>

#include "kit/popupwindow.h"
class TCustomComboEdit;

class TEditButton : public TKxSpeedButton
{
    Q_OBJECT

public:
    explicit TEditButton(TCustomComboEdit *edit);

protected:
    void paintFrame(QPainter &painter, GlyphState state, bool grayedLook) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    TCustomComboEdit *owner;
    bool noAction = false; // the press closed a pop-up: no click follows
};

class TCustomComboEdit : public QLineEdit, public TKxLoadable
{
    Q_OBJECT
    Q_PROPERTY(Kx::TAlignment Alignment READ alignmentValue WRITE setAlignmentValue)
    Q_PROPERTY(bool AutoSelect READ autoSelect WRITE setAutoSelect)
    Q_PROPERTY(QString ButtonHint READ buttonHint WRITE setButtonHint)
    Q_PROPERTY(int ButtonWidth READ buttonWidth WRITE setButtonWidth)
    Q_PROPERTY(QKeySequence ClickKey READ clickKey WRITE setClickKey)
    Q_PROPERTY(bool DirectInput READ directInput WRITE setDirectInput)
    Q_PROPERTY(bool ButtonAlwaysEnabled READ buttonAlwaysEnabled WRITE setButtonAlwaysEnabled)
    Q_PROPERTY(QImage Glyph READ glyph WRITE setGlyph)
    Q_PROPERTY(TGlyphKind GlyphKind READ glyphKind WRITE setGlyphKind)
    Q_PROPERTY(int NumGlyphs READ numGlyphs WRITE setNumGlyphs)
    Q_PROPERTY(bool ReadOnly READ readOnlyValue WRITE setReadOnlyValue)
    Q_PROPERTY(QString Text READ text WRITE setText NOTIFY OnChange USER true)

public:
    enum TGlyphKind { gkCustom, gkDefault, gkDropDown, gkEllipsis };
    Q_ENUM(TGlyphKind)
    enum TPopupAlign { epaRight, epaLeft };
    Q_ENUM(TPopupAlign)

    explicit TCustomComboEdit(QWidget *parent = nullptr);

    Kx::TAlignment alignmentValue() const { return alignmentSetting; }
    void setAlignmentValue(Kx::TAlignment value);
    bool autoSelect() const { return autoSelectFlag; }
    void setAutoSelect(bool value) { autoSelectFlag = value; }
    QString buttonHint() const;
    void setButtonHint(const QString &value);
    int buttonWidth() const { return buttonWidthValue; }
    void setButtonWidth(int value);
    QKeySequence clickKey() const { return clickKeySetting; }
    void setClickKey(const QKeySequence &value) { clickKeySetting = value; }
    bool directInput() const { return directInputFlag; }
    void setDirectInput(bool value);
    bool buttonAlwaysEnabled() const { return buttonAlwaysEnabledFlag; }
    void setButtonAlwaysEnabled(bool value) { buttonAlwaysEnabledFlag = value; }
    QImage glyph() const;
    void setGlyph(const QImage &value);
    TGlyphKind glyphKind() const { return glyphKindSetting; }
    void setGlyphKind(TGlyphKind value);
    int numGlyphs() const;
    void setNumGlyphs(int value);
    bool readOnlyValue() const { return readOnlyFlag; }
    void setReadOnlyValue(bool value);
    // The mask typing has to follow ("mask;save literals;blank"); empty: none.
    QString EditMask() const { return editMaskText; }
    void setEditMask(const QString &value);
    // The text as kept: without the mask's literals when it does not save them.
    QString maskedText() const;
    TPopupAlign popupAlign() const { return popupAlignSetting; }
    void setPopupAlign(TPopupAlign value) { popupAlignSetting = value; }

    TEditButton *button() const { return editButton; }
    TPopupWindow *popup() const { return popupWindow; }
    void setPopup(TPopupWindow *window);
    bool popupVisible() const { return popupShown; }

    virtual void ShowPopup(bool disableEdit);
    virtual void ClosePopup(bool accept);
    // Selects the whole text, only when typing is allowed.
    void SelectAll();
    // The button's click or the click key.
    void ButtonClick();

    // Where a pop-up of the size opens for an edit at the screen rectangle.
    static QPoint popupOrigin(const QRect &editOnScreen, QSize popupSize, const QRect &screen, TPopupAlign align);

signals:
    void OnButtonClick();
    void OnChange();

protected:
    virtual QImage getDefaultBitmap() const { return QImage(); }
    virtual void showPopupWindow(const QPoint &origin);
    virtual void hidePopupWindow();
    virtual void change();
    virtual bool acceptPopup(QVariant &value);
    virtual void acceptValue(const QVariant &value);
    virtual void setPopupValue(const QVariant &value);
    virtual QVariant getPopupValue() const;
    virtual bool editCanModify() const { return !readOnlyFlag; }
    virtual void popupChange() {}
    // How the edit itself aligns the text it shows while typing.
    virtual Qt::Alignment editAlignment() const { return Kx::toQtAlignment(alignmentSetting); }
    void applyEditAlignment() { setAlignment(editAlignment()); }

    // Paints the client area with the given text instead of the edit's own
    // painting; returns false (and paints nothing) when standard painting is
    // asked for.
    bool PaintEditText(QPainter &painter, const QString &text, Kx::TAlignment alignment, bool standardPaint);

    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void loaded() override { placeButton(); }

    void placeButton();
    QRect buttonArea() const;

private:
    void applyReadOnly();
    void applyGlyphKind();

    friend class TEditButton;
    TEditButton *editButton;
    QPointer<TPopupWindow> popupWindow;
    Kx::TAlignment alignmentSetting = Kx::taLeftJustify;
    bool autoSelectFlag = true;
    int buttonWidthValue = 21;
    QKeySequence clickKeySetting{Qt::ALT | Qt::Key_Down};
    bool directInputFlag = true;
    bool buttonAlwaysEnabledFlag = false;
    bool readOnlyFlag = false;
    TGlyphKind glyphKindSetting = gkCustom;
    TPopupAlign popupAlignSetting = epaRight;
    QString editMaskText;
    TKxEditMask editMaskRule;
    QImage customGlyph;
    int customNumGlyphs = 1;
    bool popupShown = false;
};

class TComboEdit : public TCustomComboEdit
{
    Q_OBJECT
    Q_PROPERTY(QString EditMask READ EditMask WRITE setEditMask)
    Q_PROPERTY(QString Text READ maskedText WRITE setText NOTIFY OnChange USER true)

public:
    explicit TComboEdit(QWidget *parent = nullptr);
};
