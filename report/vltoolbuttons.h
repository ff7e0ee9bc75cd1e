#pragma once
// The engine's own tool buttons: a flat speed button drawn gray until the
// mouse is over it, with five glyph states and exclusive groups; the tool bar
// button, separator and panel, which the bar's layout places. The preview,
// the engine's dialogs and the designer's bars are built of them.
#include "report/vlglyphcache.h"

#include <QFrame>
#include <QWidget>

class TvlSpeedButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool AllowAllUp READ AllowAllUp WRITE SetAllowAllUp)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex)
    Q_PROPERTY(bool Down READ Down WRITE SetDown)
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QImage Glyph READ Glyph WRITE SetGlyph)
    Q_PROPERTY(bool GrayedInactive READ GrayedInactive WRITE SetGrayedInactive)
    Q_PROPERTY(TButtonLayout Layout READ Layout WRITE SetLayout)
    Q_PROPERTY(int Margin READ Margin WRITE SetMargin)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE SetNumGlyphs)
    Q_PROPERTY(int Spacing READ Spacing WRITE SetSpacing)

public:
    enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
    Q_ENUM(TButtonLayout)

    explicit TvlSpeedButton(QWidget *parent = nullptr);
    ~TvlSpeedButton() override;

    bool AllowAllUp() const { return m_allowAllUp; }
    void SetAllowAllUp(bool value);
    int GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(int value);
    bool Down() const { return m_down; }
    void SetDown(bool value);
    bool Flat() const { return m_flat; }
    void SetFlat(bool value);
    QString Caption() const { return m_caption; }
    void SetCaption(const QString &value);
    QImage Glyph() const { return m_glyph.Bitmap(); }
    void SetGlyph(const QImage &value);
    bool GrayedInactive() const { return m_grayedInactive; }
    void SetGrayedInactive(bool value);
    TButtonLayout Layout() const { return m_layout; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return m_margin; }
    void SetMargin(int value); // -1 and up
    int NumGlyphs() const { return m_glyph.NumGlyphs(); }
    void SetNumGlyphs(int value);
    int Spacing() const { return m_spacing; }
    void SetSpacing(int value);

    // What the button would be painted as now.
    TvlGlyphState PaintState() const;
    bool MouseInControl() const { return m_mouseInControl; }
    TvlButtonGlyph &ButtonGlyph() { return m_glyph; }

    // Where glyph and caption go in a client area of that size.
    struct Placement
    {
        QPoint Glyph;
        QPoint Text;
    };
    static Placement Place(QSize client, QSize glyph, QSize text, TButtonLayout layout, int margin, int spacing);

    // Draws the button's up (enabled) or disabled image at (x, y): menu images.
    static void DrawGlyph(TvlSpeedButton &button, QPainter &painter, int x, int y, bool enabled);

    QSize sizeHint() const override { return QSize(22, 22); }

signals:
    void OnClick();
    void OnDblClick();
    void OnMouseEnter();
    void OnMouseLeave();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;

private:
    void TellSiblings();
    void GroupChanged(TvlSpeedButton *sender);
    bool Inside(QPoint point) const;

    TvlButtonGlyph m_glyph;
    TvlGlyphState m_state = TvlGlyphState::Up;
    bool m_allowAllUp = false;
    int m_groupIndex = 0;
    bool m_down = false;
    bool m_flat = false;
    QString m_caption;
    bool m_grayedInactive = true;
    TButtonLayout m_layout = blGlyphLeft;
    int m_margin = -1;
    int m_spacing = 4;
    bool m_dragging = false;
    bool m_mouseInControl = false;
    int m_shortcut = 0; // the caption's accelerator
};

class TvlTBButton : public TvlSpeedButton
{
    Q_OBJECT
public:
    explicit TvlTBButton(QWidget *parent = nullptr);
};

class TvlTBSeparator : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool DrawBevel READ DrawBevel WRITE SetDrawBevel)
public:
    explicit TvlTBSeparator(QWidget *parent = nullptr);
    bool DrawBevel() const { return m_drawBevel; }
    void SetDrawBevel(bool value);
    // The groove runs across the bar: vertical in a horizontal bar.
    Qt::Orientation Orientation = Qt::Horizontal;
    QSize sizeHint() const override { return QSize(8, 8); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_drawBevel = true;
};

class TvlTBPanel : public QFrame
{
    Q_OBJECT
public:
    explicit TvlTBPanel(QWidget *parent = nullptr);
};
