#pragma once
// A thin bar between two panes. Dragging it shows a line that follows the
// mouse within limits; on release the pane before it (ControlFirst) grows or
// shrinks by the distance moved. Esc cancels the drag.
#include "kit/kxtypes.h"

#include <QFrame>
#include <QPointer>

class QRubberBand;

class TKxSplitter : public QFrame, public TKxLoadable
{
    Q_OBJECT
    Q_PROPERTY(TAlign Align READ align WRITE setAlign)
    Q_PROPERTY(QWidget *ControlFirst READ controlFirst WRITE setControlFirst)
    Q_PROPERTY(QWidget *ControlSecond READ controlSecond WRITE setControlSecond)
    Q_PROPERTY(int TopLeftLimit READ topLeftLimit WRITE setTopLeftLimit)
    Q_PROPERTY(int BottomRightLimit READ bottomRightLimit WRITE setBottomRightLimit)
    Q_PROPERTY(int LimitOffset READ topLeftLimit WRITE setLimitOffset STORED false)

public:
    // The side of the parent a control keeps to. Controls take part through a
    // property "Align" of this type (or of its value names); without one a
    // control counts as aligned like the splitter.
    enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
    Q_ENUM(TAlign)

    explicit TKxSplitter(QWidget *parent = nullptr);
    ~TKxSplitter() override;

    TAlign align() const { return alignSetting; }
    void setAlign(TAlign value);
    QWidget *controlFirst() const { return first; }
    void setControlFirst(QWidget *control);
    QWidget *controlSecond() const { return second; }
    void setControlSecond(QWidget *control);
    int topLeftLimit() const { return topLeft; }
    void setTopLeftLimit(int value) { topLeft = value; }
    int bottomRightLimit() const { return bottomRight; }
    void setBottomRightLimit(int value) { bottomRight = value; }
    void setLimitOffset(int value);

    bool isSizing() const { return sizing; }
    // Where the line is drawn now, in the parent's coordinates (moving axis).
    int linePosition() const { return lineAt; }
    static TAlign alignOf(const QWidget *control, TAlign fallback);

signals:
    void OnPosChanging(int x, int y, bool &allowChange);
    void OnPosChanged();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void loaded() override { updateCursor(); }

private:
    bool vertical() const { return alignSetting == alTop || alignSetting == alBottom; }
    int along(const QPoint &p) const { return vertical() ? p.y() : p.x(); }
    int thickness() const { return vertical() ? height() : width(); }
    void updateCursor();
    void linkNeighbour();
    // The splitter's offset that the point asks for, kept within the limits;
    // `clamped` tells whether it had to be.
    int clampedOffset(const QPoint &point, bool *clamped) const;
    void placeLine(int offset);
    void endDrag(bool apply);

    TAlign alignSetting = alNone;
    QPointer<QWidget> first;
    QPointer<QWidget> second;
    int topLeft = 20;
    int bottomRight = 20;
    bool sizing = false;
    QPoint startPoint;
    int acceptedOffset = 0;
    int lineAt = 0;
    QRubberBand *line = nullptr;
};
