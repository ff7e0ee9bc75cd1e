#pragma once
// The kit's graphic push button: a glyph of up to five state images, an
// optional caption, flat or framed, grouped with an exclusive "down" state,
// an optional drop-down menu and auto-repeat.
#include "kit/glyphcache.h"
#include "kit/kxtypes.h"

#include <QAction>
#include <QImage>
#include <QPointer>
#include <QToolButton>

#include <QMenu>

class TKxSpeedButton : public QToolButton, public TKxLoadable
{
    Q_OBJECT
    Q_PROPERTY(Kx::TAlignment Alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(bool AllowAllUp READ allowAllUp WRITE setAllowAllUp)
    Q_PROPERTY(bool AllowTimer READ allowTimer WRITE setAllowTimer)
    Q_PROPERTY(int GroupIndex READ groupIndex WRITE setGroupIndex)
    Q_PROPERTY(bool Down READ isDownState WRITE setDownState)
    Q_PROPERTY(TKxDropDownMenuPos MenuPosition READ menuPosition WRITE setMenuPosition)
    Q_PROPERTY(QString Caption READ text WRITE setCaption)
    Q_PROPERTY(bool Flat READ isFlat WRITE setFlat)
    Q_PROPERTY(bool FlatStandard READ flatStandard WRITE setFlatStandard)
    Q_PROPERTY(QImage Glyph READ glyph WRITE setGlyph)
    Q_PROPERTY(bool GrayedInactive READ grayedInactive WRITE setGrayedInactive)
    Q_PROPERTY(int InitPause READ initPause WRITE setInitPause)
    Q_PROPERTY(Kx::TButtonLayout Layout READ layout WRITE setLayout)
    Q_PROPERTY(int Margin READ margin WRITE setMargin)
    Q_PROPERTY(bool MarkDropDown READ markDropDown WRITE setMarkDropDown)
    Q_PROPERTY(int ModalResult READ modalResult WRITE setModalResult)
    Q_PROPERTY(int NumGlyphs READ numGlyphs WRITE setNumGlyphs)
    Q_PROPERTY(int RepeatInterval READ repeatInterval WRITE setRepeatInterval)
    Q_PROPERTY(int Spacing READ spacing WRITE setSpacing)
    Q_PROPERTY(Kx::TButtonStyle Style READ buttonStyle WRITE setButtonStyle)
    Q_PROPERTY(bool Transparent READ isTransparent WRITE setTransparent)
    Q_PROPERTY(bool WordWrap READ wordWrap WRITE setWordWrap)
    Q_PROPERTY(QAction *Action READ action WRITE setAction)

public:
    enum TKxDropDownMenuPos { dmpBottom, dmpRight };
    Q_ENUM(TKxDropDownMenuPos)
    // The state images, in the order of the images in a glyph bitmap.
    enum GlyphState { gsUp, gsDisabled, gsDown, gsExclusive, gsGrayed };

    explicit TKxSpeedButton(QWidget *parent = nullptr);

    Kx::TAlignment alignment() const { return captionAlignment; }
    void setAlignment(Kx::TAlignment value);
    bool allowAllUp() const { return allowAllUpFlag; }
    void setAllowAllUp(bool value);
    bool allowTimer() const { return autoRepeat(); }
    void setAllowTimer(bool value) { setAutoRepeat(value); }
    int groupIndex() const { return group; }
    void setGroupIndex(int value);
    bool isDownState() const { return downFlag; }
    void setDownState(bool value);
    TKxDropDownMenuPos menuPosition() const { return menuPos; }
    void setMenuPosition(TKxDropDownMenuPos value) { menuPos = value; }
    QMenu *dropDownMenu() const { return dropMenu; }
    void setDropDownMenu(QMenu *menu);
    void setCaption(const QString &value);
    bool isFlat() const { return autoRaise(); }
    void setFlat(bool value);
    bool flatStandard() const { return flatStandardFlag; }
    void setFlatStandard(bool value);
    QImage glyph() const { return sourceGlyph; }
    void setGlyph(const QImage &value);
    bool grayedInactive() const { return grayedInactiveFlag; }
    void setGrayedInactive(bool value);
    int initPause() const { return autoRepeatDelay(); }
    void setInitPause(int value) { setAutoRepeatDelay(value); }
    Kx::TButtonLayout layout() const { return glyphLayout; }
    void setLayout(Kx::TButtonLayout value);
    int margin() const { return marginValue; }
    void setMargin(int value);
    bool markDropDown() const { return markDropDownFlag; }
    void setMarkDropDown(bool value);
    int modalResult() const { return modalResultValue; }
    void setModalResult(int value) { modalResultValue = value; }
    int numGlyphs() const { return glyphCount; }
    void setNumGlyphs(int value);
    int repeatInterval() const { return autoRepeatInterval(); }
    void setRepeatInterval(int value) { setAutoRepeatInterval(value); }
    int spacing() const { return spacingValue; }
    void setSpacing(int value);
    Kx::TButtonStyle buttonStyle() const { return styleValue; }
    void setButtonStyle(Kx::TButtonStyle value);
    bool isTransparent() const { return transparentFlag; }
    void setTransparent(bool value);
    bool wordWrap() const { return wordWrapFlag; }
    void setWordWrap(bool value);
    // The linked action: caption, enabled state, hint, glyph and (for a
    // grouped button with a checkable action) Down follow it; a click
    // triggers it.
    QAction *action() const { return linkedAction; }
    void setAction(QAction *value);
    // The colour of the glyph bitmap that is not drawn.
    QColor transparentColor() const { return glyphTransparent; }

    // The image drawn for a state, built on first use from the glyph bitmap.
    QImage stateImage(GlyphState state);
    // The state the button would be painted in now.
    GlyphState paintState() const;
    bool mouseInControl() const { return mouseInside; }

    struct Placement
    {
        QPoint glyph;
        QRect caption;
    };
    // Places glyph and caption in the client rectangle by layout, margin and
    // spacing (-1 meaning: share the free space evenly).
    static Placement placeGlyphAndCaption(const QRect &client, QSize glyphSize, QSize captionSize,
                                          Kx::TButtonLayout layout, int margin, int spacing);

    QSize sizeHint() const override { return QSize(25, 25); }

signals:
    void OnMouseEnter();
    void OnMouseLeave();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void loaded() override;
    // The face colour under the glyph (the edit button paints its own).
    virtual void paintFrame(QPainter &painter, GlyphState state, bool grayedLook);
    void invalidateImages();

private:
    void showDropDownMenu();
    void releaseGroupSiblings();
    QSize captionSize(int maxWidth) const;
    void followAction();

    Kx::TAlignment captionAlignment = Kx::taCenter;
    bool allowAllUpFlag = false;
    int group = 0;
    bool downFlag = false;
    TKxDropDownMenuPos menuPos = dmpBottom;
    QPointer<QMenu> dropMenu;
    bool flatStandardFlag = false;
    QImage sourceGlyph;
    bool grayedInactiveFlag = true;
    Kx::TButtonLayout glyphLayout = Kx::blGlyphTop;
    int marginValue = -1;
    bool markDropDownFlag = true;
    int modalResultValue = 0;
    int glyphCount = 1;
    int spacingValue = 1;
    Kx::TButtonStyle styleValue = Kx::bsAutoDetect;
    bool transparentFlag = false;
    bool wordWrapFlag = false;
    bool mouseInside = false;
    QColor glyphTransparent;
    QPointer<QAction> linkedAction;
    TKxButtonGlyph builtImages;
};
