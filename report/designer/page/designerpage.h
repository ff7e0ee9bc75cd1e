#pragma once
// The design page: the white surface inside the designer's scroll box on
// which the objects of the current report page are drawn and edited. The
// widget only paints and passes mouse and key events on; the editing rules
// live in TvlPageEditor.
#include "report/designer/page/pageeditor.h"

#include <QPixmap>
#include <QWidget>

class QKeyEvent;
class TvlDesignerHost;

class TvlDesignerPage : public QWidget
{
    Q_OBJECT

public:
    TvlDesignerPage(TvlDesignerHost &host, QWidget *parent = nullptr);

    TvlPageEditor &Editor() { return m_editor; }

    // Sizes the page to the report page and places it in a scroll box of the
    // given width: centred when it fits, else 10 from the left; 10 from the top.
    void PlacePage(int scrollBoxWidth);
    // Paints again; views above index limit need not be redrawn (10000: all),
    // an empty region means the whole page.
    void Draw(int limit = 10000, const QRegion &region = {});
    void ResetMouseState() { m_editor.ResetMouseState(); }
    void ComputeGroupRect() { m_editor.ComputeGroupRect(); }
    void ArrangeBands() { m_editor.ArrangeBands(); }
    void DeleteSelection() { m_editor.DeleteSelection(); }
    void MoveOrSizeSelection(int dx, int dy, bool size) { m_editor.MoveOrSizeSelection(dx, dy, size); }
    // Where the page's top left lies in its scroll box (negative when scrolled).
    QPoint PanelPos() const;

    // The designer form's key handler (the form passes every key here first);
    // true when the key was used.
    bool FormKeyDown(QKeyEvent *event);

    // The pencil of line mode.
    static QCursor PencilCursor();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void paintPage(QPainter &painter, const QRect &area);
    void paintBackground(QPainter &painter, const QRect &area);
    void paintOverlays(QPainter &painter);
    void applyCursor();

    TvlDesignerHost &m_host;
    TvlPageEditor m_editor;
    QPixmap m_frozen; // the page as it was when an outline drag began
};
