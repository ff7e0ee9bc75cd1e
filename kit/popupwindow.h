#pragma once
// The base of the windows that drop down under a combo edit. It never takes
// the focus from its edit; a left release on it closes it, accepted when the
// release lies inside it.
#include <QFrame>
#include <QVariant>

class TPopupWindow : public QFrame
{
    Q_OBJECT

public:
    // The editor owns the window; the window floats above it.
    explicit TPopupWindow(QWidget *editor);

    QWidget *editor() const { return editorWidget; }

    virtual QVariant getValue() const = 0;
    virtual void setValue(const QVariant &value) = 0;
    virtual void ClosePopupWindow(bool accept);
    virtual QString getPopupText() const { return QString(); }
    // Moves the window to the screen point and shows it without activating it.
    virtual void Show(const QPoint &origin);
    void Hide();

signals:
    void OnPopupClose(bool accept);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QWidget *editorWidget;
};
